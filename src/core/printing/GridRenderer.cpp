#include "core/printing/GridRenderer.h"

#include "core/printing/Paper.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>

#include <vector>

namespace quillet {

namespace {

QPageLayout::Orientation pageOrientation(PageOrientation orientation)
{
    return orientation == PageOrientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape;
}

QFont paintFont(const GridFont& gridFont)
{
    QFont font(gridFont.family);
    font.setStyleHint(QFont::TypeWriter);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    font.setPointSizeF(gridFont.pointSize);
    font.setBold(gridFont.bold);
    return font;
}

QPageSize pageSize(const Paper& paper)
{
    return QPageSize(QSizeF(paper.width, paper.height), QPageSize::Point, paper.name, QPageSize::FuzzyMatch);
}

// Puts the painter's origin at the layout's: the paper's corner plus the layout
// margin and the offset, measured from where the device's own painting starts.
void placeOrigin(QPagedPaintDevice& device, QPainter& painter, QPointF offset)
{
    const QPointF start = device.pageLayout().paintRect(QPageLayout::Point).topLeft();
    const QPointF origin = QPointF(layoutMargin, layoutMargin) + offset - start;
    painter.resetTransform();
    painter.translate(origin.x() * device.logicalDpiX() / pointsPerInch,
                      origin.y() * device.logicalDpiY() / pointsPerInch);
}

void paintPlaced(const PlacedFree& placed, QPainter& painter, double scaleX, double scaleY)
{
    const QRectF area(placed.area.x() * scaleX, placed.area.y() * scaleY, placed.area.width() * scaleX,
                      placed.area.height() * scaleY);
    switch (placed.kind) {
    case GridDocument::Op::Kind::Text:
        painter.drawText(area.topLeft(), placed.text);
        break;
    case GridDocument::Op::Kind::Outline:
        painter.drawRoundedRect(area, placed.radius * scaleX, placed.radius * scaleY);
        break;
    default:
        painter.drawLine(QPointF(area.left(), area.center().y()), QPointF(area.right(), area.center().y()));
        painter.drawLine(QPointF(area.center().x(), area.top()), QPointF(area.center().x(), area.bottom()));
        break;
    }
}

// One page, its texts in the fonts they index.
void paintPage(const LaidOutPage& page, const std::vector<QFont>& fonts, QPagedPaintDevice& device, QPainter& painter,
               QPointF offset)
{
    const double scaleX = device.logicalDpiX() / pointsPerInch;
    const double scaleY = device.logicalDpiY() / pointsPerInch;
    placeOrigin(device, painter, offset);
    int currentFont = -1;
    const auto useFont = [&](int font) {
        if (font != currentFont)
            painter.setFont(fonts[std::size_t(currentFont = font)]);
    };
    for (const PlacedLine& line : page.lines) {
        for (const PlacedText& text : line.texts) {
            useFont(text.font);
            painter.drawText(QPointF(text.x * scaleX, line.baseline * scaleY), text.text);
        }
    }
    for (const PlacedFree& placed : page.placed) {
        useFont(placed.font);
        paintPlaced(placed, painter, scaleX, scaleY);
    }
}

} // namespace

namespace {

// Sets the device up for the first page and begins the painter; starts a new
// page for the next ones.
class PagePainter
{
public:
    PagePainter(const Paper& paper, QPagedPaintDevice& device, QPointF offset)
        : m_paper(paper), m_device(device), m_offset(offset)
    {}

    void paint(const LaidOutPage& page, const std::vector<GridFont>& fonts)
    {
        if (m_failed)
            return;
        if (!m_painter.isActive()) {
            m_device.setPageSize(pageSize(m_paper));
            m_device.setPageOrientation(pageOrientation(page.orientation));
            // Margins below the printer's minimum are raised to it; the origin is
            // placed on the paper all the same, and the printer clips what it cannot reach.
            m_device.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
            if (!m_painter.begin(&m_device)) {
                m_failed = true;
                return;
            }
            m_painter.setPen(QPen(Qt::black, 0.5 * m_device.logicalDpiX() / pointsPerInch));
        } else {
            m_device.setPageOrientation(pageOrientation(page.orientation));
            m_device.newPage();
        }
        while (m_fonts.size() < fonts.size())
            m_fonts.push_back(paintFont(fonts[m_fonts.size()]));
        paintPage(page, m_fonts, m_device, m_painter, m_offset);
    }

    Status end()
    {
        if (m_failed || (m_painter.isActive() && !m_painter.end()))
            return errors::deviceIO();
        return Status::success(); // nothing printed: no page is sent
    }

private:
    Paper m_paper;
    QPagedPaintDevice& m_device;
    QPointF m_offset;
    QPainter m_painter;
    std::vector<QFont> m_fonts;
    bool m_failed = false;
};

} // namespace

void paintGridPages(const GridLayout& layout, QPagedPaintDevice& device, QPainter& painter, QPointF offset)
{
    std::vector<QFont> fonts;
    for (const GridFont& font : layout.fonts)
        fonts.push_back(paintFont(font));
    painter.setPen(QPen(Qt::black, 0.5 * device.logicalDpiX() / pointsPerInch));
    for (std::size_t index = 0; index < layout.pages.size(); ++index) {
        if (index > 0) {
            device.setPageOrientation(pageOrientation(layout.pages[index].orientation));
            device.newPage();
        }
        paintPage(layout.pages[index], fonts, device, painter, offset);
    }
}

Status renderGrid(const GridDocument& document, QPagedPaintDevice& device, QPointF offset)
{
    PagePainter pages(document.paper(), device, offset);
    GridLayoutStream layout(
        PageGeometry::forPaper(document.paper()),
        [&pages](LaidOutPage&& page, const std::vector<GridFont>& fonts) { pages.paint(page, fonts); });
    layout.feed(document);
    layout.finish();
    return pages.end();
}

Status renderGridStream(GridStream& stream, QPagedPaintDevice& device, QPointF offset)
{
    PagePainter pages(stream.paper, device, offset);
    GridLayoutStream layout(
        PageGeometry::forPaper(stream.paper),
        [&pages](LaidOutPage&& page, const std::vector<GridFont>& fonts) { pages.paint(page, fonts); });
    for (GridDocument chunk; stream.next && stream.next(chunk); chunk = GridDocument())
        layout.feed(chunk);
    layout.finish();
    const Status ended = pages.end();
    return ended ? stream.status() : ended;
}

} // namespace quillet
