#include "core/list/SheetLabels.h"

#include "core/contacts/ContactsFile.h"
#include "core/list/FileLabelReader.h"
#include "core/list/LabelReader.h"
#include "core/printing/GridDocument.h"
#include "core/printing/GridLayout.h"
#include "core/printing/LabelSheet.h"
#include "core/printing/SheetTemplate.h"

#include <algorithm>
#include <cmath>

namespace quillet {

namespace {

const QString labelFont = QStringLiteral("Courier New");
constexpr double largestSize = 11;
constexpr double smallestSize = 6;
constexpr double sizeStep = 0.5;
constexpr int linesPerLabel = 3;

int longestLine(const std::vector<LabelTexts>& labels)
{
    int longest = 0;
    for (const LabelTexts& label : labels)
        longest = std::max({longest, labelsheet::visibleCount(label.name), labelsheet::visibleCount(label.street),
                            labelsheet::visibleCount(label.city)});
    return longest;
}

double blockHeight(int lines, double size, const GridFontMetrics& metrics)
{
    return size * (metrics.ascent + metrics.descent + (lines - 1) * metrics.lineSpacing);
}

QString cutTo(const QString& line, int characters)
{
    const std::u32string text = line.toStdU32String();
    return text.size() <= std::size_t(characters) ? line
                                                  : QString::fromStdU32String(text.substr(0, std::size_t(characters)));
}

// One label's lines from its top-left corner plus the markup margin.
void placeLabel(GridDocument& document, const SheetTemplate& sheet, const QRectF& rect, const LabelTexts& label,
                const SheetLabelFit& fit)
{
    const GridFontMetrics metrics = gridFontMetrics(labelFont, false);
    const double spacing = metrics.lineSpacing * fit.pointSize;
    const QPointF first(rect.left() + sheet.markupMargin,
                        rect.top() + sheet.markupMargin + metrics.ascent * fit.pointSize);
    const QString lines[linesPerLabel] = {label.name, label.street, label.city};
    for (int line = 0; line < std::min(linesPerLabel, fit.maxLines); ++line) {
        const QString text = fit.cut ? cutTo(lines[line], fit.maxCharacters) : lines[line];
        if (!text.trimmed().isEmpty())
            document.placeText(first + QPointF(0, line * spacing), text);
    }
}

} // namespace

SheetLabelFit fitSheetLabels(const SheetTemplate& sheet, const std::vector<LabelTexts>& labels)
{
    return fitSheetLabels(sheet, longestLine(labels));
}

SheetLabelFit fitSheetLabels(const SheetTemplate& sheet, int longest)
{
    const GridFontMetrics metrics = gridFontMetrics(labelFont, false);
    const double width = sheet.labelWidth - 2 * sheet.markupMargin;
    const double height = sheet.labelHeight - 2 * sheet.markupMargin;
    const double slack = 1e-6;
    SheetLabelFit fit;
    for (fit.pointSize = largestSize; fit.pointSize > smallestSize; fit.pointSize -= sizeStep) {
        if (longest * metrics.advance * fit.pointSize <= width + slack &&
            blockHeight(linesPerLabel, fit.pointSize, metrics) <= height + slack)
            return fit;
    }
    fit.pointSize = smallestSize;
    fit.maxCharacters = std::max(0, int(std::floor((width + slack) / (metrics.advance * smallestSize))));
    fit.maxLines = 0;
    while (fit.maxLines < linesPerLabel && blockHeight(fit.maxLines + 1, smallestSize, metrics) <= height + slack)
        ++fit.maxLines;
    fit.cut = longest > fit.maxCharacters || fit.maxLines < linesPerLabel;
    if (!fit.cut)
        fit.maxCharacters = 0;
    return fit;
}

bool labelsHoldText(const SheetTemplate& sheet)
{
    const SheetLabelFit fit = fitSheetLabels(sheet, {LabelTexts{QStringLiteral("X"), {}, {}}});
    return fit.maxLines > 0 && (!fit.cut || fit.maxCharacters > 0);
}

QString sheetLabelsCutWarning()
{
    return QStringLiteral("Some addresses do not fit their labels even at 6 points: "
                          "lines that are too long are cut, and lines below the label are left out.");
}

Result<ListLabelsJob> prepareListLabels(const ContactsFile& file, const QList<int>& recordNumbers,
                                        const SheetTemplate& sheet, int start, WorkControl* control)
{
    if (!sheet.builtIn && !labelsHoldText(sheet))
        return AppError{errors::invalidProcedureCall().number, labelsHoldNoTextText};
    Result<ListedLabels> listed = listLabels(file, recordNumbers, control);
    if (!listed)
        return listed.status();
    return prepareListLabels(file, std::move(*listed), sheet, start);
}

ListLabelsJob prepareListLabels(const ContactsFile& file, ListedLabels listed, const SheetTemplate& sheet, int start)
{
    ListLabelsJob job{sheet, start, {}, {}, false, {}};
    job.onFile = std::make_shared<const ListLabelsJob::OnFile>(ListLabelsJob::OnFile{file, std::move(listed)});
    job.fit = sheet.builtIn ? SheetLabelFit{} : fitSheetLabels(sheet, job.longest());
    return job;
}

int ListLabelsJob::longest() const
{
    return onFile ? onFile->listed.survey.longest : longestLine(labels);
}

std::optional<LongLines> ListLabelsJob::longLines() const
{
    if (!sheet.builtIn || fitted)
        return std::nullopt;
    return onFile ? onFile->listed.survey.longLines : findLongLabelLines(labels);
}

qsizetype ListLabelsJob::count() const
{
    return onFile ? onFile->listed.contacts.size() : qsizetype(labels.size());
}

qsizetype ListLabelsJob::pageCount() const
{
    // The labels before the start are left blank on the first page.
    const bool grid = sheet.builtIn && !fitted;
    const int perPage = grid ? labelsPerPage : std::max(1, sheet.labelCount());
    const qsizetype places = std::clamp(start, 1, perPage) - 1 + count();
    return std::max<qsizetype>(1, (places + perPage - 1) / perPage);
}

void ListLabelsJob::fitToLabels()
{
    fitted = true;
    fit = fitSheetLabels(sheet, longest());
}

GridStream ListLabelsJob::stream() const
{
    std::shared_ptr<LabelReader> reader =
        onFile ? std::make_shared<FileLabelReader>(onFile->file, onFile->listed.contacts) : readerOf(labels);
    return sheet.builtIn && !fitted ? listLabelsStream(reader, start) : sheetLabelsStream(sheet, reader, start, fit);
}

GridStream sheetLabelsStream(const SheetTemplate& sheet, std::shared_ptr<LabelReader> labels, int start,
                             const SheetLabelFit& fit)
{
    const int perSheet = std::max(1, sheet.labelCount());
    GridStream stream;
    stream.paper = sheet.paper;
    stream.takesPrinterOffset = true;
    stream.stoppedBy = [labels] { return labels->status(); };
    stream.next = [&sheet, labels, fit, perSheet, position = std::clamp(start, 1, perSheet) - 1,
                   next = qsizetype(0)](GridDocument& chunk) mutable {
        if (next == 0) {
            chunk.setOrientation(PageOrientation::Portrait);
            chunk.setFont(labelFont, fit.pointSize);
        } else if (next >= labels->size()) {
            return false;
        } else {
            chunk.newPage();
        }
        for (; next < labels->size() && position < perSheet; ++next) {
            const LabelTexts* label = labels->next();
            if (!label)
                return false;
            placeLabel(chunk, sheet, sheet.labelRect(position++), *label, fit);
        }
        position = 0;
        return true;
    };
    return stream;
}

GridStream sheetLabelsStream(const SheetTemplate& sheet, const std::vector<LabelTexts>& labels, int start,
                             const SheetLabelFit& fit)
{
    return sheetLabelsStream(sheet, readerOf(labels), start, fit);
}

GridDocument composeSheetLabels(const SheetTemplate& sheet, const std::vector<LabelTexts>& labels, int start,
                                const SheetLabelFit& fit)
{
    GridStream stream = sheetLabelsStream(sheet, labels, start, fit);
    return wholeDocument(stream);
}

QString calibrationTitle(const SheetTemplate& sheet)
{
    return QStringLiteral("Calibration page for ") + sheet.name();
}

GridDocument composeCalibrationPage(const SheetTemplate& sheet)
{
    GridDocument document;
    document.setPaper(sheet.paper);
    document.setTakesPrinterOffset(true);
    document.setOrientation(PageOrientation::Portrait);
    // Two small lines in the sheet's top margin, inside the printable area: at 6 pt
    // the how-to fits the width of a Letter or A4 page.
    const double size = 6;
    const GridFontMetrics metrics = gridFontMetrics(labelFont, false);
    const QPointF first(layoutMargin, layoutMargin + metrics.ascent * size);
    document.setFont(labelFont, size);
    document.placeText(first, calibrationTitle(sheet));
    document.placeText(first + QPointF(0, metrics.lineSpacing * size), calibrationHowTo);
    for (int index = 0; index < sheet.labelCount(); ++index) {
        const QRectF rect = sheet.labelRect(index);
        document.drawOutline(rect, sheet.radius);
        const double arm = std::min({rect.width(), rect.height(), 36.0}) / 4;
        document.drawCross(QRectF(rect.center() - QPointF(arm, arm), QSizeF(2 * arm, 2 * arm)));
    }
    return document;
}

GridDocument composeCalibrationJob(const SheetTemplate& chosen)
{
    GridDocument document = composeCalibrationPage(chosen);
    if (chosen.builtIn) {
        document.newPage();
        document.append(composeCalibrationPage(returnAddressSheet()));
    }
    return document;
}

} // namespace quillet
