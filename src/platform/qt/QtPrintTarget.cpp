#include "platform/qt/QtPrintTarget.h"

#include "platform/qt/CupsQueueState.h"
#include "printing/GridRenderer.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace quillet {

Status QtPrintTarget::print(const GridDocument& document, const PrintJob& job)
{
    const QPrinterInfo info =
        job.printerName.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(job.printerName);
    if (info.isNull() || cupsQueueAcceptsJobs(info.printerName()) == false)
        return errors::deviceIO();

    QPrinter printer(info, QPrinter::HighResolution);
    if (!printer.isValid())
        return errors::deviceIO();
    // One copy per job: copies are sent as separate jobs, or CUPS prints n x n.
    printer.setCopyCount(1);
    printer.setDocName(job.documentName);
    printer.setFullPage(false);
    // Margins below the printer's minimum are raised to it, so the grid starts at
    // the corner of what the printer can reach.
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);

    const Status status = renderGrid(document, printer);
    if (!status || printer.printerState() == QPrinter::Error) {
        printer.abort();
        return status ? Status(errors::deviceIO()) : status;
    }
    return Status::success();
}

} // namespace quillet
