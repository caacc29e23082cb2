#include "platform/qt/QtPrintDialog.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

namespace quillet {

PrintChoice QtPrintDialog::ask(const PrintDialogRequest& request)
{
    QPrinter printer;
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
    if (dialog.exec() != QDialog::Accepted)
        return {};

    PrintChoice choice;
    choice.cancelled = false;
    choice.printerName = printer.printerName();
    choice.copies = qMax(1, printer.copyCount());
    choice.selectionOnly = printer.printRange() == QPrinter::Selection;
    return choice;
}

} // namespace quillet
