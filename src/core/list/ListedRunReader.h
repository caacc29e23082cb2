#pragma once

#include "core/common/AppError.h"

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <optional>
#include <vector>

namespace quillet {

class ContactsFile;
class ListedContacts;

// Reads listed contacts again, in list order, a run of them at a time just before
// a job prints them, keeping of each only the bytes `keep` makes of its record (a
// label's lines, a report line). A run's records are read in file order, close
// ones together: 100,000 reads of one record cost as much as reading the whole
// 100,000-record file eleven times in a row (113 ms against 10), so a run spans
// many pages. A record another program changed since the listing ends the reading
// with errors::fileChanged(). The file and the listing must outlive the reader.
class ListedRunReader
{
public:
    using Keep = std::function<void(QByteArray& kept, QByteArrayView recordBytes)>; // appends to `kept`

    ListedRunReader(const ContactsFile& file, const ListedContacts& listed, qsizetype run, Keep keep);

    qsizetype size() const;
    // What was kept of the next contact, valid until the next call; nothing after
    // the last one, or once a read failed.
    std::optional<QByteArrayView> next();
    Status status() const { return m_status; }

private:
    struct Slot
    {
        quint32 offset = 0;
        quint32 length = 0;
    };
    Status readRun();

    const ContactsFile& m_file;
    const ListedContacts& m_listed;
    qsizetype m_run;
    Keep m_keep;
    qsizetype m_next = 0;
    qsizetype m_runStart = 0;
    qsizetype m_runEnd = 0;
    QByteArray m_kept;
    std::vector<Slot> m_slots;
    Status m_status;
};

} // namespace quillet
