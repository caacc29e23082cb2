#include "core/help/AppIcon.h"

namespace quillet {

QIcon applicationIcon()
{
    return QIcon(QStringLiteral(":/quillet/quillet.png"));
}

} // namespace quillet
