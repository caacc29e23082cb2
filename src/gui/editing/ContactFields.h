#pragma once

#include "core/editing/ContactForm.h"

#include <QObject>

#include <array>

class QAction;
class QLineEdit;
class QWidget;

namespace quillet {

class Prompter;
struct Rejection;

// The sixteen contact text fields of a contact window, found by their object
// names. Moves texts in and out of them, and makes Enter in any of them move the
// focus on as Tab does.
class ContactFields : public QObject
{
    Q_OBJECT
public:
    explicit ContactFields(QWidget* window);

    QLineEdit* editor(FormField field) const { return m_editors[static_cast<std::size_t>(field)]; }
    ContactForm texts() const;
    void setTexts(const ContactForm& form);
    void setText(FormField field, const QString& text);
    void setEnabled(bool enabled);
    // Shows why Save refused and puts the focus in the field it names.
    void showRejection(Prompter& prompter, const Rejection& rejection);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QLineEdit*, formFieldCount> m_editors{};
};

// The Edit menu of both contact windows, working on the focused text field's
// selection through the system clipboard.
namespace editMenu {
// Run when the menu drops down: Cut and Copy only with selected text in a text field.
void update(QWidget* window, QAction* cut, QAction* copy);
void cut(QWidget* window);
void copy(QWidget* window);
void paste(QWidget* window);
} // namespace editMenu

} // namespace quillet
