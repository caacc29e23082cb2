#pragma once

#include <QString>

namespace quillet {

enum class MessageIcon { None, Information, Exclamation, Critical, Question };
// YesNoDefaultNo: a destructive question, where Enter must mean No. OkOpenFolder
// offers "Open Folder" beside OK. PrintAnywayCancel offers "Print anyway" and
// "Cancel"; PrintAnywayFitCancel "Fit to labels" between them.
enum class MessageButtons {
    Ok,
    OkCancel,
    YesNo,
    RetryCancel,
    YesNoDefaultNo,
    OkOpenFolder,
    PrintAnywayCancel,
    PrintAnywayFitCancel
};
enum class MessageResult { Ok, Cancel, Yes, No, Retry, OpenFolder, PrintAnyway, FitToLabels };

// Message boxes, input boxes, the beep and the busy cursor. The program shows them
// through the Qt implementation; tests answer them through ScriptedPrompter.
class Prompter
{
public:
    virtual ~Prompter() = default;

    virtual MessageResult message(const QString& text, const QString& title, MessageIcon icon = MessageIcon::None,
                                  MessageButtons buttons = MessageButtons::Ok) = 0;
    // Returns the text typed; an empty text when the user cancels.
    virtual QString input(const QString& prompt, const QString& title, const QString& proposed = {}) = 0;
    virtual void beep() = 0;
    virtual void setBusy(bool busy) = 0;
};

// Shows the busy cursor for the lifetime of the object.
class BusyCursor
{
public:
    explicit BusyCursor(Prompter& prompter) : m_prompter(prompter) { m_prompter.setBusy(true); }
    ~BusyCursor() { m_prompter.setBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    Prompter& m_prompter;
};

} // namespace quillet
