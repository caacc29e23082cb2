#pragma once

#include "core/common/Result.h"
#include "core/list/ListLine.h"

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <vector>

namespace quillet {

class ContactsFile;
class ListOrder;
struct FileVersion;

// Sorts the records of a long list by their list lines while keeping, of each, only
// a short key and its record number. In the C locale's order a key is the line's
// first characters as bytes that compare as ListOrder compares the characters;
// records whose keys are equal are read again and told apart by their next
// characters. Any other locale's collator needs whole lines, which are kept until
// the sort is done.
class ListSorter
{
public:
    // Characters a key holds: a name and the start of a city, so that reading
    // records again is rare.
    static constexpr int keyLength = 24;

    ListSorter(const ListOrder& order, SortOrder lineOrder, qsizetype expected = 0);

    void add(int number, QByteArrayView recordBytes);
    // The record numbers in list order, equal lines in the order they were added.
    // Ties are settled by reading records again from `file`, which must still be
    // `version`. The sorter is empty afterwards.
    Result<std::vector<int>> sorted(const ContactsFile& file, const FileVersion& version);

private:
    using Key = std::array<quint8, keyLength>;
    struct Keyed
    {
        Key key;
        int number;
    };
    // Characters [span x keyLength, (span + 1) x keyLength) of the record's line.
    Key keyOf(QByteArrayView recordBytes, int span);
    Status settleTies(const ContactsFile& file, const FileVersion& version, std::size_t from, std::size_t to, int span);

    const ListOrder& m_order;
    SortOrder m_lineOrder;
    std::vector<Keyed> m_keyed;
    std::vector<ListEntry> m_lines; // collator order only
    QByteArray m_line;
};

} // namespace quillet
