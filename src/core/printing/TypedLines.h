#pragma once

#include "core/common/AppError.h"
#include "core/printing/GridDocument.h"
#include "core/printing/LongLines.h"
#include "core/printing/PrintRejection.h"
#include "ports/PrintDialog.h"

#include <QString>

#include <array>
#include <optional>

namespace quillet {

class PrintTarget;

enum class PrintMedia { None, Label, Envelope };      // optLMLabel / optLMEnvelope
enum class LineAlignment { LeftJustified, Centered }; // optLMLeftjust / optLMCenter

// What the main window holds when Print is chosen, as plain values, so that the
// window and quillet-cli print through the same rules.
struct TypedLinesRequest
{
    std::array<QString, 5> lines; // txtLMLine1..5 as typed, not trimmed
    PrintMedia media = PrintMedia::None;
    QString envelopeSizeNo; // "1".."7"; "0" or empty: no size
    PageOrientation orientation = PageOrientation::Portrait;
    LineAlignment alignment = LineAlignment::LeftJustified;
    bool bold = false;                         // chkBold
    QString leftPadText = QStringLiteral("2"); // txtLMLeftPad
    QString topPadText = QStringLiteral("3");  // txtLMToppad
};

// The three checks Print makes before the print dialog, in order; the first that
// fails, or nothing when the request may be printed.
std::optional<PrintRejection> checkTypedLines(const TypedLinesRequest& request);

// One copy of the typed lines as a grid document. Nothing when a margin field
// does not fit a signed 16-bit integer: the caller shows the printer problem.
std::optional<GridDocument> composeTypedLines(const TypedLinesRequest& request);

// On label stock, the first line longer than the label's 30 columns: the grid
// pushes it on into the next label.
std::optional<LongLines> findLongTypedLines(const TypedLinesRequest& request);

// The print job's title: "Label" or "Envelope" and the first line typed.
QString typedLinesJobTitle(const TypedLinesRequest& request);

// Composes and prints the copies the dialog asked for, each its own job. On a
// failure the caller shows printerProblemText/printerProblemTitle. After printing
// on label stock the window unchecks and hides chkBold.
Status printTypedLines(const TypedLinesRequest& request, const PrintChoice& choice, PrintTarget& target);

// The error a margin outside the 16-bit range reports (older platform's "Overflow").
AppError marginOverflow();

} // namespace quillet
