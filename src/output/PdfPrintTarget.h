#pragma once

#include "ports/PrintTarget.h"

#include <QIODevice>
#include <QPointF>
#include <QStringList>

#include <functional>

namespace quillet {

class PrintFonts;
struct PdfDocumentInfo;

// Writes each job to a PDF file on the document's paper. The first job goes
// to the path given; a further job on the same target goes to "NAME-2.pdf",
// "NAME-3.pdf" and so on beside it, so that each copy stays its own document. A
// file is replaced only once its job has been written completely.
class PdfPrintTarget : public PrintTarget
{
public:
    // `fonts`: where the pages' fonts come from; the system's when none.
    explicit PdfPrintTarget(QString path, PrintFonts* fonts = nullptr);
    Status print(const GridDocument& document, const PrintJob& job) override;
    Status printStream(GridStream& stream, const PrintJob& job) override;

    // The file the n-th job (from 1) is written to.
    QString pathForJob(int job) const;
    QStringList writtenFiles() const { return m_written; }

private:
    using Writer = std::function<Status(QIODevice&, const PdfDocumentInfo&, QPointF)>;
    Status write(const PrintJob& job, const Writer& writer);

    QString m_path;
    PrintFonts* m_fonts;
    int m_jobs = 0;
    QStringList m_written;
};

} // namespace quillet
