#pragma once

#include "core/common/AppError.h"
#include "ports/PrintDialog.h"

#include <QString>

namespace quillet {

class GridDocument;
struct GridStream;

struct PrintJob
{
    QString printerName; // CUPS queue; empty: the default printer
    QString documentName = QStringLiteral("Quillet");
    PrinterSettings settings;
    std::optional<QPointF> offsetMm; // none: the printer's stored offset, where the document takes it

    // The job the print dialog's choice asks for.
    static PrintJob from(const PrintChoice& choice, const QString& documentName)
    {
        return PrintJob{choice.printerName, documentName, choice.settings, choice.offsetMm};
    }
};

// Where a grid document goes: a CUPS queue, a PDF file, or a recording for tests. One call is one print job; callers
// print each copy as its own job (CUPS would otherwise print n x n). A failed job is aborted, never half sent.
class PrintTarget
{
public:
    virtual ~PrintTarget() = default;
    virtual Status print(const GridDocument& document, const PrintJob& job) = 0;
    // The same for a document made in pieces; targets that paint stream it page by
    // page, the others take it whole.
    virtual Status printStream(GridStream& stream, const PrintJob& job);
};

} // namespace quillet
