#pragma once

#include "core/printing/Paper.h"

#include <QPointF>
#include <QString>

namespace quillet {

// What printing remembers between runs, in the per-user settings.
namespace printprefs {

inline constexpr double maxOffsetMm = 10;

// The printer chosen last in the print dialog; empty when none was.
QString lastPrinter();
void setLastPrinter(const QString& printer);

// The horizontal and vertical shift stored for a printer (CUPS queue name), in
// millimetres, each within +-10 mm; zero when none is stored.
QPointF printerOffset(const QString& printer);
void setPrinterOffset(const QString& printer, QPointF offsetMm);
// An offset kept within +-10 mm on both axes.
QPointF clampOffset(QPointF offsetMm);

// The label sheet the list window prints its labels on ("BRAND PART"); empty for
// the built-in sheet.
QString labelSheet();
void setLabelSheet(const QString& name);

} // namespace printprefs

// Millimetres to points.
inline QPointF mmToPoints(QPointF mm)
{
    return mm * pointsPerMm;
}

} // namespace quillet
