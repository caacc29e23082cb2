#pragma once

#include "core/common/AppError.h"
#include "core/list/ListLabels.h"
#include "core/list/ListedLabels.h"
#include "core/printing/GridDocument.h"
#include "core/printing/SheetTemplate.h"

#include <QString>

#include <memory>
#include <vector>

namespace quillet {

class WorkControl;

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
// The same for labels whose longest line has `longest` characters.
SheetLabelFit fitSheetLabels(const SheetTemplate& sheet, int longest);
// Whether one character fits on the sheet's labels at 6 points. On a sheet where
// none does, a job would print nothing: it is refused with this message.
bool labelsHoldText(const SheetTemplate& sheet);
inline const QString labelsHoldNoTextText =
    QStringLiteral("No line of text fits on the labels of this sheet, even at 6 points. Nothing was printed.");

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
// The same from a reader, which may stop early: see GridStream::status().
GridStream sheetLabelsStream(const SheetTemplate& sheet, std::shared_ptr<LabelReader> labels, int start,
                             const SheetLabelFit& fit);

// Labels for a list on a chosen sheet, every contact read and the size fitted
// before anything is printed: the built-in sheet's text grid, or a catalogue sheet.
// The labels are held in `labels`, or, for a list of contacts on file, read again
// a run of pages at a time as the pages are made (onFile).
struct ListLabelsJob
{
    SheetTemplate sheet;
    int start = 1;
    std::vector<LabelTexts> labels;
    SheetLabelFit fit;
    bool fitted = false; // the built-in sheet printed as a catalogue sheet is
    struct OnFile
    {
        const ContactsFile& file; // outlives the job
        ListedLabels listed;
    };
    std::shared_ptr<const OnFile> onFile;

    bool cut() const { return fit.cut; }
    qsizetype count() const;
    // The pages of one copy: the pieces its stream makes.
    qsizetype pageCount() const;
    // The longest line of any label, in characters.
    int longest() const;
    // On the built-in sheet's text grid, the labels whose lines run into the next.
    std::optional<LongLines> longLines() const;
    // Prints on the same labels as a catalogue sheet does: one size for the whole
    // job, fitted to the labels.
    void fitToLabels();
    // One copy, a sheet at a time; reads this job while it runs. A stream of labels
    // on file fails when another program changed a listed record since it was read.
    GridStream stream() const;
};
// Refused with labelsHoldNoTextText (error 5) on a sheet where no text fits. Every
// listed contact is read once here; a `control` may stop the reading.
Result<ListLabelsJob> prepareListLabels(const ContactsFile& file, const QList<int>& recordNumbers,
                                        const SheetTemplate& sheet, int start, WorkControl* control = nullptr);
// The same for contacts listed and surveyed already (listLabels).
ListLabelsJob prepareListLabels(const ContactsFile& file, ListedLabels listed, const SheetTemplate& sheet, int start);

// The outline of every label of the sheet and a cross at its centre, so that the
// user can measure how far the printer lands off; at the top, the sheet's name and
// how to use the page.
GridDocument composeCalibrationPage(const SheetTemplate& sheet);
// What "Print calibration page" prints for the chosen sheet: its page and, when it
// is the built-in sheet, a second page for the return-address sheet, the other
// sheet the built-in layouts print on.
GridDocument composeCalibrationJob(const SheetTemplate& chosen);
// "Calibration page for Avery 5160".
QString calibrationTitle(const SheetTemplate& sheet);
inline const QString calibrationHowTo =
    QStringLiteral("Measure how far each cross lands from the centre of its label, and enter that shift in "
                   "File > Printer Offset: right and down are positive.");

} // namespace quillet
