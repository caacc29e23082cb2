#include "cli/StandardOutputPdfTarget.h"

#include "cli/Console.h"
#include "core/common/FileErrors.h"
#include "output/PdfPrintTarget.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

namespace quillet::cli {

namespace {

Status copyToOutput(const QString& path)
{
    QFile pdf(path);
    if (!pdf.exists())
        return Status::success(); // a document with nothing on it makes no file
    if (!pdf.open(QIODevice::ReadOnly))
        return errorFromFileDevice(pdf);
    while (!pdf.atEnd()) {
        const QByteArray chunk = pdf.read(64 * 1024);
        if (chunk.isEmpty() && pdf.error() != QFileDevice::NoError)
            return errorFromFileDevice(pdf);
        console::write(chunk);
    }
    return Status::success();
}

Status printThroughFile(const std::function<Status(PdfPrintTarget&)>& print)
{
    const QTemporaryDir folder;
    if (!folder.isValid())
        return errors::pathFileAccess();
    const QString path = QDir(folder.path()).filePath(QStringLiteral("job.pdf"));
    PdfPrintTarget file(path);
    if (Status printed = print(file); !printed)
        return printed;
    return copyToOutput(path);
}

} // namespace

Status StandardOutputPdfTarget::print(const GridDocument& document, const PrintJob& job)
{
    return printThroughFile([&](PdfPrintTarget& file) { return file.print(document, job); });
}

Status StandardOutputPdfTarget::printStream(GridStream& stream, const PrintJob& job)
{
    return printThroughFile([&](PdfPrintTarget& file) { return file.printStream(stream, job); });
}

} // namespace quillet::cli
