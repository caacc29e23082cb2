#include "core/exchange/ImportRouting.h"

#include "core/exchange/CleaningRules.h"
#include "core/exchange/ColumnMapping.h"
#include "core/exchange/ColumnTables.h"
#include "core/exchange/CsvLineReader.h"
#include "core/exchange/CsvRecords.h"
#include "core/exchange/ImportText.h"

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

bool quotedFieldsSplit(QStringView text)
{
    CsvRecords records(text, u',');
    QStringList fields;
    while (records.next(fields)) {
        if (records.quotedSeparatorOrBreak())
            return true;
    }
    return false;
}

// Runs the layout's line steps up to the fill without keeping anything: does any line fail?
// A failure to read (a line past the length limit) is left for the import itself, which
// keeps the contacts before it.
bool anyLineShort(CsvLineReader& reader, ImportLayout layout, const std::vector<MatchedRow>& rows)
{
    QString line;
    ContactRecord working;
    while (reader.next(line)) {
        if (!prepareLine(layout, line))
            continue;
        const Columns data = splitColumns(line);
        const Result<bool> skipped = skippedByColumns(layout, data);
        if (!skipped || (!*skipped && !fillFromColumns(rows, data, working).ok()))
            return true;
    }
    return false;
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

} // namespace

Status classicLayoutFor(const QString& path, QStringView text, ImportLayout& layout)
{
    layout = ImportLayout::None;
    // Most files fit no layout: they need no second reading.
    if (const QStringView header = classicHeader(text);
        !header.isEmpty() && detectLayout(header.toString()) == ImportLayout::None)
        return {};
    CsvLineReader reader;
    if (Status status = reader.open(path); !status)
        return status;
    QString header;
    if (!reader.next(header))
        return reader.status().ok() ? Status(errors::inputPastEndOfFile()) : reader.status();
    const ImportLayout candidate = detectLayout(header);
    if (candidate == ImportLayout::None || csvSeparator(firstLine(text)) != u',')
        return {};
    PreparedHeader prepared;
    if (Status status = prepareHeader(candidate, header, prepared); !status)
        return status;
    if (!prepared.compatible)
        return {};
    const Columns columns = splitColumns(prepared.text);
    const std::vector<MatchedRow> rows = matchHeader(candidate, columns);
    if (classicKeyFields(candidate, rows) < nameMatchedKeyFields(candidate, columns, rows) || quotedFieldsSplit(text))
        return {};
    if (!anyLineShort(reader, candidate, rows))
        layout = candidate;
    return {};
}

} // namespace quillet
