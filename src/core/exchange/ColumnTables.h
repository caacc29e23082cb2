#pragma once

#include "core/common/AppError.h"
#include "core/common/Result.h"
#include "core/contacts/ContactRecord.h"
#include "core/exchange/ImportLayout.h"

#include <QStringView>

#include <span>
#include <vector>

namespace quillet {

// A prepared line cut at every comma, with no regard to quotes: n commas give
// n + 1 columns, an empty text none. The views point into the text.
using Columns = std::vector<QStringView>;
Columns splitColumns(QStringView text);

// One row of a layout's column table: when header column `position` reads
// `header`, the field takes data column `position` (MI only its first character).
struct ColumnRow
{
    int position;
    QStringView header;
    Field field;
};
// The position of a row that looks at the header's last column and takes the
// data line's last column.
inline constexpr int lastColumn = -1;

std::span<const ColumnRow> columnTable(ImportLayout layout);

// A row that matched the header, in table order, so later rows overwrite earlier ones.
struct MatchedRow
{
    int position; // lastColumn: the data line's last column
    Field field;
};
// The rows whose header text stands at their position; a row past the last header
// column does not match.
std::vector<MatchedRow> matchHeader(ImportLayout layout, const Columns& header);

// Fills the working contact from a data line. A column the line does not have is
// "Subscript out of range".
Status fillFromColumns(const std::vector<MatchedRow>& rows, const Columns& data, ContactRecord& working);

// The skip rules that look at columns: a mail program export needs its last name
// (2) and e-mail (14), the name and e-mail lists their columns 0 and 1. Both
// columns are read even when the first is empty, so a short line is a failure.
Result<bool> skippedByColumns(ImportLayout layout, const Columns& data);

} // namespace quillet
