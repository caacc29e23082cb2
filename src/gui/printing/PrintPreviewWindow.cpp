#include "gui/printing/PrintPreviewWindow.h"

#include "core/printing/pdf/GridPdfRenderer.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPdfView>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillet {

namespace {

QToolButton* toolButton(const QString& name, const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    return button;
}

} // namespace

PrintPreviewWindow::PrintPreviewWindow(GridStream& stream, QWidget* parent) : QDialog(parent), m_document(this)
{
    setObjectName(QStringLiteral("dlgPrintPreview"));
    setWindowTitle(QStringLiteral("Print Preview"));
    m_view = new QPdfView(this);
    m_view->setObjectName(QStringLiteral("pdfPages"));
    m_view->setPageMode(QPdfView::PageMode::MultiPage);
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_pages = new QLabel(this);
    m_pages->setObjectName(QStringLiteral("lblPages"));
    auto* fitWidth = toolButton(QStringLiteral("cmdFitWidth"), QStringLiteral("Fit &Width"), this);
    auto* wholePage = toolButton(QStringLiteral("cmdWholePage"), QStringLiteral("Whole &Page"), this);
    auto* zoomIn = toolButton(QStringLiteral("cmdZoomIn"), QStringLiteral("Zoom &In"), this);
    auto* zoomOut = toolButton(QStringLiteral("cmdZoomOut"), QStringLiteral("Zoom &Out"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* tools = new QHBoxLayout;
    for (QWidget* tool : std::initializer_list<QWidget*>{fitWidth, wholePage, zoomOut, zoomIn, m_pages})
        tools->addWidget(tool);
    tools->addStretch(1);
    tools->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_view, 1);
    resize(720, 860);

    connect(fitWidth, &QToolButton::clicked, this, [this] { m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth); });
    connect(wholePage, &QToolButton::clicked, this, [this] { m_view->setZoomMode(QPdfView::ZoomMode::FitInView); });
    connect(zoomIn, &QToolButton::clicked, this, [this] { zoomBy(1.25); });
    connect(zoomOut, &QToolButton::clicked, this, [this] { zoomBy(0.8); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(&m_document, &QPdfDocument::pageCountChanged, this, &PrintPreviewWindow::showPageCount);

    m_pdf.open(QIODevice::ReadWrite);
    const Status written = writeGridPdf(stream, m_pdf, PdfDocumentInfo{windowTitle()});
    if (!written) {
        m_pages->setText(errorBoxText(written.error()));
        return;
    }
    showPageCount();
    m_pdf.seek(0);
    m_view->setDocument(&m_document);
    m_document.load(&m_pdf);
}

void PrintPreviewWindow::showPageCount()
{
    const int pages = m_document.pageCount();
    m_pages->setText(pages == 1 ? QStringLiteral("1 page") : QStringLiteral("%1 pages").arg(pages));
}

void PrintPreviewWindow::zoomBy(double factor)
{
    const double zoom = m_view->zoomMode() == QPdfView::ZoomMode::Custom ? m_view->zoomFactor() : 1.0;
    m_view->setZoomMode(QPdfView::ZoomMode::Custom);
    m_view->setZoomFactor(std::clamp(zoom * factor, 0.1, 10.0));
}

} // namespace quillet
