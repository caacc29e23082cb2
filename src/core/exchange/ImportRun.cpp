#include "core/exchange/ImportRun.h"

#include "core/common/Cp1252.h"
#include "core/contacts/AppendTransaction.h"
#include "core/contacts/ContactsFile.h"
#include "core/exchange/CleaningRules.h"
#include "core/exchange/ColumnTables.h"
#include "core/exchange/CsvLineReader.h"
#include "core/exchange/CsvRecords.h"
#include "core/exchange/DuplicateIndex.h"
#include "core/exchange/ImportRouting.h"
#include "core/exchange/ImportText.h"
#include "core/exchange/LdifReader.h"
#include "core/exchange/VCardReader.h"

namespace quillet {

namespace {

// Where every reading's contacts go: the blank rule, the duplicate test, the append.
class ContactSink
{
public:
    ContactSink(const ImportOptions& options, DuplicateTest& duplicates, AppendTransaction* appended,
                ImportSummary& summary)
        : m_options(options), m_duplicates(duplicates), m_appended(appended), m_summary(summary)
    {}

    Status offer(ContactRecord working)
    {
        if (!m_status)
            return m_status;
        if (m_options.cancelled && m_options.cancelled())
            return m_status = errors::cancelled();
        if (isBlankContact(working)) {
            ++m_summary.blank;
            return {};
        }
        // Compared as the record would hold the values.
        for (const Field field : allFields)
            working.set(field, cp1252::fold(working.value(field)));
        const Result<bool> duplicate = m_duplicates.test(working);
        if (!duplicate)
            return m_status = duplicate.status();
        if (*duplicate) {
            ++m_summary.duplicates;
            return {};
        }
        working.set(Field::ReminderFlag, m_options.reminderFlag);
        if (m_appended && !(m_status = m_appended->append(working)))
            return m_status;
        ++m_summary.imported;
        if (m_options.onContact)
            m_options.onContact(working);
        return {};
    }
    const Status& status() const { return m_status; }

private:
    const ImportOptions& m_options;
    DuplicateTest& m_duplicates;
    AppendTransaction* m_appended;
    ImportSummary& m_summary;
    Status m_status;
};

// A classic layout's lines, with its quirks: a short line ends the run here too,
// but routing sends such a file to matching by name.
Status importClassicLines(const QString& path, ImportLayout layout, ContactSink& sink)
{
    CsvLineReader reader;
    QString line;
    if (Status status = reader.open(path); !status)
        return status;
    reader.next(line);
    PreparedHeader prepared;
    if (Status status = prepareHeader(layout, line, prepared); !status)
        return status;
    const std::vector<MatchedRow> rows = matchHeader(layout, splitColumns(prepared.text));
    while (reader.next(line)) {
        if (!prepareLine(layout, line))
            continue;
        const Columns data = splitColumns(line);
        const Result<bool> skipped = skippedByColumns(layout, data);
        if (!skipped)
            return skipped.status();
        if (*skipped)
            continue;
        // A fresh contact for every line, so no value carries over from the line before.
        ContactRecord working;
        if (Status status = fillFromColumns(rows, data, working); !status)
            return status;
        applyCleaning(cleaningSteps(layout), working);
        clearFields(clearedFields(layout), working);
        if (Status status = sink.offer(working); !status)
            return status;
    }
    return reader.status();
}

ColumnMapping chosenMapping(const QStringList& headers, const ImportOptions& options)
{
    if (options.mapping && options.mapping->size() == std::size_t(headers.size()))
        return *options.mapping;
    ColumnMapping mapping = suggestMapping(headers);
    for (const auto& [header, field] : options.columnChoices) {
        for (qsizetype i = 0; i < headers.size(); ++i) {
            if (headers.at(i).trimmed().compare(header.trimmed(), Qt::CaseInsensitive) == 0)
                mapping[std::size_t(i)] = ColumnTarget{field, 0};
        }
    }
    return mapping;
}

Status importNameMatched(QStringView text, const ImportOptions& options, ImportSummary& summary, ContactSink& sink)
{
    CsvRecords records(text, csvSeparator(firstLine(text)));
    QStringList row;
    while (records.next(row)) {
        if (!row.isEmpty() && !summary.mapping.empty()) {
            if (Status status = sink.offer(contactFromImported(importedFromRow(summary.mapping, row))); !status)
                return status;
        } else if (summary.mapping.empty()) {
            summary.headers = row;
            summary.mapping = chosenMapping(row, options);
            if (!hasNameOrEmail(summary.mapping))
                return {};
        }
    }
    return {};
}

// Chooses the reading; for a name-matched file without a name or e-mail column nothing is read.
Status chooseReading(const QString& path, QStringView text, const ImportOptions& options, ImportSummary& summary)
{
    switch (detectFormat(text)) {
    case ImportFormat::VCard:
        summary.reading = ImportReading::VCard;
        return {};
    case ImportFormat::Ldif:
        summary.reading = ImportReading::Ldif;
        return {};
    case ImportFormat::Csv:
        break;
    }
    if (Status status = classicLayoutFor(path, text, summary.layout); !status)
        return status;
    if (summary.layout != ImportLayout::None) {
        summary.reading = ImportReading::Classic;
        return {};
    }
    CsvRecords records(text, csvSeparator(firstLine(text)));
    records.next(summary.headers);
    summary.mapping = chosenMapping(summary.headers, options);
    if (hasNameOrEmail(summary.mapping))
        summary.reading = ImportReading::NameMatched;
    return {};
}

Status readContacts(const QString& path, QStringView text, const ImportOptions& options, ImportSummary& summary,
                    ContactSink& sink)
{
    // A failure stops the sink; the reader runs on without storing, and the status tells.
    const auto offer = [&sink](const ImportedContact& contact) { (void)sink.offer(contactFromImported(contact)); };
    switch (summary.reading) {
    case ImportReading::Classic:
        return importClassicLines(path, summary.layout, sink);
    case ImportReading::NameMatched:
        summary.mapping.clear();
        return importNameMatched(text, options, summary, sink);
    case ImportReading::VCard:
        summary.vcardVersion = readVCards(text, offer);
        return sink.status();
    case ImportReading::Ldif:
        readLdif(text, offer);
        return sink.status();
    case ImportReading::None:
        break;
    }
    return {};
}

} // namespace

Result<ImportSummary> importContacts(const QString& path, ContactsFile& file, const ImportOptions& options)
{
    ImportSummary summary;
    if (!file.isOpen())
        return errors::badFileNameOrNumber();
    QString text;
    if (Status status = readImportText(path, text); !status)
        return status;
    if (Status status = chooseReading(path, text, options, summary); !status)
        return status;
    if (summary.reading == ImportReading::None)
        return summary;
    // From the duplicate test's reading to the commit no other program writes, so
    // the records compared are those the new ones are appended to.
    const ContactsFileLock locked(file, options.dryRun ? LockKind::Shared : LockKind::Exclusive);
    if (!locked.status())
        return locked.status();
    const int existing = file.count();
    DuplicateIndex index;
    DuplicateTest& duplicates = options.duplicates ? *options.duplicates : index;
    if (Status status = duplicates.start(file, existing); !status)
        return status;
    AppendTransaction appended(file);
    if (!options.dryRun) {
        if (Status status = appended.begin(); !status)
            return status;
    }
    ContactSink sink(options, duplicates, options.dryRun ? nullptr : &appended, summary);
    const Status stopped = readContacts(path, text, options, summary, sink);
    // Cancelled: not committed, so the file is as it was.
    if (!stopped && isCancelled(stopped.error()))
        return stopped;
    if (!options.dryRun) {
        // The contacts read before a failure in the import file are kept; a failed write keeps none.
        if (Status committed = appended.commit(); !committed)
            return committed;
        summary.imported = appended.appended();
    }
    summary.outcome = ImportSummary::Outcome::Imported;
    if (!stopped)
        summary.stoppedBy = stopped.error();
    return summary;
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
    ColumnPreview preview;
    QString text;
    if (Status status = readImportText(path, text); !status)
        return status;
    ImportSummary summary;
    if (Status status = chooseReading(path, text, options, summary); !status)
        return status;
    preview.reading = summary.reading;
    if (summary.reading != ImportReading::NameMatched && summary.reading != ImportReading::None)
        return preview;
    preview.headers = summary.headers;
    preview.mapping = summary.mapping;
    CsvRecords records(text, csvSeparator(firstLine(text)));
    QStringList row;
    records.next(row);
    while (int(preview.rows.size()) < rows && records.next(row))
        preview.rows.push_back(row);
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
    QStringList parts;
    if (summary.duplicates > 0)
        parts << QStringLiteral("%1 already on file").arg(summary.duplicates);
    if (summary.blank > 0)
        parts << QStringLiteral("%1 without a name").arg(summary.blank);
    return parts.isEmpty() ? QString() : parts.join(QStringLiteral(", ")) + QStringLiteral(" skipped.");
}

QString noNameColumnText(const QStringList& headers)
{
    return QStringLiteral("no column gives a name or an e-mail address; the file's columns are: ") +
           headers.join(QStringLiteral(", ")) + u'.';
}

} // namespace quillet
