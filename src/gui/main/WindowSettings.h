#pragma once

#include <QRect>

namespace quillet {

// The main window's frame in twips (1/1440 inch) of the screen, as written at shutdown.
struct TwipsRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

TwipsRect toTwips(const QRect& pixels, double dotsPerInch);

// Writes "MainLeft", "MainTop", "MainWidth" and "MainHeight" as decimal text under
// the group "Settings" of the per-user settings. Nothing reads them back.
void writeMainWindowSettings(const TwipsRect& frame);

} // namespace quillet
