#pragma once

#include "core/list/LabelReader.h"
#include "core/list/ListLabels.h"

#include <QByteArray>

#include <array>
#include <vector>

namespace quillet {

class ContactsFile;
class ListedContacts;

// The listed contacts' labels, read from the contacts file a run of labels at a
// time just before their pages are made; a record another program changed since
// the listing ends the labels with errors::fileChanged(). A run's records are read
// in file order, close ones together: one system call a record costs as much as
// reading 100,000 records in a row ten times over, so a run spans many pages.
// Only a run's lines are held, as bytes. The file and listing must outlive it.
class FileLabelReader : public LabelReader
{
public:
    // About 5 MB of lines, and the whole of a 100,000-contact file in two runs.
    static constexpr qsizetype defaultRun = 65536;

    FileLabelReader(const ContactsFile& file, const ListedContacts& listed, qsizetype run = defaultRun);

    qsizetype size() const override;
    const LabelTexts* next() override;
    Status status() const override { return m_status; }

private:
    struct Slot
    {
        quint32 offset = 0; // of the name line in m_lines; the others follow it
        std::array<quint8, 3> lengths{};
    };
    // Reads the run that starts at m_next.
    Status readRun();

    const ContactsFile& m_file;
    const ListedContacts& m_listed;
    qsizetype m_run;
    qsizetype m_next = 0;
    qsizetype m_runStart = 0;
    qsizetype m_runEnd = 0;
    QByteArray m_lines;
    std::vector<Slot> m_slots;
    LabelTexts m_current;
    Status m_status;
};

} // namespace quillet
