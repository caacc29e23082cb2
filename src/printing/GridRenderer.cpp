#include "printing/GridRenderer.h"

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
    painter.translate(origin.x() * device.logicalDpiX() / 72.0, origin.y() * device.logicalDpiY() / 72.0);
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

} // namespace

void paintGridPages(const GridLayout& layout, QPagedPaintDevice& device, QPainter& painter, QPointF offset)
{
    std::vector<QFont> fonts;
    fonts.reserve(layout.fonts.size());
    for (const GridFont& font : layout.fonts)
        fonts.push_back(paintFont(font));

    const double scaleX = device.logicalDpiX() / 72.0;
    const double scaleY = device.logicalDpiY() / 72.0;
    painter.setPen(QPen(Qt::black, 0.5 * scaleX));
    int currentFont = -1;
    const auto useFont = [&](int font) {
        if (font != currentFont)
            painter.setFont(fonts[std::size_t(currentFont = font)]);
    };
    for (std::size_t index = 0; index < layout.pages.size(); ++index) {
        const LaidOutPage& page = layout.pages[index];
        if (index > 0) {
            device.setPageOrientation(pageOrientation(page.orientation));
            device.newPage();
        }
        placeOrigin(device, painter, offset);
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
}

Status renderGrid(const GridDocument& document, QPagedPaintDevice& device, QPointF offset)
{
    const GridLayout layout = layoutGrid(document, PageGeometry::forPaper(document.paper()));
    if (layout.pages.empty())
        return Status::success(); // nothing was printed, so no page is sent
    device.setPageSize(pageSize(document.paper()));
    device.setPageOrientation(pageOrientation(layout.pages.front().orientation));
    // Margins below the printer's minimum are raised to it; the origin is placed
    // on the paper all the same, and the printer clips what it cannot reach.
    device.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    QPainter painter;
    if (!painter.begin(&device))
        return errors::deviceIO();
    paintGridPages(layout, device, painter, offset);
    if (!painter.end())
        return errors::deviceIO();
    return Status::success();
}

} // namespace quillet
