#include "platform/qt/QtPrintTarget.h"

#include "platform/qt/CupsQueueState.h"
#include "platform/qt/PrinterSettingsAccess.h"
#include "printing/GridDocument.h"
#include "printing/GridRenderer.h"
#include "printing/PrintPreferences.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace quillet {

namespace {

QPointF jobOffset(const GridDocument& document, const PrintJob& job, const QString& printer)
{
    if (job.offsetMm)
        return mmToPoints(printprefs::clampOffset(*job.offsetMm));
    return document.takesPrinterOffset() ? mmToPoints(printprefs::printerOffset(printer)) : QPointF();
}

} // namespace

Status QtPrintTarget::print(const GridDocument& document, const PrintJob& job)
{
    const QPrinterInfo info =
        job.printerName.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(job.printerName);
    if (info.isNull() || cupsQueueAcceptsJobs(info.printerName()) == false)
        return errors::deviceIO();

    QPrinter printer(info, QPrinter::HighResolution);
    if (!printer.isValid())
        return errors::deviceIO();
    applyPrinterSettings(job.settings, printer);
    // One copy per job: copies are sent as separate jobs, or CUPS prints n x n.
    printer.setCopyCount(1);
    printer.setDocName(job.documentName);
    // The whole paper is painted on, so that text lands at its place on the paper
    // whatever the printer's unprintable margins.
    printer.setFullPage(true);

    const Status status = renderGrid(document, printer, jobOffset(document, job, info.printerName()));
    if (!status || printer.printerState() == QPrinter::Error) {
        printer.abort();
        return status ? Status(errors::deviceIO()) : status;
    }
    return Status::success();
}

} // namespace quillet
