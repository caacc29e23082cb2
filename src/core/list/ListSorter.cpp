#include "core/list/ListSorter.h"

#include "core/common/Cp1252.h"
#include "core/contacts/ContactsFile.h"
#include "core/list/ListOrder.h"

#include <QChar>

#include <algorithm>
#include <cstring>

namespace quillet {

namespace {

// Each Windows-1252 byte's rank among the case-folded characters, from 1: comparing
// ranks compares the folded characters as ListOrder's C locale does, and 0 (past a
// line's end) sorts a shorter line first.
const std::array<quint8, 256>& foldedRanks()
{
    static const std::array<quint8, 256> ranks = [] {
        std::array<char16_t, 256> folded{};
        for (int byte = 0; byte < 256; ++byte)
            folded[std::size_t(byte)] = QChar(cp1252::charFor(uchar(byte))).toCaseFolded().unicode();
        std::array<char16_t, 256> order = folded;
        std::sort(order.begin(), order.end());
        const auto end = std::unique(order.begin(), order.end());
        std::array<quint8, 256> result{};
        for (int byte = 0; byte < 256; ++byte)
            result[std::size_t(byte)] =
                quint8(std::lower_bound(order.begin(), end, folded[std::size_t(byte)]) - order.begin() + 1);
        return result;
    }();
    return ranks;
}

} // namespace

ListSorter::ListSorter(const ListOrder& order, SortOrder lineOrder, qsizetype expected)
    : m_order(order), m_lineOrder(lineOrder)
{
    if (m_order.comparesFolded())
        m_keyed.reserve(std::size_t(expected));
    else
        m_lines.reserve(std::size_t(expected));
}

ListSorter::Key ListSorter::keyOf(QByteArrayView recordBytes, int span)
{
    m_line.resize(0);
    const qsizetype from = qsizetype(span) * keyLength;
    appendListLine(m_line, recordBytes, m_lineOrder, from + keyLength);
    const std::array<quint8, 256>& ranks = foldedRanks();
    Key key{};
    const qsizetype length = std::clamp<qsizetype>(m_line.size() - from, 0, keyLength);
    for (qsizetype i = 0; i < length; ++i)
        key[std::size_t(i)] = ranks[uchar(m_line[from + i])];
    return key;
}

void ListSorter::add(int number, QByteArrayView recordBytes)
{
    if (m_order.comparesFolded())
        m_keyed.push_back(Keyed{keyOf(recordBytes, 0), number});
    else
        m_lines.push_back(ListEntry{listLine(recordBytes, m_lineOrder), number});
}

Result<std::vector<int>> ListSorter::sorted(const ContactsFile& file, const FileVersion& version)
{
    std::vector<int> numbers;
    if (!m_order.comparesFolded()) {
        m_order.sort(m_lines);
        numbers.reserve(m_lines.size());
        for (const ListEntry& entry : m_lines)
            numbers.push_back(entry.recordNumber);
        m_lines = {};
        return numbers;
    }
    // Equal keys keep the order records were added in, as equal lines do.
    const auto keyThenNumber = [](const Keyed& a, const Keyed& b) {
        const int byKey = std::memcmp(a.key.data(), b.key.data(), keyLength);
        return byKey != 0 ? byKey < 0 : a.number < b.number;
    };
    std::sort(m_keyed.begin(), m_keyed.end(), keyThenNumber);
    if (Status settled = settleTies(file, version, 0, m_keyed.size(), 0); !settled)
        return settled;
    numbers.reserve(m_keyed.size());
    for (const Keyed& keyed : m_keyed)
        numbers.push_back(keyed.number);
    m_keyed = {};
    return numbers;
}

// Within [from, to), sorted by the keys of `span`: each run of equal keys that fill
// the span (their lines go on) is sorted again by the next span.
Status ListSorter::settleTies(const ContactsFile& file, const FileVersion& version, std::size_t from, std::size_t to,
                              int span)
{
    for (std::size_t first = from; first < to;) {
        std::size_t end = first + 1;
        while (end < to && m_keyed[end].key == m_keyed[first].key)
            ++end;
        if (end - first > 1 && m_keyed[first].key.back() != 0) {
            // Sorted by number within the run, as the file is read.
            std::vector<int> numbers;
            numbers.reserve(end - first);
            for (std::size_t i = first; i < end; ++i)
                numbers.push_back(m_keyed[i].number);
            const Status read = file.readNumbered(numbers, version, [&](qsizetype i, QByteArrayView bytes) {
                m_keyed[first + std::size_t(i)].key = keyOf(bytes, span + 1);
                return true;
            });
            if (!read)
                return read;
            std::stable_sort(m_keyed.begin() + qsizetype(first), m_keyed.begin() + qsizetype(end),
                             [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
            if (Status settled = settleTies(file, version, first, end, span + 1); !settled)
                return settled;
        }
        first = end;
    }
    return {};
}

} // namespace quillet
