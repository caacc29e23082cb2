#include "core/printing/ReturnAddress.h"

#include "core/printing/GridLayout.h"
#include "core/printing/JobTitle.h"
#include "core/printing/PrintRunner.h"
#include "core/printing/SheetTemplate.h"

#include <algorithm>

namespace quillet::returnaddress {

namespace {

constexpr int leadingLines = 5;
// The first text line of a row sits this far below its label's top edge.
constexpr double rowInset = 5;

// The empty lines after rows 8 and 13 were the old layout's way to take up the
// drift of 34-point rows on labels 36 points high; the transcript keeps them.
bool extraLineAfter(int row)
{
    return row == 8 || row == 13;
}

// Each row of labels starts on its physical row, so no row drifts off its labels
// whatever the line height; lines pushed below a row's three follow at the pitch.
GridPlacement placement()
{
    const SheetTemplate sheet = returnAddressSheet();
    GridPlacement placement;
    placement.left = 12;
    int line = leadingLines + 1;
    for (int row = 1; row <= labelRows; ++row) {
        const double labelTop = sheet.labelRect((row - 1) * int(labelColumns.size())).top();
        placement.rowStarts.push_back(GridPlacement::RowStart{line, labelTop + rowInset});
        line += 4 + (extraLineAfter(row) ? 1 : 0);
    }
    // The leading empty lines lead into the first row.
    placement.top = placement.rowStarts.front().top - leadingLines * gridLineHeight(fontSize);
    return placement;
}

} // namespace

std::optional<PrintRejection> check(const std::array<QString, 5>& lines)
{
    if (lines[0].isEmpty() && lines[1].isEmpty() && lines[2].isEmpty())
        return PrintRejection{QStringLiteral("Fill in Lines 1, 2, and 3"), QStringLiteral("Missing Data"), 1};
    if (!lines[3].isEmpty() || !lines[4].isEmpty())
        return PrintRejection{QStringLiteral("Leave Lines 4 and 5 blank"),
                              QStringLiteral("Small label can fit only 3 lines"), 4};
    return std::nullopt;
}

GridDocument compose(const std::array<QString, 5>& lines)
{
    const QString courierNew = QStringLiteral("Courier New");
    GridDocument document;
    document.setTakesPrinterOffset(true);
    document.setOrientation(PageOrientation::Portrait);
    document.setFont(courierNew, fontSize, false);
    document.setPlacement(placement());
    for (int i = 0; i < leadingLines; ++i)
        document.printEmptyLine();
    document.setFont(courierNew, fontSize, false);

    for (int row = 1; row <= labelRows; ++row) {
        for (int line = 0; line < 3; ++line) {
            QList<GridItem> items;
            for (int column : labelColumns)
                items.append(GridItem{column, 0, lines[std::size_t(line)]});
            document.printLine(std::move(items));
        }
        if (extraLineAfter(row))
            document.printEmptyLine();
        document.printEmptyLine();
    }
    return document;
}

std::optional<LongLines> findLongLines(const std::array<QString, 5>& lines)
{
    for (int line = 0; line < 3; ++line)
        if (longerThan(lines[std::size_t(line)], labelCharacters))
            return LongLines{labelRows * int(labelColumns.size()), lines[std::size_t(line)]};
    return std::nullopt;
}

Status print(const std::array<QString, 5>& lines, const PrintChoice& choice, PrintTarget& target)
{
    return printCopies(compose(lines), choice, target, jobTitle(lines));
}

QString jobTitle(const std::array<QString, 5>& lines)
{
    const auto first =
        std::find_if(lines.begin(), lines.begin() + 3, [](const QString& line) { return !line.trimmed().isEmpty(); });
    return quillet::jobTitle(QStringLiteral("Return addresses"), first == lines.begin() + 3 ? QString() : *first);
}

} // namespace quillet::returnaddress
