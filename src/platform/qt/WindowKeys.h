#pragma once

class QWidget;

namespace quillet {

// Enter (either key) on a focused push button of `window` presses it, as Space does;
// a main window, unlike a dialog, has no default buttons to do it.
void pressButtonsOnEnter(QWidget* window);

} // namespace quillet
