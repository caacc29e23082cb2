#include "output/PdfPrintTarget.h"

#include "core/common/SaveFiles.h"
#include "core/printing/PrintPreferences.h"
#include "core/printing/pdf/GridPdfRenderer.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace quillet {

PdfPrintTarget::PdfPrintTarget(QString path, PrintFonts* fonts) : m_path(std::move(path)), m_fonts(fonts) {}

QString PdfPrintTarget::pathForJob(int job) const
{
    if (job <= 1)
        return m_path;
    const QFileInfo info(m_path);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    return info.dir().filePath(info.completeBaseName() + QLatin1Char('-') + QString::number(job) + suffix);
}

Status PdfPrintTarget::print(const GridDocument& document, const PrintJob& job)
{
    return write(job, [&](QIODevice& device, const PdfDocumentInfo& info, QPointF offset) {
        return writeGridPdf(document, device, info, offset, m_fonts);
    });
}

Status PdfPrintTarget::printStream(GridStream& stream, const PrintJob& job)
{
    return write(job, [&](QIODevice& device, const PdfDocumentInfo& info, QPointF offset) {
        return writeGridPdf(stream, device, info, offset, m_fonts);
    });
}

Status PdfPrintTarget::write(const PrintJob& job, const Writer& writer)
{
    const QString path = pathForJob(++m_jobs);
    // The user named a file: a device or a FIFO under that name is not replaced by
    // one. A link to a regular file is written through, as named.
    if (const QFileInfo existing(path); existing.exists() && !existing.isFile())
        return errors::notRegularFile();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (!QFileInfo(path).dir().exists())
            return errors::pathNotFound();
        return errors::permissionDenied();
    }
    // A file is shifted only by the offset given for the job, never by a printer's.
    const Status status = writer(file, PdfDocumentInfo{job.documentName}, mmToPoints(job.offsetMm.value_or(QPointF())));
    if (!status) {
        file.cancelWriting();
        return status;
    }
    // size() would flush and read a failed flush as an empty file.
    if (Status flushed = flushSaveFile(file); !flushed)
        return flushed;
    if (file.size() == 0) {
        file.cancelWriting(); // a document with nothing on it makes no file
        return Status::success();
    }
    if (Status committed = commitSaveFile(file); !committed)
        return committed;
    m_written << path;
    return Status::success();
}

} // namespace quillet
