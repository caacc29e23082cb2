#pragma once

#include "core/common/AppError.h"
#include "core/common/Result.h"
#include "core/contacts/ContactRecord.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <vector>

namespace quillet {

class ContactsFile;

// The fields the duplicate test compares, each with spaces trimmed from both ends.
struct ComparedFields
{
    QString firstName;
    QString lastName;
    QString email;
};
// Those fields of a record's 400 bytes, decoded without the rest.
ComparedFields comparedFields(QByteArrayView recordBytes);

// An imported contact duplicates an existing one when their e-mails are equal, or
// when the existing first and last names contain the imported ones. An empty value
// never matches on its own: the e-mail rule needs an imported e-mail, the name rule
// an imported first or last name. Otherwise an empty name is contained in any
// non-empty name and nothing in an empty one.
bool isDuplicateOf(const ComparedFields& existing, const ComparedFields& imported);

// Whether an imported contact looks like one of the records that were on file when
// the run started (contacts appended by the run are never compared with each other),
// compared as the file will hold it.
class DuplicateTest
{
public:
    virtual ~DuplicateTest() = default;
    // Takes records 1 to `count` as they are now. The index refuses more than
    // maxRecordsInMemory records with "Out of memory".
    virtual Status start(const ContactsFile& file, int count) = 0;
    // Whether a contact with these fields duplicates one of those records.
    virtual Result<bool> test(const ComparedFields& imported) = 0;
};

// Keeps the compared fields of the records in memory, with the e-mails in a hash
// set and the first and last names indexed by their three-character pieces (and
// by their two-character ones once a two-character name is looked up); a line is
// checked only against the records on its names' rarest piece, and of those only
// the ones whose names hold all of its letters and pieces are compared as text. So
// it costs a few candidate checks instead of a pass over the file, even when
// thousands share its surname.
class DuplicateIndex : public DuplicateTest
{
public:
    Status start(const ContactsFile& file, int count) override;
    Result<bool> test(const ComparedFields& imported) override;

private:
    using Postings = std::vector<int>;
    void add(const ComparedFields& fields);
    void indexPairs();
    const Postings* rarest(const QHash<quint64, Postings>& grams, const QString& needle, bool& absent) const;
    bool anyMatch(const Postings* first, const Postings* last, const ComparedFields& imported) const;

    struct NameSignatures
    {
        quint64 first = 0;
        quint64 last = 0;
    };
    std::vector<ComparedFields> m_records;
    std::vector<NameSignatures> m_signatures; // by record, as m_records
    QSet<QString> m_emails;
    QHash<quint64, Postings> m_firstGrams;
    QHash<quint64, Postings> m_lastGrams;
    bool m_pairsIndexed = false;
};

// Reads records 1 to N from the file again for every contact: the plain form of
// the rule, the reference the index is tested and measured against.
class RereadDuplicateTest : public DuplicateTest
{
public:
    Status start(const ContactsFile& file, int count) override;
    Result<bool> test(const ComparedFields& imported) override;

private:
    const ContactsFile* m_file = nullptr;
    int m_count = 0;
};

} // namespace quillet
