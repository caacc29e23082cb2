#include "exchange/DuplicateIndex.h"

#include "common/TextRules.h"
#include "contacts/ContactsFile.h"

namespace quillet {

namespace {

constexpr qsizetype gramLength = 3;

quint64 gramKey(const QString& text, qsizetype at)
{
    return quint64(text.at(at).unicode()) << 32 | quint64(text.at(at + 1).unicode()) << 16 | text.at(at + 2).unicode();
}

void addGrams(QHash<quint64, std::vector<int>>& grams, const QString& text, int record)
{
    for (qsizetype at = 0; at + gramLength <= text.size(); ++at) {
        std::vector<int>& postings = grams[gramKey(text, at)];
        if (postings.empty() || postings.back() != record)
            postings.push_back(record);
    }
}

ComparedFields fieldsFromBytes(QByteArrayView bytes)
{
    return {text::trimSpaces(ContactRecord::fieldFromBytes(bytes, Field::FirstName)),
            text::trimSpaces(ContactRecord::fieldFromBytes(bytes, Field::LastName)),
            text::trimSpaces(ContactRecord::fieldFromBytes(bytes, Field::Email))};
}

} // namespace

ComparedFields comparedFields(const ContactRecord& record)
{
    return {record.trimmed(Field::FirstName), record.trimmed(Field::LastName), record.trimmed(Field::Email)};
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
    m_emails.clear();
    m_firstGrams.clear();
    m_lastGrams.clear();
    if (count < 1)
        return {};
    if (count > maxRecordsInMemory)
        return errors::outOfMemory();
    m_records.reserve(count);
    return file.forEachBytes(
        [this](int, QByteArrayView bytes) {
            add(fieldsFromBytes(bytes));
            return true;
        },
        1, count);
}

void DuplicateIndex::add(const ComparedFields& fields)
{
    const int record = static_cast<int>(m_records.size());
    if (!fields.email.isEmpty())
        m_emails.insert(fields.email);
    addGrams(m_firstGrams, fields.firstName, record);
    addGrams(m_lastGrams, fields.lastName, record);
    m_records.push_back(fields);
}

// The shortest posting list among the needle's pieces: every record containing the
// needle is on it. `absent` when some piece occurs nowhere, so nothing can match.
const DuplicateIndex::Postings* DuplicateIndex::rarest(const QHash<quint64, Postings>& grams, const QString& needle,
                                                       bool& absent) const
{
    const Postings* best = nullptr;
    for (qsizetype at = 0; at + gramLength <= needle.size(); ++at) {
        const auto found = grams.constFind(gramKey(needle, at));
        if (found == grams.cend()) {
            absent = true;
            return nullptr;
        }
        if (!best || found->size() < best->size())
            best = &*found;
    }
    return best;
}

bool DuplicateIndex::anyMatch(const Postings* candidates, const ComparedFields& imported) const
{
    if (!candidates) {
        for (const ComparedFields& existing : m_records) {
            if (isDuplicateOf(existing, imported))
                return true;
        }
        return false;
    }
    for (const int record : *candidates) {
        if (isDuplicateOf(m_records[record], imported))
            return true;
    }
    return false;
}

Result<bool> DuplicateIndex::test(const ContactRecord& working)
{
    const ComparedFields imported = comparedFields(working);
    if (!imported.email.isEmpty() && m_emails.contains(imported.email))
        return true;
    if (imported.firstName.isEmpty() && imported.lastName.isEmpty())
        return false;
    // Names too short to index are checked against every record.
    bool absent = false;
    const Postings* candidates = nullptr;
    if (imported.lastName.size() >= gramLength)
        candidates = rarest(m_lastGrams, imported.lastName, absent);
    else if (imported.firstName.size() >= gramLength)
        candidates = rarest(m_firstGrams, imported.firstName, absent);
    return !absent && anyMatch(candidates, imported);
}

Status RereadDuplicateTest::start(const ContactsFile& file, int count)
{
    m_file = &file;
    m_count = count;
    return {};
}

Result<bool> RereadDuplicateTest::test(const ContactRecord& working)
{
    if (!m_file || m_count < 1)
        return false;
    const ComparedFields imported = comparedFields(working);
    bool duplicate = false;
    const Status read = m_file->forEachBytes(
        [&](int, QByteArrayView bytes) {
            duplicate = isDuplicateOf(fieldsFromBytes(bytes), imported) || duplicate;
            return true;
        },
        1, m_count);
    if (!read)
        return read;
    return duplicate;
}

} // namespace quillet
