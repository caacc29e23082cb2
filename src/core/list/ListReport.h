#pragma once

#include "core/common/AppError.h"
#include "core/common/Result.h"
#include "core/list/ListLine.h"
#include "core/list/ListedContacts.h"
#include "core/printing/GridDocument.h"

#include <QString>
#include <QStringList>

#include <array>

namespace quillet {

class ListOrder;
struct GridStream;
struct ListQuery;

struct ReportColumn
{
    QString header;
    int column; // character column the list line's column is printed at
};
// The seven columns of a list line as the report prints them.
const std::array<ReportColumn, 7>& reportColumns();

// The page count the print dialog proposes: lines / 54 + 1, rounded half to even.
int estimatedReportPages(int lineCount);

// One copy of the report, landscape: the title, "File: " + title, the column header,
// and each line's columns trimmed at their columns. A column that is empty before
// trimming ends its printed line; a line of more than seven columns has no place
// to print its eighth and is an error.
Result<GridDocument> composeReport(const QStringList& lines, const QString& fileTitle);
// The same in pieces, for long lists: check every line first, then stream the
// report; the stream reads `lines` while it runs.
Status checkReportLines(const QStringList& lines);
GridStream reportStream(const QStringList& lines, const QString& fileTitle);
// How many pieces the report's stream makes for so many lines.
qsizetype reportStreamPieces(qsizetype lineCount);

// The contacts of a report in list order and what checkReportLines says of their
// lines, from one reading of each record.
struct ListedReport
{
    ListedContacts contacts;
    SortOrder lineOrder = SortOrder::FirstName;
    Status check;
};
Result<ListedReport> listReport(const ContactsFile& file, const ListQuery& query, const ListOrder& order);
// The report of those contacts, their lines read again a run at a time as the
// pages are made: the stream stops with errors::fileChanged() when another program
// changed one since. It reads `file` and `listed` while it runs.
GridStream reportStream(const ContactsFile& file, const ListedReport& listed, const QString& fileTitle);

// "Print only the selection" from the list: the header once (when any line is
// selected) and the selected lines unchanged, tabs included.
void composeLineSelection(const QStringList& selectedLines, GridDocument& document);

} // namespace quillet
