#pragma once

#include "common/AppError.h"
#include "printing/GridLayout.h"

class QPagedPaintDevice;
class QPainter;

namespace quillet {

// Paints a laid-out document on a paged device (QPrinter, QPdfWriter, or the
// printer a QPrintPreviewDialog hands to paintRequested). The layout is made for
// the device's own printable area, so preview, print and PDF show the same pages.
// Begins and ends the painter itself; fails when the device cannot be painted on.
Status renderGrid(const GridDocument& document, QPagedPaintDevice& device);

// Paints pages already laid out on a painter that is active on `device`, which
// must have the geometry the layout was made for. Used by renderGrid.
void paintGridPages(const GridLayout& layout, QPagedPaintDevice& device, QPainter& painter);

} // namespace quillet
