#include "core/list/ListReport.h"

#include "core/common/TextRules.h"
#include "core/printing/GridDocument.h"

#include <algorithm>

namespace quillet {

namespace {

const QString reportFont = QStringLiteral("Courier New");

QList<GridItem> headerItems()
{
    QList<GridItem> items;
    for (const ReportColumn& column : reportColumns())
        items << GridItem{column.column, 0, column.header};
    return items;
}

Status printReportLine(const QString& line, GridDocument& document)
{
    if (line.isEmpty()) {
        document.printEmptyLine();
        return Status::success();
    }
    const QStringList columns = line.split(QLatin1Char('\t'));
    QList<GridItem> items;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        // Only a column that would be printed needs a place: an empty one ends the line first.
        if (i >= static_cast<qsizetype>(reportColumns().size()))
            return errors::subscriptOutOfRange();
        items << GridItem{reportColumns()[static_cast<std::size_t>(i)].column, 0, text::trimSpaces(columns[i])};
        if (columns[i].isEmpty())
            break;
    }
    document.printLine(items);
    return Status::success();
}

} // namespace

const std::array<ReportColumn, 7>& reportColumns()
{
    static const std::array<ReportColumn, 7> columns{{
        {QStringLiteral("Name"), 2},
        {QStringLiteral("City"), 30},
        {QStringLiteral("ST"), 48},
        {QStringLiteral("Zip"), 52},
        {QStringLiteral("Home"), 64},
        {QStringLiteral("Cell"), 78},
        {QStringLiteral("Email Address"), 92},
    }};
    return columns;
}

int estimatedReportPages(int lineCount)
{
    return static_cast<int>(text::roundHalfEven(lineCount / 54.0 + 1));
}

Status checkReportLines(const QStringList& lines)
{
    GridDocument scratch;
    for (const QString& line : lines) {
        if (Status printed = printReportLine(line, scratch); !printed)
            return printed;
        scratch = GridDocument();
    }
    return Status::success();
}

GridStream reportStream(const QStringList& lines, const QString& fileTitle)
{
    constexpr qsizetype linesPerChunk = 500;
    GridStream stream;
    stream.next = [&lines, fileTitle, next = qsizetype(-1)](GridDocument& chunk) mutable {
        if (next < 0) {
            chunk.setFont(reportFont, 10);
            chunk.setOrientation(PageOrientation::Landscape);
            chunk.printEmptyLine();
            chunk.setFontSize(24);
            chunk.printLine(18, QStringLiteral("Quillet"));
            chunk.setFontSize(10);
            chunk.printEmptyLine();
            chunk.printLine(48, QStringLiteral("File: ") + fileTitle);
            chunk.printEmptyLine();
            chunk.printLine(headerItems());
            next = 0;
            return true;
        }
        if (next > lines.size())
            return false;
        const qsizetype end = std::min(next + linesPerChunk, lines.size());
        for (; next < end; ++next)
            static_cast<void>(printReportLine(lines[next], chunk)); // checked before
        if (next == lines.size()) {
            chunk.printEmptyLine();
            chunk.newPage();
            ++next;
        }
        return true;
    };
    return stream;
}

Result<GridDocument> composeReport(const QStringList& lines, const QString& fileTitle)
{
    if (Status checked = checkReportLines(lines); !checked)
        return checked;
    GridStream stream = reportStream(lines, fileTitle);
    return wholeDocument(stream);
}

void composeLineSelection(const QStringList& selectedLines, GridDocument& document)
{
    document.setFont(QStringLiteral("MS Sans Serif"), 10);
    if (!selectedLines.isEmpty())
        document.printLine(headerItems());
    document.printEmptyLine();
    for (const QString& line : selectedLines)
        document.printLine(0, line);
    document.newPage();
}

} // namespace quillet
