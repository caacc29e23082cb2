#pragma once

#include "ports/Prompter.h"

#include <functional>

class QDialog;
class QWidget;

namespace quillet {

// Message and input boxes over the window they belong to, the system beep and
// the application-wide busy cursor.
class QtPrompter : public Prompter
{
public:
    // Runs a box until it is answered and returns its result; the program runs
    // boxes modally, tests show them and answer through their widgets.
    using DialogRunner = std::function<int(QDialog&)>;
    explicit QtPrompter(DialogRunner run = {});

    MessageResult message(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons) override;
    QString input(const QString& prompt, const QString& title, const QString& proposed) override;
    void beep() override;
    void setBusy(bool busy) override;

    // The window a box belongs to: the active one, else the one holding the focus,
    // else the only window on show. A box without one opens in the screen's middle.
    static QWidget* boxParent();

private:
    int run(QDialog& dialog);

    DialogRunner m_run;
    int m_busyDepth = 0;
};

} // namespace quillet
