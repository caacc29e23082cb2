#pragma once

#include <QStringView>

#include <optional>

namespace quillet::printnum {

// Number rules the margin fields and the label-position box rely on. They follow
// the older platform: a text is worth the number it begins with, and rounding to
// a whole number sends halves to the even neighbour.

// The number a text begins with: blanks skipped, an optional sign, digits (blanks
// between them skipped), an optional fraction and exponent. 0 when it begins with none.
double leadingNumber(QStringView text);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// The text's leading number rounded half to even, or nothing when it does not
// fit a signed 16-bit integer.
std::optional<int> wholeNumber16(QStringView text);

} // namespace quillet::printnum
