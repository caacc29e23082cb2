#include "list/ListReport.h"

#include "common/TextRules.h"
#include "printing/GridDocument.h"

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

Result<GridDocument> composeReport(const QStringList& lines, const QString& fileTitle)
{
    GridDocument document;
    document.setFont(reportFont, 10);
    document.setOrientation(PageOrientation::Landscape);
    document.printEmptyLine();
    document.setFontSize(24);
    document.printLine(18, QStringLiteral("Quillet"));
    document.setFontSize(10);
    document.printEmptyLine();
    document.printLine(48, QStringLiteral("File: ") + fileTitle);
    document.printEmptyLine();
    document.printLine(headerItems());
    for (const QString& line : lines) {
        if (Status printed = printReportLine(line, document); !printed)
            return printed;
    }
    document.printEmptyLine();
    document.newPage();
    return document;
}

void composeHeaderSelection(const QString& selectedText, GridDocument& document)
{
    document.setFont(reportFont, 10);
    document.printEmptyLine();
    document.printLine(0, selectedText);
    document.newPage();
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
