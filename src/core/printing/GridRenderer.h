#pragma once

#include "core/common/AppError.h"
#include "core/printing/GridLayout.h"

class QPagedPaintDevice;
class QPainter;

namespace quillet {

// Paints a document on a paged device (QPrinter, QPdfWriter, or the printer a
// QPrintPreviewDialog hands to paintRequested): sets the device to the document's
// paper, lays the document out on that paper less a quarter inch on every side and
// puts every character at its place on the paper, wherever the device's own
// printable area begins; so preview, print and PDF show the same pages. `offset`
// (points) shifts the whole page. Begins and ends the painter itself; fails when
// the device cannot be painted on.
Status renderGrid(const GridDocument& document, QPagedPaintDevice& device, QPointF offset = {});

// The same for a document made in pieces: each page is laid out and painted as
// soon as it is complete, so a long job never holds more than a page of layout.
Status renderGridStream(GridStream& stream, QPagedPaintDevice& device, QPointF offset = {});

// Paints pages already laid out on a painter that is active on `device`, which
// must be set to the layout's paper. Used by renderGrid.
void paintGridPages(const GridLayout& layout, QPagedPaintDevice& device, QPainter& painter, QPointF offset = {});

} // namespace quillet
