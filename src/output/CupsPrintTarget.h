#pragma once

#include "core/printing/GridDocument.h"
#include "ports/PrintTarget.h"

#include <QPointF>

#include <functional>

class QIODevice;

namespace quillet {

class PrintFonts;
struct PdfDocumentInfo;

// Prints each job on a CUPS queue (the default printer when the job names none):
// the job's PDF, made as a PDF file is, goes to the scheduler through libcups on
// the job's paper, with the print dialog's options and the job's title. The copy
// count stays 1: callers send each copy as its own job. A missing queue, a queue
// that refuses the job or a scheduler that fails part way cancels the job and
// returns errors::deviceIO().
class CupsPrintTarget : public PrintTarget
{
public:
    // `fonts`: where the pages' fonts come from; the system's when none.
    explicit CupsPrintTarget(PrintFonts* fonts = nullptr);
    Status print(const GridDocument& document, const PrintJob& job) override;
    Status printStream(GridStream& stream, const PrintJob& job) override;

private:
    struct Pages
    {
        const Paper& paper;
        bool takesPrinterOffset = false;
        PageOrientation firstOrientation = PageOrientation::Portrait;
    };
    using Writer = std::function<Status(QIODevice&, const PdfDocumentInfo&, QPointF)>;
    Status send(const PrintJob& job, const Pages& pages, const Writer& write);

    PrintFonts* m_fonts;
};

} // namespace quillet
