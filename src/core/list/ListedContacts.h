#pragma once

#include "core/common/Result.h"
#include "core/contacts/ContactsFile.h"

#include <QByteArrayView>
#include <QList>

#include <functional>
#include <vector>

namespace quillet {

class WorkControl;

class ListOrder;
struct ListQuery;

// The contacts a print job lists, in list order, as the job keeps them between the
// reading that lists them and the printing: each one's record number and a
// fingerprint of its bytes, and the version of the file. Printing reads them again
// a run at a time; a record that is no longer what the first reading saw, or a
// file of another length or identity, fails the job with errors::fileChanged().
class ListedContacts
{
public:
    // Sees each listed record's bytes once during the first reading.
    using RecordVisitor = std::function<void(int number, QByteArrayView bytes)>;
    // Gets the records of a run by their place in the list, in the order they were read.
    using PlacedVisitor = std::function<void(qsizetype position, QByteArrayView bytes)>;

    // Every record matching the query in list order, from one reading of the file
    // under one shared lock. Past maxRecordsInMemory records: "Out of memory".
    static Result<ListedContacts> list(const ContactsFile& file, const ListQuery& query, const ListOrder& order,
                                       const RecordVisitor& visit = {});
    // Contacts listed already (the lines of a window), each read once; a line
    // without a record number (0, pasted) is "Bad record number". A `control`
    // counts the records read and stops the reading with errors::cancelled().
    static Result<ListedContacts> ofNumbers(const ContactsFile& file, const QList<int>& numbers,
                                            const RecordVisitor& visit = {}, WorkControl* control = nullptr);

    qsizetype size() const { return qsizetype(m_numbers.size()); }
    bool isEmpty() const { return m_numbers.empty(); }
    int number(qsizetype position) const { return m_numbers[std::size_t(position)]; }

    // Reads the records at list positions [from, to) again, in as few reads as
    // their places in the file allow.
    Status read(const ContactsFile& file, qsizetype from, qsizetype to, const PlacedVisitor& visit) const;

private:
    // Reads the records at these positions (record number, position), in file
    // order, under one shared lock. A list holds at most maxRecordsInMemory.
    Status readPositions(const ContactsFile& file, std::vector<std::pair<int, int>> wanted,
                         const std::function<bool(qsizetype position, QByteArrayView bytes)>& visit) const;

    std::vector<int> m_numbers;
    std::vector<quint32> m_prints;
    FileVersion m_version;
};

} // namespace quillet
