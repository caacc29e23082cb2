#pragma once

#include "core/printing/Paper.h"

#include <QHash>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

class QIODevice;

namespace quillet {

// What real label products have, with room to spare: a template beyond these is
// not one (a planted file could otherwise make the label count overflow).
inline constexpr int maxLabelsPerSheet = 10000;
inline constexpr int maxLayoutsPerTemplate = 16;
// The longest length a template may give: 10 metres, in points.
inline constexpr double maxTemplateLength = 10000 / 25.4 * 72;

// One grid of labels on a sheet: nx across, ny down, the first label's top-left
// corner at (x0, y0) and the next ones every dx, dy; in points.
struct SheetLayout
{
    int nx = 1;
    int ny = 1;
    double x0 = 0;
    double y0 = 0;
    double dx = 0;
    double dy = 0;
};

// A label sheet product of the label template catalogue (rectangular labels only,
// with or without round corners). Lengths are in points.
struct SheetTemplate
{
    QString brand;
    QString part;
    QString description;
    QString equiv; // the part this one is the same sheet as, resolved by the catalogue
    Paper paper;
    double labelWidth = 0;
    double labelHeight = 0;
    double radius = 0;
    double markupMargin = 4.5; // 1/16 inch where the template gives none
    std::vector<SheetLayout> layouts;
    bool builtIn = false; // the 30-label sheet, which list labels print on through the text grid

    QString name() const; // "Avery L7160"
    // At most maxLabelsPerSheet for a template read from a file.
    int labelCount() const;
    // Label `index` (from 0), numbered layout by layout, each row by row.
    QRectF labelRect(int index) const;
    // "2.625 x 1 in" or "63.5 x 38.1 mm", after the paper's own units.
    QString labelSizeText() const;
    // "3 x 10", layouts joined with " + ".
    QString arrangementText() const;
};

// The built-in "Quillet 30 labels (Avery 5160/8160 compatible)" sheet.
SheetTemplate builtInSheet();
// The sheet of 80 return-address labels (Avery 5167/18167), 4 across and 20 down,
// which the return-address layout prints on; not offered for list labels.
SheetTemplate returnAddressSheet();

// A length of the catalogue: a number with "pt", "in", "mm", "cm" or "pc", or a
// bare number of points; in points. Nothing when it is not a length, or not one
// between -maxTemplateLength and maxTemplateLength (NaN and infinity among them).
std::optional<double> parseLength(QStringView text);

using PaperSizes = QHash<QString, Paper>; // by id ("A4", "US-Letter")

// The paper sizes of a paper-sizes file; the catalogue's two usual ones when none.
PaperSizes readPaperSizes(QIODevice& device);
PaperSizes standardPaperSizes();

// The templates of one catalogue file: rectangular labels only (circles, ellipses
// and CDs are left out), an equiv entry as given (the catalogue resolves it).
// A malformed template is skipped, and so is one with more than
// maxLayoutsPerTemplate layouts or maxLabelsPerSheet labels; a malformed file
// yields what was read before.
std::vector<SheetTemplate> readTemplates(QIODevice& device, const PaperSizes& papers);

} // namespace quillet
