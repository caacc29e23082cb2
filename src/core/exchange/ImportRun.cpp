#include "core/exchange/ImportRun.h"

#include "core/common/Cp1252.h"
#include "core/contacts/AppendTransaction.h"
#include "core/contacts/ContactsFile.h"
#include "core/exchange/CsvRecords.h"
#include "core/exchange/DuplicateIndex.h"
#include "core/exchange/ImportSource.h"
#include "core/exchange/ImportText.h"

namespace quillet {

namespace {

// Tests the contacts read against the file as it is now and appends the new ones,
// within the lock (exclusive to write, shared for a dry run).
Status commitContacts(SourceContacts& source, ContactsFile& file, const ImportOptions& options)
{
    ImportSummary& summary = source.summary;
    const ContactsFileLock locked(file, options.dryRun ? LockKind::Shared : LockKind::Exclusive);
    if (!locked.status())
        return locked.status();
    DuplicateIndex index;
    DuplicateTest& duplicates = options.duplicates ? *options.duplicates : index;
    if (Status status = duplicates.start(file, file.count()); !status)
        return status;
    AppendTransaction appended(file);
    if (!options.dryRun) {
        if (Status status = appended.begin(); !status)
            return status;
    }
    if (Status status = source.contacts.rewind(); !status)
        return status;
    QByteArrayView stored;
    QByteArray working(recordSize, Qt::Uninitialized);
    ContactChanges changes;
    while (source.contacts.next(stored, changes)) {
        // Not committed, so a cancel leaves the file as it was.
        if (options.cancelled && options.cancelled())
            return errors::cancelled();
        const Result<bool> duplicate = duplicates.test(comparedFields(stored));
        if (!duplicate)
            return duplicate.status();
        if (*duplicate) {
            summary.tally.skip(SkipReason::AlreadyOnFile);
            continue;
        }
        std::copy(stored.begin(), stored.end(), working.begin());
        setStoredField(working.data(), Field::ReminderFlag, options.reminderFlag);
        if (!options.dryRun) {
            if (Status status = appended.append(working); !status)
                return status;
        }
        ++summary.imported;
        summary.tally.add(changes);
        if (options.onContact)
            options.onContact(working, changes);
    }
    if (!source.contacts.status())
        return source.contacts.status();
    // The contacts read before a failure in the import file are kept; a failed write keeps none.
    if (!options.dryRun) {
        if (Status committed = appended.commit(); !committed)
            return committed;
        summary.imported = appended.appended();
    }
    return {};
}

} // namespace

Result<ImportSummary> importContacts(const QString& path, ContactsFile& file, const ImportOptions& options)
{
    if (!file.isOpen())
        return errors::badFileNameOrNumber();
    Result<SourceContacts> source = readSource(path, options);
    if (!source)
        return source.status();
    if (source->summary.reading == ImportReading::None)
        return std::move(source->summary);
    if (options.wholeSourceOnly && source->summary.stoppedBy)
        return *source->summary.stoppedBy;
    if (options.onSourceRead)
        options.onSourceRead();
    if (Status status = commitContacts(*source, file, options); !status)
        return status;
    source->summary.outcome = ImportSummary::Outcome::Imported;
    return std::move(source->summary);
}

Result<ImportSummary> importContacts(const QString& path, ContactsFile& file, const QString& reminderFlag,
                                     DuplicateTest* duplicates)
{
    ImportOptions options;
    options.reminderFlag = reminderFlag;
    options.duplicates = duplicates;
    return importContacts(path, file, options);
}

Result<ColumnPreview> previewColumns(const QString& path, const ImportOptions& options, int rows)
{
    const Result<ImportText> start = readImportText(path, startBytes);
    if (!start)
        return start.status();
    const Result<ImportSummary> summary = chooseReading(path, start->text, options);
    if (!summary)
        return summary.status();
    ColumnPreview preview;
    preview.reading = summary->reading;
    if (summary->reading != ImportReading::NameMatched && summary->reading != ImportReading::None)
        return preview;
    preview.headers = summary->headers;
    preview.mapping = summary->mapping;
    CsvRecords records(start->text, csvSeparator(firstLine(start->text)));
    QStringList row;
    records.next(row);
    // The last record of a cut start may be cut too: it is shown only when another follows it.
    std::vector<QStringList> read;
    while (int(read.size()) <= rows && records.next(row))
        read.push_back(row);
    if (!start->whole && int(read.size()) <= rows && !read.empty())
        read.pop_back();
    read.resize(std::min<std::size_t>(read.size(), std::size_t(rows)));
    preview.rows = std::move(read);
    return preview;
}

QString readingText(const ImportSummary& summary)
{
    switch (summary.reading) {
    case ImportReading::Classic:
        return QStringLiteral("Recognised %1").arg(layoutDescription(summary.layout));
    case ImportReading::NameMatched:
        return QStringLiteral("Columns matched by name: ") + mappingDescription(summary.headers, summary.mapping);
    case ImportReading::VCard:
        return summary.vcardVersion.isEmpty() ? QStringLiteral("Read as vCard")
                                              : QStringLiteral("Read as vCard ") + summary.vcardVersion;
    case ImportReading::Ldif:
        return QStringLiteral("Read as LDIF");
    case ImportReading::None:
        break;
    }
    return {};
}

QString importedCountText(int count)
{
    return QStringLiteral("%1 contacts successfully imported.").arg(count);
}

QString importDoneText(int count)
{
    return QStringLiteral("D O N E !  ") + importedCountText(count);
}

QString skippedText(const ImportSummary& summary)
{
    return summary.tally.skippedText();
}

QStringList summaryLines(const ImportSummary& summary)
{
    QStringList lines;
    for (const QString& line : {summary.tally.skippedText(), summary.tally.changedText()}) {
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

QString dryRunLine(QByteArrayView record, const ContactChanges& changes)
{
    QStringList values;
    for (int i = 0; i < fieldCount - 1; ++i)
        values << cp1252::decode(ContactRecord::storedFromBytes(record, allFields[i])).trimmed();
    const QString marks = changeMarks(changes);
    return values.join(u'|') + (marks.isEmpty() ? QString() : QStringLiteral("  [") + marks + u']');
}

QString previewText(const ImportSummary& summary)
{
    return QStringLiteral("%1 new, %2 already on file, %3 without a name.")
        .arg(summary.imported)
        .arg(summary.tally.skipped(SkipReason::AlreadyOnFile))
        .arg(summary.tally.skipped(SkipReason::WithoutName));
}

QString noNameColumnText(const QStringList& headers)
{
    return QStringLiteral("no column gives a name or an e-mail address; the file's columns are: ") +
           headers.join(QStringLiteral(", ")) + u'.';
}

} // namespace quillet
