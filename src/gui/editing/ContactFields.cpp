#include "gui/editing/ContactFields.h"

#include "core/editing/ContactValidation.h"
#include "gui/widgets/FocusedTextEditing.h"
#include "ports/Prompter.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace quillet {

ContactFields::ContactFields(QWidget* window) : QObject(window)
{
    for (FormField field : allFormFields()) {
        QLineEdit* edit = window->findChild<QLineEdit*>(formFieldObjectName(field));
        Q_ASSERT(edit);
        edit->installEventFilter(this);
        m_editors[static_cast<std::size_t>(field)] = edit;
    }
}

ContactForm ContactFields::texts() const
{
    ContactForm form;
    for (FormField field : allFormFields())
        form[field] = editor(field)->text();
    return form;
}

void ContactFields::setTexts(const ContactForm& form)
{
    for (FormField field : allFormFields())
        setText(field, form[field]);
}

void ContactFields::setText(FormField field, const QString& text)
{
    // Unchanged texts keep their cursor and selection.
    if (editor(field)->text() != text)
        editor(field)->setText(text);
}

void ContactFields::setEnabled(bool enabled)
{
    for (QLineEdit* edit : m_editors)
        edit->setEnabled(enabled);
}

void ContactFields::showRejection(Prompter& prompter, const Rejection& rejection)
{
    prompter.message(rejection.message, rejection.title, MessageIcon::None, MessageButtons::Ok);
    if (rejection.focus)
        editor(*rejection.focus)->setFocus();
}

bool ContactFields::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // A Tab sent to the field moves the focus along the window's tab order.
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(watched, &tab);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

namespace editMenu {

// The same clipboard rules as the main window's Edit menu.
void update(QWidget* window, QAction* cut, QAction* copy)
{
    const bool selection = hasSelectedText(window->focusWidget());
    cut->setEnabled(selection);
    copy->setEnabled(selection);
}

void cut(QWidget* window)
{
    cutSelection(window->focusWidget());
}

void copy(QWidget* window)
{
    copySelection(window->focusWidget());
}

void paste(QWidget* window)
{
    pasteClipboard(window->focusWidget());
}

} // namespace editMenu

} // namespace quillet
