// The main window's label sheet commands: the Label Sheet dialog, printer
// offsets, the calibration page and its preview, and the return-address sheet's preview.
#include "gui/main/MainWindow.h"
#include "ui_MainWindow.h"

#include "core/list/SheetLabels.h"
#include "core/printing/JobTitle.h"
#include "core/printing/PrintPreferences.h"
#include "core/printing/PrintRunner.h"
#include "core/printing/ReturnAddress.h"
#include "core/printing/SheetCatalogue.h"

namespace quillet {

namespace {

const QString noPrinterText =
    QStringLiteral("No printer is set up.  Add a printer in the system's printer settings, then print again.");

} // namespace

void MainWindow::previewReturnAddresses()
{
    const std::array<QString, 5> lines = typedLines();
    if (rejected(returnaddress::check(lines)))
        return;
    const auto document = std::make_shared<const GridDocument>(returnaddress::compose(lines));
    m_platform.labelDialogs.showPreview([document] { return streamOf(document); });
}

void MainWindow::chooseLabelSheet()
{
    if (const std::optional<QString> chosen = m_platform.labelDialogs.chooseSheet(printprefs::labelSheet()))
        printprefs::setLabelSheet(*chosen);
}

void MainWindow::setPrinterOffset()
{
    if (const std::optional<PrinterOffsetChoice> chosen = m_platform.labelDialogs.askPrinterOffset())
        printprefs::setPrinterOffset(chosen->printer, chosen->offsetMm);
}

// The chosen sheet's label outlines and centre crosses (for the built-in sheet,
// the return-address sheet's too), on the printer chosen, shifted by that
// printer's stored offset like every label job.
void MainWindow::printCalibrationPage()
{
    const PrintChoice choice = m_platform.printDialog.ask(PrintDialogRequest{});
    if (choice.cancelled)
        return;
    const SheetTemplate sheet = chosenLabelSheet();
    const Status printed = printCopies(composeCalibrationJob(sheet), choice, m_platform.printTarget,
                                       jobTitle(QStringLiteral("Calibration page"), sheet.name()));
    if (printed)
        return;
    // The dialog names the printer chosen; none means none was there to choose.
    if (choice.printerName.isEmpty() && printProblemText(printed) == printerProblemText)
        m_platform.prompter.message(noPrinterText, printerProblemTitle, MessageIcon::Exclamation);
    else
        showPrinterProblem(printed);
}

void MainWindow::previewCalibrationPage()
{
    const auto document = std::make_shared<const GridDocument>(composeCalibrationPage(chosenLabelSheet()));
    m_platform.labelDialogs.showPreview([document] { return streamOf(document); });
}

} // namespace quillet
