#include "core/printing/ReturnAddress.h"

#include "core/printing/PrintRunner.h"

namespace quillet::returnaddress {

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
    for (int i = 0; i < 5; ++i)
        document.printEmptyLine();
    document.setFont(courierNew, fontSize, false);

    for (int row = 1; row <= labelRows; ++row) {
        for (int line = 0; line < 3; ++line) {
            QList<GridItem> items;
            for (int column : labelColumns)
                items.append(GridItem{column, 0, lines[std::size_t(line)]});
            document.printLine(std::move(items));
        }
        // A row of four lines is 0.47 inch on labels half an inch high; two extra
        // lines down the sheet take up the drift.
        if (row == 8 || row == 13)
            document.printEmptyLine();
        document.printEmptyLine();
    }
    return document;
}

Status print(const std::array<QString, 5>& lines, const PrintChoice& choice, PrintTarget& target)
{
    return printCopies(compose(lines), choice, target);
}

} // namespace quillet::returnaddress
