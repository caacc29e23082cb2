#pragma once

#include "core/printing/GridDocument.h"

#include <QSizeF>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace quillet {

// A text line at s points is s x 72/68 points high, not the font's own 1.13 x s:
// with it a row of list labels (3 lines at 10, one at 11, three at 9) is exactly
// one inch and the 87 lines of a return-address sheet fit a Letter page. A
// document's GridPlacement may set another.
double gridLineHeight(double pointSize);

// The printable area a document is laid out in, for each orientation, in points.
// The grid's origin is its top-left corner.
struct PageGeometry
{
    QSizeF portrait;
    QSizeF landscape;

    QSizeF size(PageOrientation orientation) const;
    // US Letter less 0.25 inch on every side.
    static PageGeometry pdfLetter();
    // The paper less 0.25 inch on every side: where every job is laid out.
    static PageGeometry forPaper(const Paper& paper);
};

// How wide a column is and where the baseline sits, per point of font size.
struct GridFontMetrics
{
    double advance = 0.6;      // character advance / size
    double ascent = 0.83;      // ascent / size
    double descent = 0.3;      // descent / size
    double lineSpacing = 1.13; // the font's own line spacing / size
};

// The metrics of a font family (cached; needs a QGuiApplication).
GridFontMetrics gridFontMetrics(const QString& family, bool bold);

// A run of text at a position on a page.
struct PlacedText
{
    double x = 0;   // points from the left of the printable area (below 0 left of it)
    int column = 1; // 1-based column in its own font
    int font = 0;   // index into GridLayout::fonts
    QString text;
};

// One text line of a page, blank or not.
struct PlacedLine
{
    int number = 1; // on its page, from 1
    double top = 0; // points from the top of the printable area (below 0 above it)
    double baseline = 0;
    int font = 0; // the font the line was ended in
    std::vector<PlacedText> texts;
};

// Text or a shape placed off the grid, in points from the top-left of the area
// the grid is laid out in.
struct PlacedFree
{
    GridDocument::Op::Kind kind = GridDocument::Op::Kind::Text;
    QRectF area; // Text: its baseline origin
    double radius = 0;
    int font = 0;
    QString text;
};

struct LaidOutPage
{
    PageOrientation orientation = PageOrientation::Portrait;
    std::vector<PlacedLine> lines;
    std::vector<PlacedFree> placed;
    bool hasText = false; // false only for a page an explicit new page left blank
};

struct GridLayout
{
    Paper paper;
    std::vector<GridFont> fonts;
    std::vector<LaidOutPage> pages;
};

// Plays a document against font metrics and the page: tab to a column left of the
// print position moves to that column of the next line; a line with text that
// would run below the printable area starts a new page, an empty line only moves
// the position; an explicit new page always starts one; a document never ends
// with a page on which nothing was printed. Blank lines below the printable area
// are not kept.
GridLayout layoutGrid(const GridDocument& document, const PageGeometry& geometry);

class Layouter;

// The same layout fed a document in pieces, one after the other as if they were
// one document, handing each page on as soon as it is complete; so a long job
// never holds more than a page of layout.
class GridLayoutStream
{
public:
    // Receives each page with the fonts its texts index (the table only grows).
    using PageSink = std::function<void(LaidOutPage&& page, const std::vector<GridFont>& fonts)>;

    GridLayoutStream(const PageGeometry& geometry, PageSink sink);
    ~GridLayoutStream();
    void feed(const GridDocument& chunk);
    // Hands on the last page; blank pages at the end are dropped.
    void finish();

private:
    std::unique_ptr<Layouter> m_layouter;
};

} // namespace quillet
