#include "gui/platform/QtPrintDialog.h"

#include "core/printing/PrintPreferences.h"
#include "gui/platform/QtPrinterSettings.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace quillet {

namespace {

// Opens on the printer chosen last, while it still exists.
void chooseLastPrinter(QPrinter& printer)
{
    const QString last = printprefs::lastPrinter();
    if (!last.isEmpty() && !QPrinterInfo::printerInfo(last).isNull())
        printer.setPrinterName(last);
}

} // namespace

QtPrintDialog::QtPrintDialog(DialogRunner run) : m_run(std::move(run)) {}

PrintChoice QtPrintDialog::ask(const PrintDialogRequest& request)
{
    QPrinter printer;
    chooseLastPrinter(printer);
    printer.setCopyCount(qMax(1, request.copies));
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintShowPageSize;
    if (request.allowSelection)
        options |= QAbstractPrintDialog::PrintSelection;
    const bool hasRange = request.fromPage > 0 && request.toPage >= request.fromPage;
    if (hasRange) {
        options |= QAbstractPrintDialog::PrintPageRange;
        printer.setFromTo(request.fromPage, request.toPage);
    }

    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setOptions(options);
    if (hasRange)
        dialog.setMinMax(request.fromPage, request.toPage);
    if ((m_run ? m_run(dialog) : dialog.exec()) != QDialog::Accepted)
        return {};

    PrintChoice choice;
    choice.cancelled = false;
    choice.printerName = printer.printerName();
    choice.copies = qMax(1, printer.copyCount());
    choice.selectionOnly = printer.printRange() == QPrinter::Selection;
    choice.settings = readPrinterSettings(printer);
    printprefs::setLastPrinter(choice.printerName);
    return choice;
}

} // namespace quillet
