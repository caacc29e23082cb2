#include "core/printing/TypedLines.h"

#include "core/printing/EnvelopeSizes.h"
#include "core/printing/JobTitle.h"
#include "core/printing/LabelSheet.h"
#include "core/printing/PrintMargins.h"
#include "core/printing/PrintRunner.h"
#include "ports/PrintTarget.h"

#include <algorithm>

namespace quillet {

namespace {
const QString courierNew = QStringLiteral("Courier New");
constexpr double portraitSize = 10;
constexpr double landscapeSize = 12;

// Typed lines on portrait label stock. The pad-row table steps 60 lines over 9
// inches, so a line is 10.8 points; with the grid's top 2 points down, five lines
// sit inside every label of the 30-label sheet, and 12 points in, the 30 columns
// a line is centred on fit every label across.
GridPlacement labelStockPlacement()
{
    GridPlacement placement;
    placement.left = 12;
    placement.top = 2;
    placement.lineHeight = 10.8;
    return placement;
}
} // namespace

AppError marginOverflow()
{
    return AppError{6, QStringLiteral("Overflow")};
}

std::optional<PrintRejection> checkTypedLines(const TypedLinesRequest& request)
{
    const bool allEmpty =
        std::all_of(request.lines.begin(), request.lines.end(), [](const QString& line) { return line.isEmpty(); });
    if (allEmpty)
        return PrintRejection{QStringLiteral("No information entered"), QStringLiteral("Missing Data")};
    if (request.media == PrintMedia::None)
        return PrintRejection{QStringLiteral("Select Label stock or Envelope"), QStringLiteral("Media Selection")};
    if (request.media == PrintMedia::Envelope && envelopes::sizeNoFromText(request.envelopeSizeNo) == 0)
        return PrintRejection{QStringLiteral("Select Envelope size"), QStringLiteral("Envelope Size")};
    return std::nullopt;
}

std::optional<GridDocument> composeTypedLines(const TypedLinesRequest& request)
{
    const std::optional<int> indents = readMarginField(request.leftPadText);
    const std::optional<int> padRows = readMarginField(request.topPadText);
    if (!indents || !padRows)
        return std::nullopt;

    const bool portrait = request.orientation == PageOrientation::Portrait;
    GridDocument document;
    document.setTakesPrinterOffset(true);
    document.setOrientation(request.orientation);
    document.setFont(courierNew, portrait ? portraitSize : landscapeSize, false);
    if (request.media == PrintMedia::Label && portrait)
        document.setPlacement(labelStockPlacement());
    document.printEmptyLine();
    for (int row = 0; row < *padRows; ++row)
        document.printEmptyLine();
    if (request.media == PrintMedia::Envelope && request.bold)
        document.setBold(true);
    if (request.media == PrintMedia::Label)
        document.setBold(false);

    const int column = std::max(1, *indents);
    for (const QString& line : request.lines) {
        const int spaces = request.alignment == LineAlignment::Centered
                               ? labelsheet::centringSpaces(labelsheet::characterCount(line))
                               : 0;
        document.printLine({GridItem{column, spaces, line}});
    }
    return document;
}

std::optional<LongLines> findLongTypedLines(const TypedLinesRequest& request)
{
    if (request.media != PrintMedia::Label)
        return std::nullopt;
    for (const QString& line : request.lines)
        if (longerThan(line, labelsheet::labelWidth))
            return LongLines{1, line};
    return std::nullopt;
}

Status printTypedLines(const TypedLinesRequest& request, const PrintChoice& choice, PrintTarget& target)
{
    if (choice.cancelled)
        return Status::success();
    const std::optional<GridDocument> document = composeTypedLines(request);
    if (!document)
        return marginOverflow();
    return printCopies(*document, choice, target, typedLinesJobTitle(request));
}

QString typedLinesJobTitle(const TypedLinesRequest& request)
{
    const auto first = std::find_if(request.lines.begin(), request.lines.end(),
                                    [](const QString& line) { return !line.trimmed().isEmpty(); });
    const QString what = request.media == PrintMedia::Envelope ? QStringLiteral("Envelope") : QStringLiteral("Label");
    return jobTitle(what, first == request.lines.end() ? QString() : *first);
}

} // namespace quillet
