// The list window's labels on the chosen sheet, its previews and the Label Sheet
// dialog.
#include "gui/list/ContactListWindow.h"

#include "core/list/ListModel.h"
#include "core/list/ListReport.h"
#include "core/list/SheetLabels.h"
#include "core/printing/JobTitle.h"
#include "core/printing/PrintPreferences.h"
#include "core/printing/PrintRunner.h"
#include "core/printing/SheetCatalogue.h"
#include "gui/session/Session.h"
#include "gui/widgets/LongWork.h"
#include "ui_ContactListWindow.h"

namespace quillet {

namespace {

// Says when lines on the built-in sheet will run into the next label, and fits
// them to the labels when the user asks; false when the user cancels.
bool answerLongLines(Prompter& prompter, ListLabelsJob& job)
{
    const std::optional<LongLines> found = job.longLines();
    if (!found)
        return true;
    switch (askAboutLongLines(prompter, *found, true)) {
    case MessageResult::PrintAnyway:
        return true;
    case MessageResult::FitToLabels:
        job.fitToLabels();
        if (job.cut())
            prompter.message(sheetLabelsCutWarning(), QStringLiteral("Print labels"));
        return true;
    default:
        return false;
    }
}

} // namespace

// The start position on the chosen sheet; nothing when the list is empty or the
// sheet's labels hold no text (said so), or the question is cancelled.
std::optional<int> ContactListWindow::askLabelStart(const SheetTemplate& sheet)
{
    if (m_model->rowCount() == 0) {
        m_platform.prompter.message(QStringLiteral("Empty list, no labels to print."),
                                    QStringLiteral("No contacts found"));
        m_ui->closeButton->setFocus();
        return std::nullopt;
    }
    if (!sheet.builtIn && !labelsHoldText(sheet)) {
        m_platform.prompter.message(labelsHoldNoTextText, QStringLiteral("Print labels"), MessageIcon::Exclamation);
        return std::nullopt;
    }
    return m_platform.labelDialogs.askStartPosition(sheet);
}

// Reads every listed contact before anything is printed, and says once when some
// text does not fit.
Result<ListLabelsJob> ContactListWindow::readLabels(const SheetTemplate& sheet, int start)
{
    // Lines of a file another program changed name other contacts now.
    if (refilledAfterOutsideChange() && !m_session.hasFile())
        return errors::fileNotFound();
    QList<int> numbers;
    numbers.reserve(m_model->rowCount());
    for (const ListEntry& line : m_model->entries())
        numbers << line.recordNumber;
    auto read = [&] {
        BusyCursor busy(m_platform.prompter);
        return runLongWork(this, QStringLiteral("Reading the labels…"), [&](WorkControl& control) {
            // Every record is read in one consistent state of the file.
            const ContactsFileLock locked(m_session.file(), LockKind::Shared);
            return locked.status().ok() ? prepareListLabels(m_session.file(), numbers, sheet, start, &control)
                                        : Result<ListLabelsJob>(locked.status());
        });
    }();
    if (read && read->cut())
        m_platform.prompter.message(sheetLabelsCutWarning(), QStringLiteral("Print labels"));
    return read;
}

void ContactListWindow::printLabels()
{
    const SheetTemplate sheet = chosenLabelSheet();
    const std::optional<int> start = askLabelStart(sheet);
    if (!start)
        return;
    const PrintChoice choice = m_platform.printDialog.ask(PrintDialogRequest{});
    if (choice.cancelled)
        return;
    Result<ListLabelsJob> job = readLabels(sheet, *start);
    Status printed = job.status();
    if (printed && !answerLongLines(m_platform.prompter, *job)) {
        m_ui->closeButton->setFocus();
        return;
    }
    if (printed) {
        BusyCursor busy(m_platform.prompter);
        const QString title = jobTitle(QStringLiteral("Labels"), m_session.fileTitle(), m_model->rowCount());
        const qint64 pages = job->pageCount() * std::max(1, choice.copies);
        printed = runLongWork(this, QStringLiteral("Printing labels…"), [&](WorkControl& control) {
            return printStreamCopies([&](int) { return cancellable(job->stream(), control, pages); }, choice,
                                     m_platform.printTarget, title);
        });
    }
    // Cancelled: what was sent is withdrawn, and nothing is said.
    if (!printed && isCancelled(printed.error())) {
        m_ui->closeButton->setFocus();
        return;
    }
    // The labels are read again as they print: another program's change since is
    // said as such, not as a printer's fault.
    if (!printed && printed.error().description == fileChangedText) {
        m_platform.prompter.message(fileChangedText, QStringLiteral("Print labels"), MessageIcon::Exclamation);
        return;
    }
    if (!printed) {
        showPrinterProblem(printed);
        return;
    }
    m_ui->closeButton->setFocus();
}

void ContactListWindow::previewLabels()
{
    const SheetTemplate sheet = chosenLabelSheet();
    const std::optional<int> start = askLabelStart(sheet);
    if (!start)
        return;
    Result<ListLabelsJob> read = readLabels(sheet, *start);
    if (!read) {
        if (!isCancelled(read.error()))
            showPrinterProblem();
        return;
    }
    const auto job = std::make_shared<const ListLabelsJob>(std::move(*read));
    m_platform.labelDialogs.showPreview([job] { return job->stream(); });
}

void ContactListWindow::previewReport()
{
    Result<GridDocument> report = composeReport(m_model->lines(), m_session.fileTitle());
    if (!report) {
        showPrinterProblem();
        return;
    }
    const auto document = std::make_shared<GridDocument>(std::move(report).value());
    m_platform.labelDialogs.showPreview([document] { return streamOf(document); });
}

void ContactListWindow::chooseLabelSheet()
{
    if (const std::optional<QString> chosen = m_platform.labelDialogs.chooseSheet(printprefs::labelSheet()))
        printprefs::setLabelSheet(*chosen);
}

} // namespace quillet
