#pragma once

#include "core/printing/PrintMargins.h"

#include <QString>

namespace quillet {

// The 30-label sheet (3 across, 10 down, Avery 5160/8160 compatible), printed in
// portrait with Courier New 10 points. Positions run 1 to 30 left to right, then
// row by row.
namespace labelsheet {

inline constexpr int positions = 30;
inline constexpr int columns = 3;
inline constexpr int rows = 10;
inline constexpr double fontSize = 10;
// Lines are centred on a label 30 columns wide.
inline constexpr int labelWidth = 30;

int columnOf(int position); // 1..3
int rowOf(int position);    // 1..10
// Indents of a label column: 2, 35, 68.
int columnIndents(int column);
// Pad rows of a label row: 3, 10, 16, 23, 30, 36, 43, 50, 56, 63.
int rowPadRows(int row);
// The margins that put text on `position` (1..30): "35"/"10" for 5, "68"/"63" for 30.
GridMargins positionMargins(int position);

// Spaces printed after the tab before a centred line of `length` characters:
// 15 - length / 2, halves to even, none when below 1.
int centringSpaces(int length);

// Characters in a text as printing counts them (code points).
int characterCount(const QString& text);
// The same without trailing spaces, which take no room on a label.
int visibleCount(const QString& text);

} // namespace labelsheet
} // namespace quillet
