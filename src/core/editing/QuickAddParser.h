#pragma once

#include "core/editing/ContactForm.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace quillet {

inline const QString lineOneNeedsSpaceText = QStringLiteral("Line 1 must contain a space.");

// What quick add puts into the Add Contact window. A field the rules do not reach,
// or cannot make sense of, stays unset and keeps what the window holds.
struct QuickAddResult
{
    // Line 1 holds text but no space: the window is not shown at all.
    bool lineOneNeedsSpace = false;
    std::array<std::optional<QString>, formFieldCount> values;

    const std::optional<QString>& value(FormField field) const { return values[static_cast<std::size_t>(field)]; }
    void set(FormField field, const QString& text) { values[static_cast<std::size_t>(field)] = text; }
};

// Splits the main window's five label lines (fewer count as empty) into name,
// street, second street line, city, state and ZIP code by fixed text rules.
QuickAddResult parseLabelLines(const QStringList& lines);

} // namespace quillet
