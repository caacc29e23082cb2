#include "gui/widgets/FocusedTextEditing.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
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

} // namespace

bool hasSelectedText(const QWidget* widget)
{
    return !selectedText(widget).isEmpty();
}

// A control without text (a button, an option) leaves the clipboard alone.
void copySelection(QWidget* widget)
{
    if (!isTextControl(widget))
        return;
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(plainText(selectedText(widget)));
}

void cutSelection(QWidget* widget)
{
    if (!isTextControl(widget))
        return;
    copySelection(widget);
    if (hasSelectedText(widget))
        replaceSelection(widget, QString());
}

void pasteClipboard(QWidget* widget)
{
    replaceSelection(widget, QApplication::clipboard()->text());
}

} // namespace quillet
