#pragma once

#include "core/common/AppError.h"
#include "core/list/ListLabels.h"
#include "core/printing/GridDocument.h"
#include "core/printing/SheetTemplate.h"

#include <QString>

#include <vector>

namespace quillet {

// The one font size list labels get on a catalogue sheet: the largest from 11
// points down to 6 at which every label's longest line fits the label's width and
// its lines its height, inside the markup margin. At 6 points a line that still
// does not fit is cut and lines beyond the height are left out.
struct SheetLabelFit
{
    double pointSize = 11;
    int maxCharacters = 0; // per line, when cut
    int maxLines = 3;
    bool cut = false; // some text was cut or left out
};
SheetLabelFit fitSheetLabels(const SheetTemplate& sheet, const std::vector<LabelTexts>& labels);

// What the job says once when text was cut.
QString sheetLabelsCutWarning();

// One copy of the labels on a catalogue sheet, on its own paper: the first contact
// on label `start` (from 1) of the first sheet, following sheets from label 1.
// Each label's text starts at the label's top-left corner plus its markup margin,
// lines at the font's line spacing.
// The stream makes a sheet at a time and reads `sheet` and `labels` while it runs.
GridDocument composeSheetLabels(const SheetTemplate& sheet, const std::vector<LabelTexts>& labels, int start,
                                const SheetLabelFit& fit);
GridStream sheetLabelsStream(const SheetTemplate& sheet, const std::vector<LabelTexts>& labels, int start,
                             const SheetLabelFit& fit);

// Labels for a list on a chosen sheet, every contact read and the size fitted
// before anything is printed: the built-in sheet's text grid, or a catalogue sheet.
struct ListLabelsJob
{
    SheetTemplate sheet;
    int start = 1;
    std::vector<LabelTexts> labels;
    SheetLabelFit fit;

    bool cut() const { return fit.cut; }
    // One copy, a sheet at a time; reads this job while it runs.
    GridStream stream() const;
};
Result<ListLabelsJob> prepareListLabels(const ContactsFile& file, const QList<int>& recordNumbers,
                                        const SheetTemplate& sheet, int start);

// The outline of every label of the sheet and a cross at its centre, so that the
// user can measure how far the printer lands off; at the top, the sheet's name and
// how to use the page.
GridDocument composeCalibrationPage(const SheetTemplate& sheet);
// "Calibration page for Avery 5160".
QString calibrationTitle(const SheetTemplate& sheet);
inline const QString calibrationHowTo =
    QStringLiteral("Measure how far each cross lands from the centre of its label, and enter that shift in "
                   "File > Printer Offset: right and down are positive.");

} // namespace quillet
