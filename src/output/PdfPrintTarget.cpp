#include "output/PdfPrintTarget.h"

#include "core/common/SaveFiles.h"
#include "core/printing/GridLayout.h"
#include "core/printing/GridRenderer.h"
#include "core/printing/PrintPreferences.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>

namespace quillet {

PdfPrintTarget::PdfPrintTarget(QString path) : m_path(std::move(path)) {}

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
    return write(
        job, [&document](QPagedPaintDevice& device, QPointF offset) { return renderGrid(document, device, offset); });
}

Status PdfPrintTarget::printStream(GridStream& stream, const PrintJob& job)
{
    return write(
        job, [&stream](QPagedPaintDevice& device, QPointF offset) { return renderGridStream(stream, device, offset); });
}

Status PdfPrintTarget::write(const PrintJob& job, const std::function<Status(QPagedPaintDevice&, QPointF)>& render)
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
    Status status;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(pdfPageLayout());
        writer.setResolution(1200);
        writer.setTitle(job.documentName);
        writer.setCreator(QStringLiteral("Quillet"));
        // A file is shifted only by the offset given for the job, never by a printer's.
        status = render(writer, mmToPoints(job.offsetMm.value_or(QPointF())));
    }
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
