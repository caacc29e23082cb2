#pragma once

class QWidget;

namespace quillet {

// Enter (either key) on a focused push button of `window` presses it, as Space does;
// a main window, unlike a dialog, has no default buttons to do it.
void pressButtonsOnEnter(QWidget* window);

// Escape that no control of `window` took closes it, as it closes a message box.
void closeOnEscape(QWidget* window);

} // namespace quillet
