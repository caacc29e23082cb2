#pragma once

#include <QString>

namespace quillet {

// A sheet of paper as a job fixes it, portrait, in points.
struct Paper
{
    QString name = QStringLiteral("US Letter");
    double width = 612;
    double height = 792;

    static Paper letter() { return Paper{}; }
    static Paper a4() { return Paper{QStringLiteral("A4"), 595.2756, 841.8898}; }
    friend bool operator==(const Paper&, const Paper&) = default;
};

// Sizes on paper are in PostScript points.
inline constexpr double pointsPerInch = 72;
inline constexpr double pointsPerMm = pointsPerInch / 25.4;

// Every job is laid out on its paper less this much on every side: the margins of
// the printers the built-in layouts were made for, whatever the printer's own are.
inline constexpr double layoutMargin = pointsPerInch / 4; // a quarter inch

} // namespace quillet
