#include "core/list/ListedContacts.h"

#include "core/common/WorkControl.h"
#include "core/list/ListOrder.h"
#include "core/list/ListSearch.h"
#include "core/list/ListSorter.h"

#include <algorithm>
#include <cstring>

namespace quillet {

namespace {

// A 32-bit fingerprint of a record's 400 bytes: a change another program makes
// between two readings shows, but for one chance in four billion. Four lanes of
// 8-byte words, so that the multiplications need not wait for one another.
quint32 fingerprint(QByteArrayView bytes)
{
    constexpr quint64 prime = 0x100000001B3ULL;
    quint64 lanes[4] = {0x9E3779B97F4A7C15ULL, 0xC2B2AE3D27D4EB4FULL, 0x165667B19E3779F9ULL, quint64(bytes.size())};
    qsizetype at = 0;
    for (; at + 32 <= bytes.size(); at += 32) {
        for (int lane = 0; lane < 4; ++lane) {
            quint64 word = 0;
            std::memcpy(&word, bytes.data() + at + 8 * lane, 8);
            lanes[lane] = (lanes[lane] ^ word) * prime;
            lanes[lane] ^= lanes[lane] >> 29;
        }
    }
    quint64 hash = lanes[0] ^ (lanes[1] * 3) ^ (lanes[2] * 5) ^ (lanes[3] * 7);
    for (; at < bytes.size(); ++at)
        hash = (hash ^ uchar(bytes[at])) * prime;
    hash ^= hash >> 32;
    hash *= 0xD6E8FEB86659FD93ULL;
    return quint32(hash >> 32);
}

} // namespace

Result<ListedContacts> ListedContacts::list(const ContactsFile& file, const ListQuery& query, const ListOrder& order,
                                            const RecordVisitor& visit)
{
    // One reading: the pass over the file and the records read again to settle ties.
    const ContactsFileLock locked(file, LockKind::Shared);
    if (!locked.status())
        return locked.status();
    ListedContacts listed;
    listed.m_version = file.version();
    const int count = file.count();
    const QueryMatch matches(query);
    ListSorter sorter(order, query.order, count);
    std::vector<quint32> prints(std::size_t(count) + 1); // by record number
    qsizetype matched = 0;
    const Status read = file.forEachBytes([&](int number, QByteArrayView bytes) {
        if (!matches(bytes))
            return true;
        if (matched++ == maxRecordsInMemory)
            return false;
        prints[std::size_t(number)] = fingerprint(bytes);
        sorter.add(number, bytes);
        if (visit)
            visit(number, bytes);
        return true;
    });
    if (!read)
        return read;
    if (matched > maxRecordsInMemory)
        return errors::outOfMemory();
    Result<std::vector<int>> numbers = sorter.sorted(file, listed.m_version);
    if (!numbers)
        return numbers.status();
    listed.m_numbers = std::move(*numbers);
    listed.m_prints.reserve(listed.m_numbers.size());
    for (const int number : listed.m_numbers)
        listed.m_prints.push_back(prints[std::size_t(number)]);
    return listed;
}

Result<ListedContacts> ListedContacts::ofNumbers(const ContactsFile& file, const QList<int>& numbers,
                                                 const RecordVisitor& visit, WorkControl* control)
{
    if (std::any_of(numbers.begin(), numbers.end(), [](int number) { return number < 1; }))
        return errors::badRecordNumber();
    const ContactsFileLock locked(file, LockKind::Shared);
    if (!locked.status())
        return locked.status();
    ListedContacts listed;
    listed.m_version = file.version();
    listed.m_numbers.assign(numbers.begin(), numbers.end());
    listed.m_prints.resize(listed.m_numbers.size());
    std::vector<std::pair<int, int>> wanted;
    wanted.reserve(listed.m_numbers.size());
    for (std::size_t position = 0; position < listed.m_numbers.size(); ++position)
        wanted.emplace_back(listed.m_numbers[position], int(position));
    const qsizetype total = listed.size();
    qsizetype done = 0;
    bool cancelled = false;
    const Status read = listed.readPositions(file, std::move(wanted), [&](qsizetype position, QByteArrayView bytes) {
        if (control) {
            if ((cancelled = control->cancelled()))
                return false;
            control->setProgress(++done, total);
        }
        listed.m_prints[std::size_t(position)] = fingerprint(bytes);
        if (visit)
            visit(listed.m_numbers[std::size_t(position)], bytes);
        return true;
    });
    if (!read)
        return read;
    if (cancelled)
        return errors::cancelled();
    return listed;
}

Status ListedContacts::read(const ContactsFile& file, qsizetype from, qsizetype to, const PlacedVisitor& visit) const
{
    std::vector<std::pair<int, int>> wanted;
    wanted.reserve(std::size_t(std::max<qsizetype>(0, to - from)));
    for (qsizetype position = from; position < to; ++position)
        wanted.emplace_back(m_numbers[std::size_t(position)], int(position));
    bool changed = false;
    const Status read = readPositions(file, std::move(wanted), [&](qsizetype position, QByteArrayView bytes) {
        changed = fingerprint(bytes) != m_prints[std::size_t(position)];
        if (!changed)
            visit(position, bytes);
        return !changed;
    });
    if (!read)
        return read;
    return changed ? Status(errors::fileChanged()) : Status();
}

Status ListedContacts::readPositions(const ContactsFile& file, std::vector<std::pair<int, int>> wanted,
                                     const std::function<bool(qsizetype, QByteArrayView)>& visit) const
{
    std::sort(wanted.begin(), wanted.end());
    std::vector<int> numbers;
    numbers.reserve(wanted.size());
    for (const auto& [number, position] : wanted)
        numbers.push_back(number);
    return file.readNumbered(numbers, m_version, [&](qsizetype index, QByteArrayView bytes) {
        return visit(wanted[std::size_t(index)].second, bytes);
    });
}

} // namespace quillet
