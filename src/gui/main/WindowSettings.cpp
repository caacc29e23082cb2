#include "gui/main/WindowSettings.h"

#include "core/common/Settings.h"

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
    settings::setValue(settings::mainLeft, frame.left);
    settings::setValue(settings::mainTop, frame.top);
    settings::setValue(settings::mainWidth, frame.width);
    settings::setValue(settings::mainHeight, frame.height);
}

} // namespace quillet
