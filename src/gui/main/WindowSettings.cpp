#include "gui/main/WindowSettings.h"

#include <QSettings>

#include <cmath>

namespace quillet {

namespace {
int twips(int pixels, double dotsPerInch)
{
    return static_cast<int>(std::lround(pixels * 1440.0 / dotsPerInch));
}
} // namespace

TwipsRect toTwips(const QRect& pixels, double dotsPerInch)
{
    if (dotsPerInch <= 0)
        dotsPerInch = 96;
    return {twips(pixels.x(), dotsPerInch), twips(pixels.y(), dotsPerInch), twips(pixels.width(), dotsPerInch),
            twips(pixels.height(), dotsPerInch)};
}

void writeMainWindowSettings(const TwipsRect& frame)
{
    QSettings settings(QStringLiteral("Quillet"), QStringLiteral("Quillet"));
    settings.beginGroup(QStringLiteral("Settings"));
    settings.setValue(QStringLiteral("MainLeft"), QString::number(frame.left));
    settings.setValue(QStringLiteral("MainTop"), QString::number(frame.top));
    settings.setValue(QStringLiteral("MainWidth"), QString::number(frame.width));
    settings.setValue(QStringLiteral("MainHeight"), QString::number(frame.height));
    settings.endGroup();
    settings.sync();
}

} // namespace quillet
