#pragma once

#include <QBuffer>
#include <QDialog>
#include <QPdfDocument>

class QLabel;
class QPdfView;

namespace quillet {

struct GridStream;

// Print Preview: the PDF one copy of the job prints, made by the same writer as
// the printer's and the file's and shown with Qt PDF, so the preview is the print.
// When the PDF cannot be made (no Liberation Mono), the window says why instead.
class PrintPreviewWindow : public QDialog
{
    Q_OBJECT
public:
    explicit PrintPreviewWindow(GridStream& stream, QWidget* parent = nullptr);

    const QPdfDocument& document() const { return m_document; }

private:
    void showPageCount();
    void zoomBy(double factor);

    QBuffer m_pdf;
    QPdfDocument m_document;
    QPdfView* m_view = nullptr;
    QLabel* m_pages = nullptr;
};

} // namespace quillet
