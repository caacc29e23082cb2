#include "output/QtPrintTarget.h"

#include "core/printing/GridDocument.h"
#include "core/printing/GridRenderer.h"
#include "core/printing/PrintPreferences.h"
#include "output/CupsQueueState.h"
#include "output/PrinterSettingsAccess.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace quillet {

namespace {

QPointF jobOffset(bool takesPrinterOffset, const PrintJob& job, const QString& printer)
{
    if (job.offsetMm)
        return mmToPoints(printprefs::clampOffset(*job.offsetMm));
    return takesPrinterOffset ? mmToPoints(printprefs::printerOffset(printer)) : QPointF();
}

} // namespace

Status QtPrintTarget::print(const GridDocument& document, const PrintJob& job)
{
    return send(job, document.takesPrinterOffset(),
                [&document](QPrinter& printer, QPointF offset) { return renderGrid(document, printer, offset); });
}

Status QtPrintTarget::printStream(GridStream& stream, const PrintJob& job)
{
    return send(job, stream.takesPrinterOffset,
                [&stream](QPrinter& printer, QPointF offset) { return renderGridStream(stream, printer, offset); });
}

Status QtPrintTarget::send(const PrintJob& job, bool takesPrinterOffset,
                           const std::function<Status(QPrinter&, QPointF)>& render)
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

    const Status status = render(printer, jobOffset(takesPrinterOffset, job, info.printerName()));
    if (!status || printer.printerState() == QPrinter::Error) {
        printer.abort();
        return status ? Status(errors::deviceIO()) : status;
    }
    return Status::success();
}

} // namespace quillet
