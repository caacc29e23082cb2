#pragma once

#include <QString>
#include <QStringList>

namespace quillet {

// Turns a filter list "Description (*.EXT)|*.EXT|Other (*.x)|*.x" into Qt name
// filters whose patterns match without regard to case: each keeps its description
// for display and carries the patterns in bracket form, "Description (*.EXT) (*.[eE][xX][tT])".
// A description without its pattern part is used for display only.
QStringList qtNameFilters(const QString& filter);

// "*.DAT" -> "*.[dD][aA][tT]"; characters without case stay as they are.
QString caseInsensitivePattern(const QString& pattern);

} // namespace quillet
