#pragma once

#include "core/printing/GridDocument.h"
#include "ports/Platform.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QQueue>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace quillet {

// Stand-ins for the operating-system facilities: they record what the program
// asked and answer from scripts that tests fill beforehand. Nothing waits on a
// real modal dialog.

struct ShownMessage
{
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

class ScriptedPrompter : public Prompter
{
public:
    MessageResult message(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons) override;
    QString input(const QString& prompt, const QString& title, const QString& proposed) override;
    void beep() override
    {
        ++beeps;
        events << QStringLiteral("beep");
    }
    void setBusy(bool busy) override { this->busy = busy; }

    // Answers used in order; when empty, a message box answers with its first
    // button (OK, Yes or Retry) and an input box is cancelled.
    QQueue<MessageResult> messageAnswers;
    QQueue<QString> inputAnswers;
    // Called while a message box "shows", before it is answered.
    std::function<void(const ShownMessage&)> onMessage;

    QList<ShownMessage> messages;
    QStringList inputPrompts;
    QStringList inputTitles;
    QStringList events; // "beep", "message:<text>", "input:<prompt>" in order
    int beeps = 0;
    bool busy = false;
};

class ScriptedFileDialogs : public FileDialogs
{
public:
    FileChoice chooseFile(const FileDialogRequest& request) override;

    QQueue<FileChoice> answers; // when empty: cancelled
    // Called while the dialog "shows", before it answers.
    std::function<void(const FileDialogRequest&)> onShow;
    QList<FileDialogRequest> requests;
};

class ScriptedPrintDialog : public PrintDialog
{
public:
    PrintChoice ask(const PrintDialogRequest& request) override;

    // When empty the dialog is confirmed with the default printer and the copies asked.
    QQueue<PrintChoice> answers;
    QList<PrintDialogRequest> requests;
};

// Keeps every job it is given instead of printing it.
class RecordingPrintTarget : public PrintTarget
{
public:
    struct Job
    {
        GridDocument document;
        PrintJob job;
    };
    Status print(const GridDocument& document, const PrintJob& job) override;

    // The next jobs fail with this error (for printer-failure paths).
    int failNextJobs = 0;
    AppError failure = errors::deviceIO();
    QList<Job> jobs;
};

class ScriptedDesktop : public Desktop
{
public:
    bool openDocument(const QString& path) override;
    bool openUrl(const QUrl& url) override;
    bool startSystemInfo() override;
    QDate today() const override { return todayDate; }

    QDate todayDate = QDate(2026, 6, 15);
    bool systemInfoAvailable = false;
    bool opens = true;
    QStringList openedDocuments;
    QList<QUrl> openedUrls;
    int systemInfoStarts = 0;
};

class ScriptedLabelDialogs : public LabelDialogs
{
public:
    std::optional<QString> chooseSheet(const QString& current) override;
    std::optional<int> askStartPosition(const SheetTemplate& sheet) override;
    std::optional<PrinterOffsetChoice> askPrinterOffset() override;
    void showPreview(const std::function<GridStream()>& makeStream) override;

    // When empty: the sheet dialog and the offset dialog are cancelled, the start
    // position is confirmed at 1.
    QQueue<std::optional<QString>> sheetAnswers;
    QQueue<std::optional<int>> startAnswers;
    QQueue<std::optional<PrinterOffsetChoice>> offsetAnswers;
    QStringList sheetRequests;    // the current sheet each time the dialog opened
    QStringList startRequests;    // the sheet's name each time the start was asked
    QList<GridDocument> previews; // what each preview showed
};

// Remembered passwords in memory.
class ScriptedPasswordStore : public PasswordStore
{
public:
    Result<QString> readPassword(const QString& key) override { return kept.value(key); }
    Status savePassword(const QString& key, const QString& password) override
    {
        kept.insert(key, password);
        return {};
    }
    Status forgetPassword(const QString& key) override
    {
        kept.remove(key);
        return {};
    }

    QHash<QString, QString> kept;
};

// All six, ready to hand to a window.
class ScriptedPlatform
{
public:
    ScriptedPrompter prompter;
    ScriptedFileDialogs fileDialogs;
    ScriptedPrintDialog printDialog;
    RecordingPrintTarget printTarget;
    ScriptedDesktop desktop;
    ScriptedLabelDialogs labelDialogs;

    Platform platform()
    {
        return Platform{prompter, fileDialogs, printDialog, printTarget, desktop, labelDialogs, nullptr, nullptr};
    }
};

} // namespace quillet
