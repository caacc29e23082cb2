#pragma once

#include <QString>

#include <optional>

namespace quillet {

// The two margin fields of the main window: indents (left margin in character
// columns, txtLMLeftPad) and pad rows (top margin in blank text lines, txtLMToppad).
struct GridMargins
{
    int indents = 2;
    int padRows = 3;

    QString indentsText() const { return QString::number(indents); }
    QString padRowsText() const { return QString::number(padRows); }
    friend bool operator==(const GridMargins&, const GridMargins&) = default;
};

// "2" and "3": the margins at start, after Clear Form and after choosing Portrait.
inline constexpr GridMargins defaultMargins{2, 3};

// A margin field as printing reads it: its leading number rounded half to even.
// Nothing when the value does not fit a signed 16-bit integer; printing then
// stops with the printer-problem message.
std::optional<int> readMarginField(const QString& text);

} // namespace quillet
