#include "core/printing/GridDocument.h"

#include "core/common/WorkControl.h"

#include <utility>

namespace quillet {

void GridDocument::setFont(const GridFont& font)
{
    m_font = font;
    Op op;
    op.kind = Op::Kind::Font;
    op.font = font;
    m_ops.push_back(std::move(op));
}

void GridDocument::setFont(const QString& family, double pointSize, bool bold)
{
    setFont(GridFont{family, pointSize, bold});
}

void GridDocument::setFontSize(double pointSize)
{
    GridFont font = m_font;
    font.pointSize = pointSize;
    setFont(font);
}

void GridDocument::setBold(bool bold)
{
    GridFont font = m_font;
    font.bold = bold;
    setFont(font);
}

void GridDocument::setOrientation(PageOrientation orientation)
{
    Op op;
    op.kind = Op::Kind::Orientation;
    op.orientation = orientation;
    m_ops.push_back(std::move(op));
}

void GridDocument::printLine(QList<GridItem> items)
{
    Op op;
    op.kind = Op::Kind::Line;
    op.items = std::move(items);
    m_ops.push_back(std::move(op));
}

void GridDocument::printLine(int tabColumn, const QString& text)
{
    printLine({GridItem{tabColumn, 0, text}});
}

void GridDocument::printEmptyLine()
{
    printLine(QList<GridItem>{});
}

void GridDocument::newPage()
{
    Op op;
    op.kind = Op::Kind::NewPage;
    m_ops.push_back(std::move(op));
}

void GridDocument::setPlacement(const GridPlacement& placement)
{
    Op op;
    op.kind = Op::Kind::Placement;
    op.placement = std::make_shared<const GridPlacement>(placement);
    m_ops.push_back(std::move(op));
}

void GridDocument::placeText(QPointF baseline, const QString& text)
{
    Op op;
    op.kind = Op::Kind::Text;
    op.area = QRectF(baseline, QSizeF());
    op.text = text;
    m_ops.push_back(std::move(op));
}

void GridDocument::drawOutline(const QRectF& rect, double radius)
{
    Op op;
    op.kind = Op::Kind::Outline;
    op.area = rect;
    op.radius = radius;
    m_ops.push_back(std::move(op));
}

void GridDocument::drawCross(const QRectF& bounds)
{
    Op op;
    op.kind = Op::Kind::Cross;
    op.area = bounds;
    m_ops.push_back(std::move(op));
}

void GridDocument::append(const GridDocument& other)
{
    m_ops.insert(m_ops.end(), other.m_ops.begin(), other.m_ops.end());
    for (const Op& op : other.m_ops)
        if (op.kind == Op::Kind::Font)
            m_font = op.font;
}

GridStream streamOf(std::shared_ptr<const GridDocument> document)
{
    GridStream stream{document->paper(), document->takesPrinterOffset(), {}};
    stream.next = [document, done = false](GridDocument& chunk) mutable {
        if (done)
            return false;
        chunk = *document;
        return done = true;
    };
    return stream;
}

GridStream cancellable(GridStream stream, WorkControl& control, qint64 pieces)
{
    auto cancelled = std::make_shared<bool>(false);
    GridStream watched{stream.paper, stream.takesPrinterOffset, {}, {}};
    // Copies printed one after another count on from where the last one stopped.
    watched.next = [next = std::move(stream.next), &control, pieces, cancelled](GridDocument& chunk) {
        if (control.cancelled()) {
            *cancelled = true;
            return false;
        }
        if (!next || !next(chunk))
            return false;
        control.setProgress(control.done() + 1, pieces);
        return true;
    };
    watched.stoppedBy = [stoppedBy = std::move(stream.stoppedBy), cancelled] {
        if (*cancelled)
            return Status(errors::cancelled());
        return stoppedBy ? stoppedBy() : Status();
    };
    return watched;
}

GridDocument wholeDocument(GridStream& stream)
{
    GridDocument document;
    document.setPaper(stream.paper);
    document.setTakesPrinterOffset(stream.takesPrinterOffset);
    for (GridDocument chunk; stream.next && stream.next(chunk); chunk = GridDocument())
        document.append(chunk);
    return document;
}

} // namespace quillet
