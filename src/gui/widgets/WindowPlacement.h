#pragma once

#include <QRect>

class QBoxLayout;
class QLayout;
class QScrollArea;
class QWidget;

namespace quillet {

// A window's frame as the window manager reports it. Under X11, QWidget::frameGeometry()
// of a window shown again reports no frame until the window is next moved; the
// platform window knows it.
QRect windowFrame(const QWidget* window);

// Where a window of `size` goes: centred over `anchor`, moved inside `screen` where
// it would stick out (its top-left corner stays on screen when it is too big).
QPoint centredPosition(const QSize& size, const QRect& anchor, const QRect& screen);

// Moves `window` (not shown yet) centred over the window `anchor`, inside its screen.
void placeOver(QWidget* window, const QWidget* anchor);

// Grows a shown window to `wanted` (it never shrinks), no larger than its screen,
// and moves it so that its frame stays on the screen.
void growWithinScreen(QWidget* window, const QSize& wanted);

// Moves `inner`, an item of `outer`, into a scroll area in its place, so that a tall
// form scrolls on a small screen instead of pushing the buttons below it away.
QScrollArea* makeScrollable(QBoxLayout* outer, QLayout* inner);

} // namespace quillet
