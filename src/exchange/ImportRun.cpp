#include "exchange/ImportRun.h"

#include "contacts/AppendTransaction.h"
#include "contacts/ContactsFile.h"
#include "exchange/CleaningRules.h"
#include "exchange/ColumnTables.h"
#include "exchange/CsvLineReader.h"
#include "exchange/DuplicateIndex.h"

namespace quillet {

namespace {

// What stays fixed for the whole run.
struct Run
{
    ImportLayout layout;
    std::vector<MatchedRow> rows;
    DuplicateTest& duplicates;
    AppendTransaction& appended;
    QString reminderFlag;
};

Status importLine(const Run& run, QString& line)
{
    if (!prepareLine(run.layout, line))
        return {};
    const Columns data = splitColumns(line);
    const Result<bool> skipped = skippedByColumns(run.layout, data);
    if (!skipped || *skipped)
        return skipped.status();
    // A fresh contact for every line, so no value carries over from the line before.
    ContactRecord working;
    if (Status status = fillFromColumns(run.rows, data, working); !status)
        return status;
    applyCleaning(cleaningSteps(run.layout), working);
    clearFields(clearedFields(run.layout), working);
    const Result<bool> duplicate = run.duplicates.test(working);
    if (!duplicate || *duplicate)
        return duplicate.status();
    working.set(Field::ReminderFlag, run.reminderFlag);
    return run.appended.append(working);
}

Status importLines(const Run& run, CsvLineReader& reader)
{
    QString line;
    while (reader.next(line)) {
        if (Status status = importLine(run, line); !status)
            return status;
    }
    return reader.status();
}

Status readHeader(CsvLineReader& reader, QString& header)
{
    if (reader.next(header))
        return {};
    return reader.status().ok() ? Status(errors::inputPastEndOfFile()) : reader.status();
}

} // namespace

Result<ImportSummary> importContacts(const QString& csvPath, ContactsFile& file, const QString& reminderFlag,
                                     DuplicateTest* duplicates)
{
    ImportSummary summary;
    if (!file.isOpen())
        return errors::badFileNameOrNumber();
    CsvLineReader reader;
    QString header;
    if (Status status = reader.open(csvPath); !status)
        return status;
    if (Status status = readHeader(reader, header); !status)
        return status;
    summary.layout = detectLayout(header);
    if (summary.layout == ImportLayout::None)
        return summary;
    PreparedHeader prepared;
    if (Status status = prepareHeader(summary.layout, header, prepared); !status)
        return status;
    if (!prepared.compatible) {
        summary.outcome = ImportSummary::Outcome::NotCompatible;
        return summary;
    }
    // From the duplicate test's reading to the commit no other program writes, so
    // the records compared are those the new ones are appended to.
    const ContactsFileLock locked(file, LockKind::Exclusive);
    if (!locked.status())
        return locked.status();
    const int existing = file.count();
    DuplicateIndex index;
    AppendTransaction appended(file);
    Run run{summary.layout, matchHeader(summary.layout, splitColumns(prepared.text)), duplicates ? *duplicates : index,
            appended, reminderFlag};
    if (Status status = run.duplicates.start(file, existing); !status)
        return status;
    if (Status status = appended.begin(); !status)
        return status;
    const Status stopped = importLines(run, reader);
    // The contacts read before a failure in the CSV file are kept; a failed write keeps none.
    if (Status committed = appended.commit(); !committed)
        return committed;
    summary.outcome = ImportSummary::Outcome::Imported;
    summary.imported = appended.appended();
    if (!stopped)
        summary.stoppedBy = stopped.error();
    return summary;
}

QString importedCountText(int count)
{
    return QStringLiteral("%1 contacts successfully imported.").arg(count);
}

QString importDoneText(int count)
{
    return QStringLiteral("D O N E !  ") + importedCountText(count);
}

} // namespace quillet
