#pragma once

#include <QRect>

class QBoxLayout;
class QLayout;
class QScrollArea;
class QWidget;

namespace quillet {

// Where a window of `size` goes: centred over `anchor`, moved inside `screen` where
// it would stick out (its top-left corner stays on screen when it is too big).
QPoint centredPosition(const QSize& size, const QRect& anchor, const QRect& screen);

// Moves `window` (not shown yet) centred over the window `anchor`, inside its screen.
void placeOver(QWidget* window, const QWidget* anchor);

// Moves `inner`, an item of `outer`, into a scroll area in its place, so that a tall
// form scrolls on a small screen instead of pushing the buttons below it away.
QScrollArea* makeScrollable(QBoxLayout* outer, QLayout* inner);

} // namespace quillet
