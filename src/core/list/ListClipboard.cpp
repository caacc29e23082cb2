#include "core/list/ListClipboard.h"

namespace quillet {

namespace {
const QString crlf = QStringLiteral("\r\n");
}

QString clipboardTextFor(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += crlf + line;
    return text;
}

QStringList pastedLines(const QString& clipboardText)
{
    return clipboardText.split(crlf, Qt::KeepEmptyParts);
}

} // namespace quillet
