#pragma once

#include "core/common/Result.h"
#include "core/printing/GridLayout.h"
#include "core/printing/pdf/PdfWriter.h"

#include <QPointF>

#include <memory>

#include <vector>

class QIODevice;

namespace quillet {

class PrintFonts;
class TrueTypeFont;

// Writes a grid document as a PDF on its paper: each page in its orientation, the
// grid's origin a quarter inch in from the paper's top-left corner plus `offset`
// (points), each run of text one string in Liberation Mono, outlines and crosses
// as half-point lines. Pages are laid out and written one at a time, so a long
// job holds one page. A document with nothing on it writes nothing at all.
// Fails with errors::fontNotFound() before writing anything when Liberation Mono
// is missing, or with the first failed write.
Status writeGridPdf(GridStream& stream, QIODevice& device, const PdfDocumentInfo& info, QPointF offset = {},
                    PrintFonts* fonts = nullptr);
Status writeGridPdf(const GridDocument& document, QIODevice& device, const PdfDocumentInfo& info, QPointF offset = {},
                    PrintFonts* fonts = nullptr);

// Plays laid-out pages into a PdfWriter; what writeGridPdf does page by page.
class GridPdfRenderer
{
public:
    GridPdfRenderer(PdfWriter& writer, PrintFonts& fonts, const Paper& paper, QPointF offset);

    // Both Liberation Mono faces, so that a missing font stops the job before its first page.
    Status prepare();
    // One page, its texts in the layout's fonts. The first failure, which ends the job.
    Status page(const LaidOutPage& page, const std::vector<GridFont>& fonts);

private:
    // A grid font as the writer sets it.
    struct Type
    {
        int face = -1;
        double size = 0;
        double spacing = 0;
    };
    void showRun(PdfContent& content, QPointF origin, const QString& text, const Type& type) const;
    double width(QStringView text, const Type& type) const;
    Status useFont(const GridFont& font, std::size_t index);
    Result<int> faceFor(const QString& family, bool bold);
    void drawPlaced(const PlacedFree& placed, PdfContent& content) const;

    PdfWriter& m_writer;
    PrintFonts& m_fonts;
    Paper m_paper;
    QPointF m_origin;
    std::vector<Type> m_types;                                    // by the layout's font index
    std::vector<std::shared_ptr<const TrueTypeFont>> m_faceFiles; // by the writer's font index
};

} // namespace quillet
