#pragma once

#include "core/list/LabelReader.h"
#include "core/list/ListLabels.h"
#include "core/list/ListedRunReader.h"

namespace quillet {

class ContactsFile;
class ListedContacts;

// The listed contacts' labels, read from the contacts file a run at a time as the
// pages are made (ListedRunReader); only a run's lines are held, as bytes.
class FileLabelReader : public LabelReader
{
public:
    // About 3 MB of lines, and a 100,000-contact file in two runs.
    static constexpr qsizetype defaultRun = 65536;

    FileLabelReader(const ContactsFile& file, const ListedContacts& listed, qsizetype run = defaultRun);

    qsizetype size() const override { return m_runs.size(); }
    const LabelTexts* next() override;
    Status status() const override { return m_runs.status(); }

private:
    ListedRunReader m_runs;
    LabelTexts m_current;
};

} // namespace quillet
