#include "FuzzSupport.h"
#include "FuzzTargets.h"

#include "core/list/SheetLabels.h"
#include "core/printing/SheetCatalogue.h"

#include <QBuffer>
#include <QDir>

#include <cmath>

namespace quillet::fuzz {

namespace {

bool finite(const QRectF& rect)
{
    return std::isfinite(rect.x()) && std::isfinite(rect.y()) && std::isfinite(rect.width()) &&
           std::isfinite(rect.height());
}

QString checkPapers(const PaperSizes& papers)
{
    for (auto it = papers.cbegin(); it != papers.cend(); ++it) {
        const Paper& paper = it.value();
        if (!(paper.width > 0 && paper.width <= maxTemplateLength && paper.height > 0 &&
              paper.height <= maxTemplateLength))
            return QStringLiteral("paper %1 of %2 x %3").arg(it.key()).arg(paper.width).arg(paper.height);
    }
    return {};
}

// Sheets looked at label by label and printed: the first few of an input, so that
// an input of a thousand sheets of 10,000 labels each stays quick.
constexpr int deepChecks = 8;

// Within the limits; looked at deeply, every label a finite rectangle, and a job
// on a sheet that holds text puts text on it.
QString checkSheet(const SheetTemplate& sheet, bool deep)
{
    qint64 labels = 0;
    for (const SheetLayout& layout : sheet.layouts)
        labels += qint64(layout.nx) * layout.ny;
    if (sheet.layouts.empty() || sheet.layouts.size() > std::size_t(maxLayoutsPerTemplate))
        return QStringLiteral("%1: %2 layouts").arg(sheet.name()).arg(sheet.layouts.size());
    if (labels < 1 || labels > maxLabelsPerSheet || labels != sheet.labelCount())
        return QStringLiteral("%1: %2 labels, counted %3").arg(sheet.name()).arg(labels).arg(sheet.labelCount());
    if (!deep)
        return {};
    for (int index = 0; index < sheet.labelCount(); ++index) {
        if (!finite(sheet.labelRect(index)))
            return QStringLiteral("%1: label %2 is not a finite rectangle").arg(sheet.name()).arg(index + 1);
    }
    (void)sheet.labelSizeText();
    (void)composeCalibrationPage(sheet);
    if (!labelsHoldText(sheet))
        return {};
    const std::vector<LabelTexts> texts{
        {QStringLiteral("Ann Lee"), QStringLiteral("1 Oak St"), QStringLiteral("Reno")}};
    const GridDocument document = composeSheetLabels(sheet, texts, 1, fitSheetLabels(sheet, texts));
    for (const GridDocument::Op& op : document.ops()) {
        if (op.kind == GridDocument::Op::Kind::Text)
            return {};
    }
    return QStringLiteral("%1 holds text but the job printed none").arg(sheet.name());
}

} // namespace

QString sheetTemplates(const uint8_t* data, size_t size)
{
    QByteArray bytes = bytesOf(data, size);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const PaperSizes papers = readPaperSizes(buffer);
    if (QString broken = checkPapers(papers); !broken.isEmpty())
        return broken;
    buffer.seek(0);
    int checked = 0;
    for (const SheetTemplate& sheet : readTemplates(buffer, papers)) {
        if (!sheet.equiv.isEmpty())
            continue; // the catalogue gives it the geometry of the sheet it names
        if (QString broken = checkSheet(sheet, checked++ < deepChecks); !broken.isEmpty())
            return broken;
    }
    // The same file as a folder's catalogue, equiv entries resolved.
    const QString folder = scratchPath(QStringLiteral("templates"));
    if (!QDir().mkpath(folder) || !writeScratch(QDir(folder).filePath(QStringLiteral("fuzzed.xml")), bytes))
        return QStringLiteral("cannot write the scratch files");
    const SheetCatalogue catalogue = SheetCatalogue::load({folder});
    checked = 0;
    for (const SheetTemplate& sheet : catalogue.sheets()) {
        if (QString broken = checkSheet(sheet, checked++ < deepChecks); !broken.isEmpty())
            return broken;
        if (catalogue.find(sheet.name()) == nullptr)
            return QStringLiteral("%1 cannot be found by its name").arg(sheet.name());
    }
    return {};
}

} // namespace quillet::fuzz
