#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace quillet {

// A window's Edit menu: Cut, Copy and Paste on the selection of the control that
// has the focus, through the system clipboard. Text fields (and editable lists'
// text parts) take part; any other control has no selection, so Cut and Copy leave
// the clipboard alone there and Paste is ignored.
//
// Cut and Copy are enabled or disabled only when the menu drops down; until it
// drops down again their shortcuts keep the state last worked out. Paste stays enabled.
class EditMenu : public QObject
{
    Q_OBJECT
public:
    // When dropping the menu down disables Cut and Copy.
    enum class Disable {
        WithoutSelection,         // whenever the focused control has no selected text
        ForEmptyTextSelectionOnly // only when a text field has the focus with nothing selected
    };

    EditMenu(QWidget* window, QMenu* menu, QAction* cut, QAction* copy, QAction* paste,
             Disable rule = Disable::WithoutSelection);

    void update();
    void cut();
    void copy();
    void paste();

private:
    QWidget* m_window;
    QAction* m_cut;
    QAction* m_copy;
    QAction* m_paste;
    Disable m_rule;
};

} // namespace quillet
