#include "core/exchange/ImportSource.h"

#include "core/common/Cp1252.h"
#include "core/common/TextRules.h"
#include "core/exchange/CleaningRules.h"
#include "core/exchange/ColumnTables.h"
#include "core/exchange/CsvLineReader.h"
#include "core/exchange/CsvRecordReader.h"
#include "core/exchange/CsvRecords.h"
#include "core/exchange/ImportRouting.h"
#include "core/exchange/ImportText.h"
#include "core/exchange/LdifReader.h"
#include "core/exchange/VCardReader.h"

namespace quillet {

namespace {

// Where every reading's contacts go before the contacts file is locked.
class Collector
{
public:
    Collector(SourceContacts& source, const ImportOptions& options) : m_source(source), m_options(options) {}

    Status offer(const ImportedContact& imported)
    {
        ImportedRecord made = contactFromImported(imported);
        return offer(std::move(made.record), std::move(made.changes), false);
    }

    // A classic layout's values come uncut: what the record will cut is noted here.
    Status offer(ContactRecord working, ContactChanges changes, bool uncut)
    {
        if (m_options.cancelled && m_options.cancelled())
            return errors::cancelled();
        if (isBlankContact(working)) {
            m_source.summary.tally.skip(SkipReason::WithoutName);
            return {};
        }
        // Compared as the record would hold the values.
        const ContactRecord original = working;
        for (int i = 0; i < fieldCount - 1; ++i) {
            const Field field = allFields[i];
            working.set(field, text::withoutControls(cp1252::fold(working.value(field))));
        }
        if (uncut)
            noteStoredForm(original, working, changes);
        fitPhones(working, changes);
        return m_source.contacts.add(working, changes);
    }

private:
    SourceContacts& m_source;
    const ImportOptions& m_options;
};

// A classic layout's lines, with its quirks: a short line ends the run here too,
// but routing sends such a file to matching by name.
Status readClassicLines(const QString& path, ImportLayout layout, Collector& collector, ChangeTally& tally)
{
    CsvLineReader reader;
    QString line;
    if (Status status = reader.open(path); !status)
        return status;
    reader.next(line);
    const Result<PreparedHeader> prepared = prepareHeader(layout, line);
    if (!prepared)
        return prepared.status();
    const std::vector<MatchedRow> rows = matchHeader(layout, splitColumns(prepared->text));
    while (reader.next(line)) {
        const Columns data = prepareLine(layout, line) ? splitColumns(line) : Columns();
        const Result<bool> skipped = data.empty() ? Result<bool>(true) : skippedByColumns(layout, data);
        if (!skipped)
            return skipped.status();
        if (*skipped) {
            tally.skip(SkipReason::NotReadByLayout);
            continue;
        }
        // A fresh contact for every line, so no value carries over from the line before.
        ContactRecord working;
        if (Status status = fillFromColumns(rows, data, working); !status)
            return status;
        ContactChanges changes;
        applyCleaning(cleaningSteps(layout), working, &changes);
        clearFields(clearedFields(layout), working);
        if (Status status = collector.offer(working, changes, true); !status)
            return status;
    }
    return reader.status();
}

Status readNameMatched(const QString& path, QStringView start, ImportSummary& summary, Collector& collector)
{
    ImportLines lines;
    if (Status status = lines.open(path); !status)
        return status;
    CsvRecordReader records(lines, csvSeparator(firstLine(start)));
    QStringList row;
    records.next(row); // the header, read when the reading was chosen
    while (records.next(row)) {
        if (Status status = collector.offer(importedFromRow(summary.mapping, row)); !status)
            return status;
    }
    return lines.status();
}

template <typename Reader> Status readEntries(const QString& path, Collector& collector, QString* version)
{
    ImportLines lines;
    if (Status status = lines.open(path); !status)
        return status;
    Reader reader(lines);
    ImportedContact contact;
    while (reader.next(contact)) {
        if (Status status = collector.offer(contact); !status)
            return status;
    }
    if constexpr (std::is_same_v<Reader, VCardReader>)
        *version = reader.version();
    return lines.status();
}

ColumnMapping chosenMapping(const QStringList& headers, const ImportOptions& options)
{
    if (options.mapping && options.mapping->size() == std::size_t(headers.size()))
        return *options.mapping;
    ColumnMapping mapping = suggestMapping(headers);
    for (const auto& [header, field] : options.columnChoices) {
        for (qsizetype i = 0; i < headers.size(); ++i) {
            if (sameColumnHeader(headers.at(i), header))
                mapping[std::size_t(i)] = ColumnTarget{field, 0};
        }
    }
    return mapping;
}

} // namespace

Result<ImportSummary> chooseReading(const QString& path, QStringView start, const ImportOptions& options)
{
    ImportSummary summary;
    switch (detectFormat(start)) {
    case ImportFormat::VCard:
        summary.reading = ImportReading::VCard;
        return summary;
    case ImportFormat::Ldif:
        summary.reading = ImportReading::Ldif;
        return summary;
    case ImportFormat::Csv:
        break;
    }
    const Result<ImportLayout> layout = classicLayoutFor(path, start);
    if (!layout)
        return layout.status();
    summary.layout = *layout;
    if (summary.layout != ImportLayout::None) {
        summary.reading = ImportReading::Classic;
        return summary;
    }
    CsvRecords records(start, csvSeparator(firstLine(start)));
    if (!records.next(summary.headers))
        return errors::inputPastEndOfFile();
    summary.mapping = chosenMapping(summary.headers, options);
    if (hasNameOrEmail(summary.mapping))
        summary.reading = ImportReading::NameMatched;
    return summary;
}

Result<SourceContacts> readSource(const QString& path, const ImportOptions& options)
{
    const Result<ImportText> start = readImportText(path, startBytes);
    if (!start)
        return start.status();
    Result<ImportSummary> chosen = chooseReading(path, start->text, options);
    if (!chosen)
        return chosen.status();
    SourceContacts source{std::move(*chosen), {}};
    ImportSummary& summary = source.summary;
    Collector collector(source, options);
    Status read;
    switch (summary.reading) {
    case ImportReading::Classic:
        read = readClassicLines(path, summary.layout, collector, summary.tally);
        break;
    case ImportReading::NameMatched:
        read = readNameMatched(path, start->text, summary, collector);
        break;
    case ImportReading::VCard:
        read = readEntries<VCardReader>(path, collector, &summary.vcardVersion);
        break;
    case ImportReading::Ldif:
        read = readEntries<LdifReader>(path, collector, nullptr);
        break;
    case ImportReading::None:
        return source;
    }
    if (!read && isCancelled(read.error()))
        return read;
    if (!read)
        summary.stoppedBy = read.error();
    return source;
}

} // namespace quillet
