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

// A sheet of 80 return-address labels (Avery 18167: 4 across, 20 down) from the
// first three typed lines, Courier New 8 points, portrait. The margin fields,
// media, alignment, orientation and Bold options play no part.
namespace returnaddress {

inline constexpr double fontSize = 8;
inline constexpr int labelRows = 20;
// The column each of the four labels of a row starts at.
inline constexpr std::array<int, 4> labelColumns{3, 35, 66, 97};
// The longest line that fits every label of the sheet.
inline constexpr int labelCharacters = 24;

// Its two checks: lines 1-3 all empty (focus line 1); line 4 or 5 filled (focus line 4).
std::optional<PrintRejection> check(const std::array<QString, 5>& lines);

// One copy of the sheet. Lines longer than the gap to the next label column push
// that label's copy to the following text line; nothing is shortened.
GridDocument compose(const std::array<QString, 5>& lines);

// The first of the three lines longer than a label: it runs into the next one,
// on all 80 labels.
std::optional<LongLines> findLongLines(const std::array<QString, 5>& lines);

// The print job's title: "Return addresses" and the first line typed.
QString jobTitle(const std::array<QString, 5>& lines);

// Prints the copies the dialog asked for, each its own job. The window unchecks
// and hides chkBold after.
Status print(const std::array<QString, 5>& lines, const PrintChoice& choice, PrintTarget& target);

} // namespace returnaddress
} // namespace quillet
