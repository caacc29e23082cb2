#pragma once

#include "core/exchange/ImportedContact.h"

#include <QString>
#include <QStringView>

#include <functional>

namespace quillet {

// Reads the cards of a vCard 2.1, 3.0 or 4.0 file: folded lines, "item1." groups,
// TYPE and PREF parameters (and 2.1's bare types), quoted-printable values, the
// escapes \n \, \; and \\, several cards per file. Calls `card` for each card and
// returns the VERSION of the first ("3.0"), empty when none says.
QString readVCards(QStringView text, const std::function<void(const ImportedContact&)>& card);

// A property value with its escapes undone.
QString vcardUnescape(QStringView value);
// A structured value (N, ADR) cut at its unescaped separators, each part unescaped.
QStringList vcardComponents(QStringView value, QChar separator = u';');

} // namespace quillet
