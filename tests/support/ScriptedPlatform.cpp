#include "support/ScriptedPlatform.h"

#include "core/printing/SheetTemplate.h"

namespace quillet {

namespace {
MessageResult firstButton(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
    case MessageButtons::OkOpenFolder:
        return MessageResult::Ok;
    case MessageButtons::YesNo:
        return MessageResult::Yes;
    case MessageButtons::YesNoDefaultNo:
        return MessageResult::No;
    case MessageButtons::RetryCancel:
        return MessageResult::Retry;
    case MessageButtons::PrintAnywayCancel:
    case MessageButtons::PrintAnywayFitCancel:
        return MessageResult::PrintAnyway;
    }
    return MessageResult::Ok;
}
} // namespace

MessageResult ScriptedPrompter::message(const QString& text, const QString& title, MessageIcon icon,
                                        MessageButtons buttons)
{
    const ShownMessage shown{text, title, icon, buttons};
    messages << shown;
    events << QStringLiteral("message:") + text;
    if (onMessage)
        onMessage(shown);
    return messageAnswers.isEmpty() ? firstButton(buttons) : messageAnswers.dequeue();
}

QString ScriptedPrompter::input(const QString& prompt, const QString& title, const QString&)
{
    inputPrompts << prompt;
    inputTitles << title;
    events << QStringLiteral("input:") + prompt;
    return inputAnswers.isEmpty() ? QString() : inputAnswers.dequeue();
}

FileChoice ScriptedFileDialogs::chooseFile(const FileDialogRequest& request)
{
    requests << request;
    if (onShow)
        onShow(request);
    return answers.isEmpty() ? FileChoice{} : answers.dequeue();
}

PrintChoice ScriptedPrintDialog::ask(const PrintDialogRequest& request)
{
    requests << request;
    if (!answers.isEmpty())
        return answers.dequeue();
    PrintChoice choice;
    choice.cancelled = false;
    choice.copies = request.copies;
    return choice;
}

Status RecordingPrintTarget::print(const GridDocument& document, const PrintJob& job)
{
    if (failNextJobs > 0) {
        --failNextJobs;
        return failure;
    }
    jobs << Job{document, job};
    return Status::success();
}

bool ScriptedDesktop::openDocument(const QString& path)
{
    openedDocuments << path;
    return opens;
}

bool ScriptedDesktop::openUrl(const QUrl& url)
{
    openedUrls << url;
    return opens;
}

bool ScriptedDesktop::startSystemInfo()
{
    if (!systemInfoAvailable)
        return false;
    ++systemInfoStarts;
    return true;
}

std::optional<QString> ScriptedLabelDialogs::chooseSheet(const QString& current)
{
    sheetRequests << current;
    return sheetAnswers.isEmpty() ? std::nullopt : sheetAnswers.dequeue();
}

std::optional<int> ScriptedLabelDialogs::askStartPosition(const SheetTemplate& sheet)
{
    startRequests << sheet.name();
    return startAnswers.isEmpty() ? std::optional<int>(1) : startAnswers.dequeue();
}

std::optional<PrinterOffsetChoice> ScriptedLabelDialogs::askPrinterOffset()
{
    return offsetAnswers.isEmpty() ? std::nullopt : offsetAnswers.dequeue();
}

void ScriptedLabelDialogs::showPreview(const std::function<GridStream()>& makeStream)
{
    GridStream stream = makeStream();
    previews << wholeDocument(stream);
}

} // namespace quillet
