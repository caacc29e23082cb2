#include "core/printing/LabelSheet.h"

#include "core/common/TextRules.h"

#include <QtGlobal>

#include <array>

namespace quillet::labelsheet {

namespace {
constexpr std::array<int, columns> columnIndentTable{2, 35, 68};
constexpr std::array<int, rows> rowPadTable{3, 10, 16, 23, 30, 36, 43, 50, 56, 63};
} // namespace

int columnOf(int position)
{
    return (position - 1) % columns + 1;
}

int rowOf(int position)
{
    return (position - 1) / columns + 1;
}

int columnIndents(int column)
{
    Q_ASSERT(column >= 1 && column <= columns);
    return columnIndentTable[std::size_t(column - 1)];
}

int rowPadRows(int row)
{
    Q_ASSERT(row >= 1 && row <= rows);
    return rowPadTable[std::size_t(row - 1)];
}

GridMargins positionMargins(int position)
{
    Q_ASSERT(position >= 1 && position <= positions);
    return GridMargins{columnIndents(columnOf(position)), rowPadRows(rowOf(position))};
}

int centringSpaces(int length)
{
    const double spaces = text::roundHalfEven(labelWidth / 2.0 - length / 2.0);
    return spaces < 1 ? 0 : int(spaces);
}

int characterCount(const QString& text)
{
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        ++count;
    }
    return count;
}

int visibleCount(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return characterCount(text.left(end));
}

} // namespace quillet::labelsheet
