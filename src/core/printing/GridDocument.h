#pragma once

#include "core/common/AppError.h"
#include "core/printing/Paper.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace quillet {

class WorkControl;

enum class PageOrientation { Portrait, Landscape };

// One piece of a printed line: optionally tab to a 1-based character column, then
// print some spaces, then the text. A tab to a column left of the print position
// moves to that column of the next text line.
struct GridItem
{
    int tabColumn = 0; // 0: no tab, continue at the print position
    int spaces = 0;
    QString text;
};

// How a layout lays its grid on the paper, in points from the paper's top-left
// corner: where column 1 and line 1 begin and how high a line is. A layout whose
// rows of labels do not repeat every whole number of lines names the lines that
// start a row and where their tops go; the lines after one follow it at the line
// height. Line numbers count from 1 on each page. The transcript never shows it.
struct GridPlacement
{
    struct RowStart
    {
        int line = 1;
        double top = 0;
    };
    double left = layoutMargin;
    double top = layoutMargin;
    double lineHeight = 0; // 0: each font's own, see gridLineHeight
    std::vector<RowStart> rowStarts;
};

struct GridFont
{
    QString family = QStringLiteral("Courier New");
    double pointSize = 10;
    bool bold = false;
};

// All printed text sits on a grid of character columns and text lines. A document
// is the list of operations a composer asked for; the layout plays them against
// real font metrics and a page size. Composers know nothing of painting.
class GridDocument
{
public:
    struct Op
    {
        enum class Kind { Font, Orientation, Line, NewPage, Text, Outline, Cross, Placement };
        Kind kind = Kind::Line;
        GridFont font;                                           // Kind::Font
        PageOrientation orientation = PageOrientation::Portrait; // Kind::Orientation
        QList<GridItem> items;                                   // Kind::Line; empty: an empty line
        QString text;                                            // Kind::Text
        QRectF area;       // Kind::Text: baseline origin; Outline: the rectangle; Cross: its bounds
        double radius = 0; // Kind::Outline: corner radius
        std::shared_ptr<const GridPlacement> placement; // Kind::Placement
    };

    void setFont(const GridFont& font);
    void setFont(const QString& family, double pointSize, bool bold = false);
    void setFontSize(double pointSize); // keeps family and bold
    void setBold(bool bold);
    void setOrientation(PageOrientation orientation);
    void printLine(QList<GridItem> items);
    void printLine(int tabColumn, const QString& text); // convenience: one item
    void printEmptyLine();
    void newPage();
    // Lays the grid on the paper this way from here on; a layout sets it before its
    // first line. Without it the grid starts a quarter inch in from the corner.
    void setPlacement(const GridPlacement& placement);

    // Off the grid, in points from the paper's top-left corner: text in the current
    // font with its baseline starting at `baseline`, a label's outline, a cross.
    void placeText(QPointF baseline, const QString& text);
    void drawOutline(const QRectF& rect, double radius);
    void drawCross(const QRectF& bounds);

    // The paper the job is printed on, whatever the printer's default (US Letter).
    void setPaper(const Paper& paper) { m_paper = paper; }
    const Paper& paper() const { return m_paper; }
    // Whether a printer's stored offset shifts the job (labels, envelopes,
    // return-address sheets), not reports or details pages.
    void setTakesPrinterOffset(bool takes) { m_takesPrinterOffset = takes; }
    bool takesPrinterOffset() const { return m_takesPrinterOffset; }

    // Adds another document's operations after this one's.
    void append(const GridDocument& other);

    const std::vector<Op>& ops() const { return m_ops; }
    bool isEmpty() const { return m_ops.empty(); }
    GridFont currentFont() const { return m_font; }

private:
    std::vector<Op> m_ops;
    GridFont m_font;
    Paper m_paper;
    bool m_takesPrinterOffset = false;
};

// A document made in pieces, for jobs too long to hold whole: `next` fills a fresh
// chunk and returns false once nothing is left. The pieces played one after the
// other are the document.
struct GridStream
{
    Paper paper;
    bool takesPrinterOffset = false;
    std::function<bool(GridDocument& chunk)> next;
    // Why `next` stopped before the end, for a stream that reads a source as it
    // runs (a contacts file another program changed): unset or successful when it
    // ran to its end. Whoever plays a stream checks it once `next` returns false.
    std::function<Status()> stoppedBy;

    Status status() const { return stoppedBy ? stoppedBy() : Status(); }
};

// A stream of one whole document, shared with whoever else holds it.
GridStream streamOf(std::shared_ptr<const GridDocument> document);

// The same stream, stopped before its next piece once the user cancels `control`
// (status() is then errors::cancelled()). Each piece made counts one on the
// control's progress, out of `pieces` (0: not known).
GridStream cancellable(GridStream stream, WorkControl& control, qint64 pieces = 0);

// All the pieces of a stream as one document; see status() for a stream that
// stopped early.
GridDocument wholeDocument(GridStream& stream);

} // namespace quillet
