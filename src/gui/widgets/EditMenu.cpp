#include "gui/widgets/EditMenu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace quillet {

namespace {

QLineEdit* lineEditOf(const QWidget* widget)
{
    if (auto* line = qobject_cast<QLineEdit*>(const_cast<QWidget*>(widget)))
        return line;
    if (auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->lineEdit();
    return nullptr;
}

bool isTextControl(const QWidget* widget)
{
    return lineEditOf(widget) || qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

QString selectedText(const QWidget* widget)
{
    if (QLineEdit* line = lineEditOf(widget))
        return line->selectedText();
    if (auto* text = qobject_cast<const QTextEdit*>(widget))
        return text->textCursor().selectedText();
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(widget))
        return plain->textCursor().selectedText();
    return {};
}

void replaceSelection(QWidget* widget, const QString& replacement)
{
    if (QLineEdit* line = lineEditOf(widget)) {
        if (!line->isReadOnly())
            line->insert(replacement);
    } else if (auto* text = qobject_cast<QTextEdit*>(widget)) {
        if (!text->isReadOnly())
            text->textCursor().insertText(replacement);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        if (!plain->isReadOnly())
            plain->textCursor().insertText(replacement);
    }
}

// Multi-line selections come back with paragraph separators; the clipboard wants line breaks.
QString plainText(QString text)
{
    return text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

bool hasSelectedText(const QWidget* widget)
{
    return !selectedText(widget).isEmpty();
}

} // namespace

EditMenu::EditMenu(QWidget* window, QMenu* menu, QAction* cut, QAction* copy, QAction* paste, Disable rule)
    : QObject(window), m_window(window), m_cut(cut), m_copy(copy), m_paste(paste), m_rule(rule)
{
    connect(menu, &QMenu::aboutToShow, this, &EditMenu::update);
    connect(cut, &QAction::triggered, this, &EditMenu::cut);
    connect(copy, &QAction::triggered, this, &EditMenu::copy);
    connect(paste, &QAction::triggered, this, &EditMenu::paste);
}

void EditMenu::update()
{
    const QWidget* focus = m_window->focusWidget();
    bool enabled = hasSelectedText(focus);
    if (m_rule == Disable::ForEmptyTextSelectionOnly && !isTextControl(focus))
        enabled = true;
    m_cut->setEnabled(enabled);
    m_copy->setEnabled(enabled);
    m_paste->setEnabled(true);
}

// Empties the clipboard, puts the selected text on it and removes the selection.
void EditMenu::cut()
{
    QWidget* focus = m_window->focusWidget();
    if (!isTextControl(focus))
        return;
    copy();
    if (hasSelectedText(focus))
        replaceSelection(focus, QString());
}

void EditMenu::copy()
{
    const QWidget* focus = m_window->focusWidget();
    if (!isTextControl(focus))
        return;
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(plainText(selectedText(focus)));
}

// Replaces the selection (or inserts at the cursor) with the clipboard's text.
void EditMenu::paste()
{
    replaceSelection(m_window->focusWidget(), QApplication::clipboard()->text());
}

} // namespace quillet
