#include "gui/main/MainCaption.h"

namespace quillet {

QString startupCaption()
{
    return QStringLiteral("Quillet - labels, envelopes and an address book");
}

QString fileCaption(const QString& fileTitle)
{
    return QStringLiteral("Quillet  [") + fileTitle + QLatin1Char(']');
}

} // namespace quillet
