// Printing from the main window: the typed lines on a label or an envelope, a
// sheet of return-address labels, and the preview of what Print would send.
#include "gui/main/MainWindow.h"
#include "ui_MainWindow.h"

#include "core/printing/GridDocument.h"
#include "core/printing/PrintRunner.h"
#include "core/printing/ReturnAddress.h"

namespace quillet {

namespace {

// False when lines will run into the next label and the user cancels.
bool printAnyway(Prompter& prompter, const std::optional<LongLines>& found)
{
    return !found || askAboutLongLines(prompter, *found, false) == MessageResult::PrintAnyway;
}

} // namespace

TypedLinesRequest MainWindow::typedLinesRequest() const
{
    TypedLinesRequest request;
    request.lines = typedLines();
    const PrintOptionsState& options = m_options.state();
    request.media = options.media;
    request.envelopeSizeNo = options.envelopeSizeNo;
    request.orientation = options.orientation;
    request.alignment = m_ui->centerRadio->isChecked() ? LineAlignment::Centered : LineAlignment::LeftJustified;
    request.bold = options.bold;
    request.leftPadText = m_ui->leftPadEdit->text();
    request.topPadText = m_ui->topPadEdit->text();
    return request;
}

std::array<QString, 5> MainWindow::typedLines() const
{
    const QStringList lines = labelLines();
    return {lines[0], lines[1], lines[2], lines[3], lines[4]};
}

bool MainWindow::rejected(const std::optional<PrintRejection>& rejection)
{
    if (!rejection)
        return false;
    m_platform.prompter.beep();
    m_platform.prompter.message(rejection->message, rejection->title, MessageIcon::Exclamation);
    const QList<QLineEdit*> lines{m_ui->line1Edit, m_ui->line2Edit, m_ui->line3Edit, m_ui->line4Edit, m_ui->line5Edit};
    if (rejection->focusLine >= 1 && rejection->focusLine <= lines.size())
        lines[rejection->focusLine - 1]->setFocus();
    return true;
}

void MainWindow::showPrinterProblem(const Status& failure)
{
    m_platform.prompter.message(printProblemText(failure), printerProblemTitle, MessageIcon::Exclamation);
}

void MainWindow::printLines()
{
    const TypedLinesRequest request = typedLinesRequest();
    if (rejected(checkTypedLines(request)) || !printAnyway(m_platform.prompter, findLongTypedLines(request)))
        return;
    const PrintChoice choice = m_platform.printDialog.ask(PrintDialogRequest{});
    if (choice.cancelled)
        return;
    const std::optional<GridDocument> document = composeTypedLines(request);
    if (!document) {
        showPrinterProblem(); // a margin beyond the 16-bit range: nothing is printed
        return;
    }
    if (request.media == PrintMedia::Label)
        uncheckAndHideBold();
    if (Status printed = printCopies(*document, choice, m_platform.printTarget, typedLinesJobTitle(request)); !printed)
        showPrinterProblem(printed);
}

void MainWindow::printReturnAddresses()
{
    const std::array<QString, 5> lines = typedLines();
    if (rejected(returnaddress::check(lines)) || !printAnyway(m_platform.prompter, returnaddress::findLongLines(lines)))
        return;
    const PrintChoice choice = m_platform.printDialog.ask(PrintDialogRequest{});
    if (choice.cancelled)
        return;
    uncheckAndHideBold();
    if (Status printed =
            printCopies(returnaddress::compose(lines), choice, m_platform.printTarget, returnaddress::jobTitle(lines));
        !printed)
        showPrinterProblem(printed);
}

// Shows the pages one copy of Print would send, through the same preview as the
// return-address sheet and the list's labels.
void MainWindow::previewLines()
{
    const TypedLinesRequest request = typedLinesRequest();
    if (rejected(checkTypedLines(request)))
        return;
    const std::optional<GridDocument> document = composeTypedLines(request);
    if (!document) {
        showPrinterProblem();
        return;
    }
    const auto shown = std::make_shared<const GridDocument>(*document);
    m_platform.labelDialogs.showPreview([shown] { return streamOf(shown); });
}

} // namespace quillet
