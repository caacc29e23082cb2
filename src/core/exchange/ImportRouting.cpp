#include "core/exchange/ImportRouting.h"

#include "core/exchange/CleaningRules.h"
#include "core/exchange/ColumnMapping.h"
#include "core/exchange/ColumnTables.h"
#include "core/exchange/CsvLineReader.h"
#include "core/exchange/CsvRecordReader.h"
#include "core/exchange/CsvRecords.h"
#include "core/exchange/ImportText.h"
#include "core/exchange/ImportedContact.h"

#include <algorithm>

namespace quillet {

namespace {

bool isKeyField(Field field)
{
    return field == Field::FirstName || field == Field::LastName || field == Field::Street1 || field == Field::City ||
           field == Field::State || field == Field::Zip || field == Field::Email;
}

int classicKeyFields(ImportLayout layout, const std::vector<MatchedRow>& rows)
{
    const std::span<const Field> cleared = clearedFields(layout);
    std::vector<Field> taken;
    for (const MatchedRow& row : rows) {
        if (isKeyField(row.field) && std::find(cleared.begin(), cleared.end(), row.field) == cleared.end() &&
            std::find(taken.begin(), taken.end(), row.field) == taken.end())
            taken.push_back(row.field);
    }
    return int(taken.size());
}

// Matching by name over the header columns the layout reads: its prepared header,
// but for a mail list only up to the last column its rows take, as its lines end
// at their e-mail address.
int nameMatchedKeyFields(ImportLayout layout, const Columns& header, const std::vector<MatchedRow>& rows)
{
    int last = int(header.size()) - 1;
    if (layout == ImportLayout::MailProgramList) {
        last = -1;
        for (const MatchedRow& row : rows)
            last = std::max(last, row.position == lastColumn ? int(header.size()) - 1 : row.position);
    }
    QStringList read;
    for (int i = 0; i <= last; ++i)
        read << header[std::size_t(i)].toString().remove(u'"');
    return keyFieldCount(suggestMapping(read));
}

bool quotedFieldsSplit(const QString& path)
{
    ImportLines lines;
    if (!lines.open(path))
        return false;
    CsvRecordReader records(lines, u',');
    QStringList fields;
    while (records.next(fields)) {
        if (records.quotedSeparatorOrBreak())
            return true;
    }
    return false;
}

// Whether matching by name keeps a line as a named contact: a line the classic
// reading skips must not be one.
bool namedByMatching(const ColumnMapping& mapping, const QString& line)
{
    CsvRecords records(line, u',');
    QStringList fields;
    if (!records.next(fields))
        return false;
    const ContactRecord record = contactFromImported(importedFromRow(mapping, fields)).record;
    return !record.value(Field::FirstName).isEmpty() || !record.value(Field::LastName).isEmpty();
}

// Runs the layout's line steps up to the fill without keeping anything: does any
// line fail, or does it skip a line that matching by name would keep as a person?
// A failure to read (a line past the length limit) is left for the import itself,
// which keeps the contacts before it.
bool anyLineLost(CsvLineReader& reader, ImportLayout layout, const std::vector<MatchedRow>& rows,
                 const ColumnMapping& mapping, const QString& header)
{
    QString line;
    ContactRecord working;
    while (reader.next(line)) {
        // A header repeated inside the file (some exports write one per page) is no contact.
        const QString raw = line == header ? QString() : line;
        if (!prepareLine(layout, line)) {
            if (namedByMatching(mapping, raw))
                return true;
            continue;
        }
        const Columns data = splitColumns(line);
        const Result<bool> skipped = skippedByColumns(layout, data);
        if (!skipped || (*skipped && namedByMatching(mapping, raw)) ||
            (!*skipped && !fillFromColumns(rows, data, working).ok()))
            return true;
    }
    return false;
}

// Whether the layout reads every column of the file that its table names: a header
// cut or shifted by the layout's preparation loses columns it would otherwise read.
bool readsNamedColumns(ImportLayout layout, const QStringList& header, const std::vector<MatchedRow>& rows,
                       const Columns& prepared)
{
    for (const ColumnRow& row : columnTable(layout)) {
        if (!header.contains(row.header.toString()))
            continue;
        const bool read = std::any_of(rows.begin(), rows.end(), [&](const MatchedRow& matched) {
            const qsizetype at = matched.position == lastColumn ? qsizetype(prepared.size()) - 1 : matched.position;
            return at >= 0 && at < qsizetype(prepared.size()) &&
                   prepared[std::size_t(at)].toString().remove(u'"') == row.header;
        });
        if (!read)
            return false;
    }
    return true;
}

// The header line as the classic reading finds it: lines end at CR when the text has
// one anywhere, else at LF, and empty lines are passed over.
QStringView classicHeader(QStringView text)
{
    const QChar end = text.contains(u'\r') ? u'\r' : u'\n';
    qsizetype start = 0;
    while (start < text.size() && (text[start] == end || (end == u'\r' && text[start] == u'\n')))
        ++start;
    const qsizetype stop = text.indexOf(end, start);
    return text.sliced(start, (stop < 0 ? text.size() : stop) - start);
}

QStringList headerFields(const QString& header)
{
    CsvRecords records(header, u',');
    QStringList fields;
    records.next(fields);
    for (QString& field : fields)
        field = field.trimmed();
    return fields;
}

} // namespace

Result<ImportLayout> classicLayoutFor(const QString& path, QStringView start)
{
    // Most files fit no layout: they need no second reading.
    if (const QStringView header = classicHeader(start);
        !header.isEmpty() && detectLayout(header.toString()) == ImportLayout::None)
        return ImportLayout::None;
    CsvLineReader reader;
    if (Status status = reader.open(path); !status)
        return status;
    QString header;
    if (!reader.next(header))
        return reader.status().ok() ? Status(errors::inputPastEndOfFile()) : reader.status();
    const ImportLayout candidate = detectLayout(header);
    if (candidate == ImportLayout::None || csvSeparator(firstLine(start)) != u',')
        return ImportLayout::None;
    const Result<PreparedHeader> prepared = prepareHeader(candidate, header);
    if (!prepared)
        return prepared.status();
    if (!prepared->compatible)
        return ImportLayout::None;
    const Columns columns = splitColumns(prepared->text);
    const std::vector<MatchedRow> rows = matchHeader(candidate, columns);
    const QStringList names = headerFields(header);
    if (classicKeyFields(candidate, rows) < nameMatchedKeyFields(candidate, columns, rows) ||
        !readsNamedColumns(candidate, names, rows, columns) || quotedFieldsSplit(path))
        return ImportLayout::None;
    if (anyLineLost(reader, candidate, rows, suggestMapping(names), header))
        return ImportLayout::None;
    return candidate;
}

} // namespace quillet
