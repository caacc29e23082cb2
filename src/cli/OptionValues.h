#pragma once

#include "core/common/Result.h"
#include "core/exchange/ColumnMapping.h"

#include <QPointF>
#include <QString>

// The readings of the option values that need more than a lookup. Each gives the
// value, or the usage error (exit status 2) whose message names the option. They
// are plain functions of the text so that the fuzz targets reach them directly.
namespace quillet::cli {

// Every copy is its own job: a bound keeps a typing slip from printing for hours.
inline constexpr int maxCopies = 999;

struct ColumnChoice
{
    QString header;
    ImportField field = ImportField::Ignore;
};

// A usage error with this message.
AppError usageProblem(const QString& message);

// --copies K: a whole number from 1 to maxCopies, in plain digits.
Result<int> copiesValue(const QString& text);
// --offset X,Y: two finite numbers of millimetres, each from -10 to 10.
Result<QPointF> offsetValue(const QString& text);
// --start N: a label position from 1 to the sheet's label count, in plain digits.
Result<int> startValue(const QString& text, int labelCount);
// --map HEADER=FIELD: a header that is not blank and a field word (first, mi, ...,
// ignore). The header is everything before the last "=", so it may hold one.
Result<ColumnChoice> mapValue(const QString& text);
// A value that names something (--sheet, --printer): not empty or blank.
Result<QString> nameValue(const QString& option, const QString& text);

} // namespace quillet::cli
