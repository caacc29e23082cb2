#include "cli/TerminalTranscriptTarget.h"

#include "core/common/TerminalText.h"
#include "core/printing/GridDocument.h"

namespace quillet::cli {

namespace {

QList<GridItem> safeItems(QList<GridItem> items)
{
    for (GridItem& item : items)
        item.text = terminalSafe(item.text);
    return items;
}

// The same operations with every text made terminal-safe.
GridDocument terminalSafeDocument(const GridDocument& document)
{
    GridDocument safe;
    safe.setPaper(document.paper());
    safe.setTakesPrinterOffset(document.takesPrinterOffset());
    using Kind = GridDocument::Op::Kind;
    for (const GridDocument::Op& op : document.ops()) {
        switch (op.kind) {
        case Kind::Font:
            safe.setFont(op.font);
            break;
        case Kind::Orientation:
            safe.setOrientation(op.orientation);
            break;
        case Kind::Line:
            safe.printLine(safeItems(op.items));
            break;
        case Kind::NewPage:
            safe.newPage();
            break;
        case Kind::Text:
            safe.placeText(op.area.topLeft(), terminalSafe(op.text));
            break;
        case Kind::Outline:
            safe.drawOutline(op.area, op.radius);
            break;
        case Kind::Cross:
            safe.drawCross(op.area);
            break;
        case Kind::Placement:
            safe.setPlacement(*op.placement);
            break;
        }
    }
    return safe;
}

} // namespace

Status TerminalTranscriptTarget::print(const GridDocument& document, const PrintJob& job)
{
    return m_transcript.print(terminalSafeDocument(document), job);
}

} // namespace quillet::cli
