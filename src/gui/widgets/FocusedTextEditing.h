#pragma once

class QWidget;

namespace quillet {

// The Edit menu's commands on the control that has the focus, through the system
// clipboard. Text fields (and editable lists' text parts) take part; any other
// control has no selection, so Cut and Copy do nothing there and Paste is ignored.
bool hasSelectedText(const QWidget* widget);
void cutSelection(QWidget* widget);
void copySelection(QWidget* widget);
void pasteClipboard(QWidget* widget);

} // namespace quillet
