#include "core/printing/pdf/GridPdfRenderer.h"

#include "core/printing/pdf/PrintFonts.h"
#include "core/printing/pdf/TrueTypeFont.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace quillet {

namespace {

// Quillet's pages used to come from QPdfWriter at 1200 dpi, which sets type at a
// whole number of device pixels (10 points: 167 pixels, 10.02 points) and steps
// each glyph of a fixed-pitch face by its advance at that size cut to 1/64 pixel
// (FreeType's 26.6 numbers): a pitch of 6.0122 points at 10 points where the face
// says 6.0010. The same size and pitch keep every character where it was, within
// a thousandth of a point, however long its line.
constexpr double deviceDpi = 1200;

double deviceSize(double pointSize)
{
    return std::round(pointSize * deviceDpi / 72) * 72 / deviceDpi;
}

double deviceSpacing(double pointSize, const TrueTypeFont& face)
{
    if (!face.isFixedPitch())
        return 0;
    const double pixels = std::round(pointSize * deviceDpi / 72);
    const double advance = pixels * face.advance(face.glyphFor(U'0')) / face.unitsPerEm();
    return (std::floor(advance * 64) / 64 - advance) * 72 / deviceDpi;
}

// Lays a document out page by page into the renderer; `feed` hands it the pieces
// and may fail the job itself (a stream that stopped early). A failed job is not
// finished.
Status render(GridPdfRenderer& renderer, PdfWriter& writer, const Paper& paper,
              const std::function<bool(GridLayoutStream&, Status&)>& feed)
{
    if (Status prepared = renderer.prepare(); !prepared)
        return prepared;
    Status status;
    GridLayoutStream layout(PageGeometry::forPaper(paper), [&](LaidOutPage&& page, const std::vector<GridFont>& fonts) {
        if (status)
            status = renderer.page(page, fonts);
    });
    while (feed(layout, status)) {
    }
    layout.finish();
    if (!status)
        return status;
    return writer.finish();
}

} // namespace

GridPdfRenderer::GridPdfRenderer(PdfWriter& writer, PrintFonts& fonts, const Paper& paper, QPointF offset)
    : m_writer(writer), m_fonts(fonts), m_paper(paper), m_origin(QPointF(layoutMargin, layoutMargin) + offset)
{}

Status GridPdfRenderer::prepare()
{
    for (const bool bold : {false, true}) {
        if (Result<int> face = faceFor(QStringLiteral("Liberation Mono"), bold); !face)
            return face.status();
    }
    return Status::success();
}

Result<int> GridPdfRenderer::faceFor(const QString& family, bool bold)
{
    Result<std::shared_ptr<const TrueTypeFont>> face = m_fonts.face(family, bold);
    if (!face)
        return face.status();
    // "Courier New" and "Liberation Mono" are one face, embedded once.
    const auto known = std::find(m_faceFiles.begin(), m_faceFiles.end(), *face);
    if (known != m_faceFiles.end())
        return int(known - m_faceFiles.begin());
    m_faceFiles.push_back(*face);
    return m_writer.addFont(*face);
}

Status GridPdfRenderer::useFont(const GridFont& font, std::size_t index)
{
    Result<int> face = faceFor(font.family, font.bold);
    if (!face)
        return face.status();
    const TrueTypeFont& file = *m_faceFiles[std::size_t(*face)];
    m_types.resize(std::max(m_types.size(), index + 1));
    m_types[index] = Type{*face, deviceSize(font.pointSize), deviceSpacing(font.pointSize, file)};
    return Status::success();
}

Status GridPdfRenderer::page(const LaidOutPage& page, const std::vector<GridFont>& fonts)
{
    for (std::size_t index = m_types.size(); index < fonts.size(); ++index) {
        if (Status used = useFont(fonts[index], index); !used)
            return used;
    }
    const QSizeF portrait(m_paper.width, m_paper.height);
    PdfContent& content =
        m_writer.beginPage(page.orientation == PageOrientation::Portrait ? portrait : portrait.transposed());
    int current = -1;
    const auto setType = [&](int font) {
        if (font == current)
            return;
        const Type& type = m_types[std::size_t(current = font)];
        content.setFont(type.face, type.size, type.spacing);
    };
    for (const PlacedLine& line : page.lines) {
        for (const PlacedText& text : line.texts) {
            setType(text.font);
            showRun(content, m_origin + QPointF(text.x, line.baseline), text.text, m_types[std::size_t(text.font)]);
        }
    }
    if (!page.placed.empty())
        content.setLineWidth(0.5);
    for (const PlacedFree& placed : page.placed) {
        setType(placed.font);
        drawPlaced(placed, content);
    }
    return m_writer.endPage();
}

// A tab in a printed line (the list lines printed as they are) moves to the next
// stop as Qt's painter moved it: every 80 pixels of a 96 dpi screen, 60 points,
// from the start of the run.
void GridPdfRenderer::showRun(PdfContent& content, QPointF origin, const QString& text, const Type& type) const
{
    if (!text.contains(u'\t')) {
        content.showText(origin, text);
        return;
    }
    const double tabStop = 60;
    double x = 0;
    const QList<QStringView> pieces = QStringView(text).split(u'\t');
    for (qsizetype index = 0; index < pieces.size(); ++index) {
        if (index > 0)
            x = (std::floor(x / tabStop) + 1) * tabStop;
        content.showText(origin + QPointF(x, 0), pieces[index]);
        x += width(pieces[index], type);
    }
}

double GridPdfRenderer::width(QStringView text, const Type& type) const
{
    const TrueTypeFont& face = *m_faceFiles[std::size_t(type.face)];
    double units = 0;
    for (const QChar c : text)
        units += face.advance(face.glyphFor(c.unicode()));
    return units * type.size / face.unitsPerEm() + type.spacing * double(text.size());
}

void GridPdfRenderer::drawPlaced(const PlacedFree& placed, PdfContent& content) const
{
    const QRectF area = placed.area.translated(m_origin);
    switch (placed.kind) {
    case GridDocument::Op::Kind::Text:
        content.showText(area.topLeft(), placed.text);
        break;
    case GridDocument::Op::Kind::Outline:
        content.strokeRoundedRect(area, placed.radius);
        break;
    default:
        content.strokeLine({area.left(), area.center().y()}, {area.right(), area.center().y()});
        content.strokeLine({area.center().x(), area.top()}, {area.center().x(), area.bottom()});
        break;
    }
}

Status writeGridPdf(GridStream& stream, QIODevice& device, const PdfDocumentInfo& info, QPointF offset,
                    PrintFonts* fonts)
{
    PdfWriter writer(device, info);
    GridPdfRenderer renderer(writer, fonts ? *fonts : PrintFonts::system(), stream.paper, offset);
    GridDocument chunk;
    return render(renderer, writer, stream.paper, [&](GridLayoutStream& layout, Status& status) {
        chunk = GridDocument();
        if (!status)
            return false;
        if (!stream.next || !stream.next(chunk)) {
            status = stream.status();
            return false;
        }
        layout.feed(chunk);
        return true;
    });
}

Status writeGridPdf(const GridDocument& document, QIODevice& device, const PdfDocumentInfo& info, QPointF offset,
                    PrintFonts* fonts)
{
    PdfWriter writer(device, info);
    GridPdfRenderer renderer(writer, fonts ? *fonts : PrintFonts::system(), document.paper(), offset);
    return render(renderer, writer, document.paper(),
                  [&document, fed = false](GridLayoutStream& layout, Status&) mutable {
                      if (fed)
                          return false;
                      layout.feed(document);
                      return fed = true;
                  });
}

} // namespace quillet
