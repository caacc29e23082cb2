#pragma once

#include <QString>
#include <QStringList>

namespace quillet {

// The clipboard text of list lines: CR LF before each line, so it begins with a
// line break and does not end with one.
QString clipboardTextFor(const QStringList& lines);

// The lines a Paste adds: the text split at every CR LF, empty pieces included
// (an empty clipboard gives one empty line).
QStringList pastedLines(const QString& clipboardText);

} // namespace quillet
