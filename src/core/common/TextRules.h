#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The text and number rules of the older platform that our algorithms assume.
// Each rule lives here once, so windows, the CLI and the import all agree.
namespace quillet::text {

// Trimming removes spaces (U+0020) only; tabs and line breaks stay.
QString trimSpaces(const QString& text);
QString trimLeadingSpaces(const QString& text);
QString trimTrailingSpaces(const QString& text);
// The same within a text, and on a record's Windows-1252 bytes (a space is 0x20).
QStringView trimSpaces(QStringView text);
QByteArrayView trimSpaces(QByteArrayView bytes);

// Nothing is contained in an empty text, and an empty needle is contained in any
// non-empty text (unlike QString::contains, for which "" contains "").
bool contains(const QString& haystack, const QString& needle);

// 1-based substring rules. Counts past the end are clamped; a negative count or a
// start below 1 is an invalid call: the result is empty and *ok (when given) is
// set to false, so a caller can report "Invalid procedure call or argument".
QString left(const QString& text, int count, bool* ok = nullptr);
QString right(const QString& text, int count, bool* ok = nullptr);
QString mid(const QString& text, int start, bool* ok = nullptr);
QString mid(const QString& text, int start, int count, bool* ok = nullptr);

// 1-based position of needle in haystack from `start` on, 0 when absent.
// An empty haystack gives 0; an empty needle gives `start` while start <= length + 1.
// A start below 1 is an invalid call (0, *ok = false).
int positionOf(const QString& haystack, const QString& needle, int start = 1, bool* ok = nullptr);

// The number a text begins with, 0 when none: blanks (space, tab, line feed) are
// skipped anywhere in the number, then an optional sign, digits, one decimal point
// and an optional exponent (E or D); reading stops at the first other character.
// "  1 2.5x" -> 12.5, "-3" -> -3, "abc" -> 0.
double leadingNumber(QStringView text);
// The same without a fraction or an exponent: blanks, an optional sign and digits.
// "0.5e1" -> 0, " 5 55-1234" -> 555.
double leadingWholeNumber(QStringView text);

// The general numeric-text test: optional surrounding blanks, an optional sign,
// digits (',' allowed between digits as thousands separators) with at most one
// decimal point and at least one digit, and an optional exponent. "" is not numeric.
bool isNumeric(const QString& text);

// Rounds to the nearest whole number, a half to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);
// As roundHalfEven, but empty when the result does not fit a signed 16-bit or
// 32-bit integer (the older platform's overflow), or the value is not finite.
std::optional<int> roundToInt16(double value);
std::optional<int> roundToInt32(double value);

// The text without control characters (U+0000-U+001F, U+007F-U+009F), which no
// stored value may hold: a tab or a line break becomes a space (CR LF one space),
// anything else is removed. Text without them comes back unchanged without copying.
QString withoutControls(const QString& text);

// Upper and lower case character by character: "ß" stays one character.
QString upperCase(const QString& text);
QString lowerCase(const QString& text);

// Where `c` is in `text` from `from` on, or -1. Qt 6.4's QStringView::indexOf(QChar)
// takes its general substring search, too slow for the readers' searches on every line.
qsizetype find(QStringView text, QChar c, qsizetype from = 0);

// Whether `text` is `word`, or holds it, with ASCII letters compared without case:
// for the keywords of file formats (vCard names and parameters, address types),
// which are ASCII and compared on every line.
bool isKeyword(QStringView text, QLatin1StringView word);
bool holdsKeyword(QStringView text, QLatin1StringView word);

} // namespace quillet::text
