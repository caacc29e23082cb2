#pragma once

#include "ports/Prompter.h"

namespace quillet {

// Message and input boxes over the active window, the system beep and the
// application-wide busy cursor.
class QtPrompter : public Prompter
{
public:
    MessageResult message(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons) override;
    QString input(const QString& prompt, const QString& title, const QString& proposed) override;
    void beep() override;
    void setBusy(bool busy) override;

private:
    int m_busyDepth = 0;
};

} // namespace quillet
