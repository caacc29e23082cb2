#include "core/exchange/DuplicateIndex.h"

#include "core/common/Cp1252.h"
#include "core/common/TextRules.h"
#include "core/contacts/ContactsFile.h"

#include <algorithm>

namespace quillet {

namespace {

// Names are indexed by their three-character pieces, and by their two-character
// pieces once a two-character needle is looked up (few are): a needle is looked up
// by pieces of its own length up to three. A one-character name is not indexed.
constexpr qsizetype longestGram = 3;
constexpr qsizetype shortestGram = 2;

quint64 gramKey(const QString& text, qsizetype at, qsizetype length)
{
    quint64 key = quint64(length) << 48;
    for (qsizetype i = 0; i < length; ++i)
        key |= quint64(text.at(at + i).unicode()) << (16 * (length - 1 - i));
    return key;
}

void addGrams(QHash<quint64, std::vector<int>>& grams, const QString& text, int record, qsizetype length)
{
    for (qsizetype at = 0; at + length <= text.size(); ++at) {
        std::vector<int>& postings = grams[gramKey(text, at, length)];
        if (postings.empty() || postings.back() != record)
            postings.push_back(record);
    }
}

// A name's characters and three-character pieces as bits of one word. A name that
// contains another has every bit the other has, so most candidates are ruled out
// without comparing their text.
quint64 signature(const QString& name)
{
    const auto bitFor = [](quint64 key) { return quint64(1) << (key * 0x9E3779B97F4A7C15ull >> 58); };
    quint64 bits = 0;
    for (qsizetype at = 0; at < name.size(); ++at) {
        bits |= bitFor(name.at(at).unicode());
        if (at + longestGram <= name.size())
            bits |= bitFor(gramKey(name, at, longestGram));
    }
    return bits;
}

// A field's text without the spaces around it, trimmed before it is decoded:
// every record on file passes here.
QString trimmedFromBytes(QByteArrayView bytes, Field field)
{
    return cp1252::decode(text::trimSpaces(ContactRecord::storedFromBytes(bytes, field)));
}

} // namespace

ComparedFields comparedFields(QByteArrayView recordBytes)
{
    return {trimmedFromBytes(recordBytes, Field::FirstName), trimmedFromBytes(recordBytes, Field::LastName),
            trimmedFromBytes(recordBytes, Field::Email)};
}

bool isDuplicateOf(const ComparedFields& existing, const ComparedFields& imported)
{
    if (!imported.email.isEmpty() && existing.email == imported.email)
        return true;
    if (imported.firstName.isEmpty() && imported.lastName.isEmpty())
        return false;
    return text::contains(existing.firstName, imported.firstName) &&
           text::contains(existing.lastName, imported.lastName);
}

Status DuplicateIndex::start(const ContactsFile& file, int count)
{
    m_records.clear();
    m_signatures.clear();
    m_emails.clear();
    m_firstGrams.clear();
    m_lastGrams.clear();
    m_pairsIndexed = false;
    if (count < 1)
        return {};
    if (count > maxRecordsInMemory)
        return errors::outOfMemory();
    m_records.reserve(count);
    m_signatures.reserve(count);
    return file.forEachBytes(
        [this](int, QByteArrayView bytes) {
            add(comparedFields(bytes));
            return true;
        },
        1, count);
}

void DuplicateIndex::add(const ComparedFields& fields)
{
    const int record = static_cast<int>(m_records.size());
    if (!fields.email.isEmpty())
        m_emails.insert(fields.email);
    addGrams(m_firstGrams, fields.firstName, record, longestGram);
    addGrams(m_lastGrams, fields.lastName, record, longestGram);
    m_records.push_back(fields);
    m_signatures.push_back({signature(fields.firstName), signature(fields.lastName)});
}

void DuplicateIndex::indexPairs()
{
    for (int record = 0; record < int(m_records.size()); ++record) {
        addGrams(m_firstGrams, m_records[size_t(record)].firstName, record, shortestGram);
        addGrams(m_lastGrams, m_records[size_t(record)].lastName, record, shortestGram);
    }
    m_pairsIndexed = true;
}

// The shortest posting list among the needle's pieces: every record whose name
// contains the needle is on it. Null when the needle is too short to narrow the
// search (every record is a candidate); `absent` when some piece occurs nowhere.
const DuplicateIndex::Postings* DuplicateIndex::rarest(const QHash<quint64, Postings>& grams, const QString& needle,
                                                       bool& absent) const
{
    if (needle.size() < shortestGram)
        return nullptr;
    const qsizetype length = std::min(needle.size(), longestGram);
    const Postings* best = nullptr;
    for (qsizetype at = 0; at + length <= needle.size(); ++at) {
        const auto found = grams.constFind(gramKey(needle, at, length));
        if (found == grams.cend()) {
            absent = true;
            return nullptr;
        }
        if (!best || found->size() < best->size())
            best = &*found;
    }
    return best;
}

// Every record whose names contain the imported ones is on both lists (a null list:
// every record); the shorter one is walked in record order until one matches, and
// the names' signatures rule out nearly every record that cannot.
bool DuplicateIndex::anyMatch(const Postings* first, const Postings* last, const ComparedFields& imported) const
{
    const quint64 firstBits = signature(imported.firstName);
    const quint64 lastBits = signature(imported.lastName);
    const auto matches = [&](std::size_t record) {
        const NameSignatures& held = m_signatures[record];
        return (held.first & firstBits) == firstBits && (held.last & lastBits) == lastBits &&
               isDuplicateOf(m_records[record], imported);
    };
    const Postings* lead = !first ? last : !last ? first : first->size() <= last->size() ? first : last;
    if (!lead) {
        for (std::size_t record = 0; record < m_records.size(); ++record) {
            if (matches(record))
                return true;
        }
        return false;
    }
    return std::any_of(lead->begin(), lead->end(), [&](int record) { return matches(std::size_t(record)); });
}

Result<bool> DuplicateIndex::test(const ComparedFields& imported)
{
    if (!imported.email.isEmpty() && m_emails.contains(imported.email))
        return true;
    if (imported.firstName.isEmpty() && imported.lastName.isEmpty())
        return false;
    // Before any lookup: indexing moves the posting lists.
    const auto pair = [](const QString& name) { return name.size() == shortestGram; };
    if (!m_pairsIndexed && (pair(imported.firstName) || pair(imported.lastName)))
        indexPairs();
    bool absent = false;
    const Postings* last = rarest(m_lastGrams, imported.lastName, absent);
    const Postings* first = absent ? nullptr : rarest(m_firstGrams, imported.firstName, absent);
    return !absent && anyMatch(first, last, imported);
}

Status RereadDuplicateTest::start(const ContactsFile& file, int count)
{
    m_file = &file;
    m_count = count;
    return {};
}

Result<bool> RereadDuplicateTest::test(const ComparedFields& imported)
{
    if (!m_file || m_count < 1)
        return false;
    bool duplicate = false;
    const Status read = m_file->forEachBytes(
        [&](int, QByteArrayView bytes) {
            duplicate = isDuplicateOf(comparedFields(bytes), imported) || duplicate;
            return true;
        },
        1, m_count);
    if (!read)
        return read;
    return duplicate;
}

} // namespace quillet
