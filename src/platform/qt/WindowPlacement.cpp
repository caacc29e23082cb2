#include "platform/qt/WindowPlacement.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace quillet {

QPoint centredPosition(const QSize& size, const QRect& anchor, const QRect& screen)
{
    QPoint topLeft =
        anchor.topLeft() + QPoint((anchor.width() - size.width()) / 2, (anchor.height() - size.height()) / 2);
    topLeft.setX(std::max(screen.left(), std::min(topLeft.x(), screen.right() + 1 - size.width())));
    topLeft.setY(std::max(screen.top(), std::min(topLeft.y(), screen.bottom() + 1 - size.height())));
    return topLeft;
}

void placeOver(QWidget* window, const QWidget* anchor)
{
    const QRect anchorFrame = anchor->frameGeometry();
    const QScreen* screen = QGuiApplication::screenAt(anchorFrame.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->ensurePolished();
    // Unshown, the window has no frame yet: it gets the anchor's, and the size its
    // layout will give it.
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
    const QSize frame = anchorFrame.size() - anchor->geometry().size();
    const QRect available = screen->availableGeometry();
    // A window taller or wider than the screen is cut to it; its form scrolls.
    const QSize fitting = window->size().boundedTo(available.size() - frame);
    if (fitting != window->size())
        window->resize(fitting);
    const QSize size = window->size() + frame;
    const QPoint frameTopLeft = centredPosition(size, anchorFrame, available);
    // move() places the frame's corner of a window that has a frame.
    window->move(frameTopLeft);
}

} // namespace quillet
