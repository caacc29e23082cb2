#include "FuzzSupport.h"
#include "FuzzTargets.h"

#include "core/contacts/ContactsFile.h"
#include "core/exchange/ImportRun.h"

namespace quillet::fuzz {

namespace {

// Two contacts already on file, so that the duplicate test has something to find.
QByteArray startingRecords()
{
    QByteArray bytes;
    for (const char* name : {"Ann", "Bo"}) {
        ContactRecord record;
        record.set(Field::FirstName, QString::fromLatin1(name));
        record.set(Field::LastName, QStringLiteral("Lee"));
        record.set(Field::Email, QString::fromLatin1(name).toLower() + QStringLiteral("@example.com"));
        record.set(Field::ReminderFlag, QStringLiteral("0"));
        bytes += record.toBytes();
    }
    return bytes;
}

QString checkAppended(const QByteArray& before, const QByteArray& after, int imported)
{
    if (!after.startsWith(before))
        return QStringLiteral("the records on file changed");
    const qsizetype added = after.size() - before.size();
    if (added != qsizetype(imported) * recordSize)
        return QStringLiteral("%1 bytes appended for %2 contacts imported").arg(added).arg(imported);
    for (qsizetype at = before.size(); at < after.size(); at += recordSize) {
        const QByteArray record = after.mid(at, recordSize);
        for (Field field : allFields) {
            const FieldLayout layout = fieldLayout(field);
            if (field != Field::ReminderFlag && record.at(layout.offset + layout.width) != '|')
                return QStringLiteral("appended record %1 is not whole").arg(at / recordSize + 1);
        }
        if (!record.endsWith("|1\r\n"))
            return QStringLiteral("appended record %1 does not end in its flag and CR LF").arg(at / recordSize + 1);
    }
    return {};
}

} // namespace

QString importCsv(const uint8_t* data, size_t size)
{
    const QString contactsPath = scratchPath(QStringLiteral("import.DAT"));
    const QString csvPath = scratchPath(QStringLiteral("import.csv"));
    const QByteArray before = startingRecords();
    if (!writeScratch(contactsPath, before) || !writeScratch(csvPath, bytesOf(data, size)))
        return QStringLiteral("cannot write the scratch files");
    ContactsFile file;
    if (Status status = file.open(contactsPath, quillet::Creation::CreateIfMissing); !status)
        return QStringLiteral("open failed: ") + status.error().description;
    const Result<ImportSummary> summary = importContacts(csvPath, file, QStringLiteral("1"));
    if (summary && summary->outcome != ImportSummary::Outcome::Imported && summary->imported != 0)
        return QStringLiteral("%1 contacts imported from a file that was not imported").arg(summary->imported);
    const std::optional<AppError> failure = summary ? summary->stoppedBy : summary.error();
    if (failure && failure->description.isEmpty())
        return QStringLiteral("a failure without a description");
    file.close();
    return checkAppended(before, readScratch(contactsPath), summary ? summary->imported : 0);
}

} // namespace quillet::fuzz
