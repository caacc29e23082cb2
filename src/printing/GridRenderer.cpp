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

} // namespace

void paintGridPages(const GridLayout& layout, QPagedPaintDevice& device, QPainter& painter)
{
    std::vector<QFont> fonts;
    fonts.reserve(layout.fonts.size());
    for (const GridFont& font : layout.fonts)
        fonts.push_back(paintFont(font));

    // The painter's origin is the top-left of the printable area, in device pixels.
    const double scaleX = device.logicalDpiX() / 72.0;
    const double scaleY = device.logicalDpiY() / 72.0;
    int currentFont = -1;
    for (std::size_t index = 0; index < layout.pages.size(); ++index) {
        const LaidOutPage& page = layout.pages[index];
        if (index > 0) {
            device.setPageOrientation(pageOrientation(page.orientation));
            device.newPage();
        }
        for (const PlacedLine& line : page.lines) {
            for (const PlacedText& text : line.texts) {
                if (text.font != currentFont) {
                    currentFont = text.font;
                    painter.setFont(fonts[std::size_t(currentFont)]);
                }
                painter.drawText(QPointF(text.x * scaleX, line.baseline * scaleY), text.text);
            }
        }
    }
}

Status renderGrid(const GridDocument& document, QPagedPaintDevice& device)
{
    const GridLayout layout = layoutGrid(document, PageGeometry::fromPageLayout(device.pageLayout()));
    if (layout.pages.empty())
        return Status::success(); // nothing was printed, so no page is sent
    device.setPageOrientation(pageOrientation(layout.pages.front().orientation));
    QPainter painter;
    if (!painter.begin(&device))
        return errors::deviceIO();
    paintGridPages(layout, device, painter);
    if (!painter.end())
        return errors::deviceIO();
    return Status::success();
}

} // namespace quillet
