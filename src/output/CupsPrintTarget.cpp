#include "output/CupsPrintTarget.h"

#include "core/printing/PrintPreferences.h"
#include "core/printing/pdf/GridPdfRenderer.h"
#include "output/CupsJob.h"

#include <cups/cups.h>

#include <optional>

namespace quillet {

namespace {

// The queue a job goes to: the one named, or the default printer; nothing when
// there is no such queue.
std::optional<QString> resolveQueue(const QString& name)
{
    const QByteArray wanted = name.toUtf8();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.isEmpty() ? nullptr : wanted.constData(), nullptr);
    if (!dest)
        return std::nullopt;
    const QString queue = QString::fromUtf8(dest->name);
    cupsFreeDests(1, dest);
    return queue;
}

QPointF jobOffset(bool takesPrinterOffset, const PrintJob& job, const QString& queue)
{
    if (job.offsetMm)
        return mmToPoints(printprefs::clampOffset(*job.offsetMm));
    return takesPrinterOffset ? mmToPoints(printprefs::printerOffset(queue)) : QPointF();
}

// The orientation a document starts in: its first page's.
PageOrientation firstOrientation(const GridDocument& document)
{
    for (const GridDocument::Op& op : document.ops()) {
        if (op.kind == GridDocument::Op::Kind::Orientation)
            return op.orientation;
        if (op.kind != GridDocument::Op::Kind::Font && op.kind != GridDocument::Op::Kind::Placement)
            break;
    }
    return PageOrientation::Portrait;
}

} // namespace

CupsPrintTarget::CupsPrintTarget(PrintFonts* fonts) : m_fonts(fonts) {}

Status CupsPrintTarget::print(const GridDocument& document, const PrintJob& job)
{
    return send(job, Pages{document.paper(), document.takesPrinterOffset(), firstOrientation(document)},
                [&](QIODevice& device, const PdfDocumentInfo& info, QPointF offset) {
                    return writeGridPdf(document, device, info, offset, m_fonts);
                });
}

// The first piece of the stream is read ahead for the orientation the job starts
// in, and handed back as the stream's first.
Status CupsPrintTarget::printStream(GridStream& stream, const PrintJob& job)
{
    GridDocument first;
    bool pending = stream.next && stream.next(first);
    bool more = pending;
    const PageOrientation orientation = firstOrientation(first);
    stream.next = [&first, &pending, &more, rest = std::move(stream.next)](GridDocument& chunk) {
        if (!pending)
            return more && (more = rest(chunk));
        chunk = std::move(first);
        pending = false;
        return true;
    };
    return send(job, Pages{stream.paper, stream.takesPrinterOffset, orientation},
                [&](QIODevice& device, const PdfDocumentInfo& info, QPointF offset) {
                    return writeGridPdf(stream, device, info, offset, m_fonts);
                });
}

Status CupsPrintTarget::send(const PrintJob& job, const Pages& pages, const Writer& write)
{
    const std::optional<QString> queue = resolveQueue(job.printerName);
    if (!queue)
        return errors::deviceIO();
    CupsJob cups(*queue, job.documentName, cupsJobOptions(job.settings, pages.paper, pages.firstOrientation));
    const Status written =
        write(cups, PdfDocumentInfo{job.documentName}, jobOffset(pages.takesPrinterOffset, job, *queue));
    if (!written) {
        cups.cancel();
        return written;
    }
    return cups.finish();
}

} // namespace quillet
