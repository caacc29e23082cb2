#include "core/printing/SheetTemplate.h"

#include <QIODevice>
#include <QLocale>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace quillet {

namespace {

QString number(double value)
{
    return QLocale::c().toString(value, 'g', 5);
}

// The catalogue names lengths of A-series sheets in mm and of US sheets in inches.
bool metricPaper(const Paper& paper)
{
    return !paper.name.startsWith(QLatin1String("US"));
}

double lengthOr(const QXmlStreamAttributes& attributes, QLatin1StringView name, double fallback, bool& ok)
{
    if (!attributes.hasAttribute(name))
        return fallback;
    const std::optional<double> length = parseLength(attributes.value(name));
    if (!length)
        ok = false;
    return length.value_or(fallback);
}

// A count of labels across or down: 1 to maxLabelsPerSheet; 0 for anything else.
int labelsAlong(QStringView text)
{
    const int count = text.toInt();
    return count >= 1 && count <= maxLabelsPerSheet ? count : 0;
}

std::optional<SheetLayout> readLayout(const QXmlStreamAttributes& a)
{
    bool ok = true;
    SheetLayout layout;
    layout.nx = labelsAlong(a.value(QLatin1String("nx")));
    layout.ny = labelsAlong(a.value(QLatin1String("ny")));
    layout.x0 = lengthOr(a, QLatin1String("x0"), 0, ok);
    layout.y0 = lengthOr(a, QLatin1String("y0"), 0, ok);
    layout.dx = lengthOr(a, QLatin1String("dx"), 0, ok);
    layout.dy = lengthOr(a, QLatin1String("dy"), 0, ok);
    if (!ok || layout.nx < 1 || layout.ny < 1 || qint64(layout.nx) * layout.ny > maxLabelsPerSheet)
        return std::nullopt;
    return layout;
}

// Within the limits of real products: a few layouts and labels on a sheet.
bool withinLimits(const SheetTemplate& sheet)
{
    qint64 labels = 0;
    for (const SheetLayout& layout : sheet.layouts)
        labels += qint64(layout.nx) * layout.ny;
    return sheet.layouts.size() <= std::size_t(maxLayoutsPerTemplate) && labels <= maxLabelsPerSheet;
}

// The children of a Label-rectangle: its markup margin and its layouts.
bool readRectangle(QXmlStreamReader& xml, SheetTemplate& sheet)
{
    bool ok = true;
    const QXmlStreamAttributes a = xml.attributes();
    sheet.labelWidth = lengthOr(a, QLatin1String("width"), 0, ok);
    sheet.labelHeight = lengthOr(a, QLatin1String("height"), 0, ok);
    sheet.radius = lengthOr(a, QLatin1String("round"), 0, ok);
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Markup-margin")) {
            sheet.markupMargin = lengthOr(xml.attributes(), QLatin1String("size"), sheet.markupMargin, ok);
        } else if (xml.name() == QLatin1String("Layout")) {
            const std::optional<SheetLayout> layout = readLayout(xml.attributes());
            ok = ok && layout && sheet.layouts.size() < std::size_t(maxLayoutsPerTemplate);
            if (layout && ok)
                sheet.layouts.push_back(*layout);
        }
        xml.skipCurrentElement();
    }
    return ok && sheet.labelWidth > 0 && sheet.labelHeight > 0 && sheet.markupMargin >= 0 && !sheet.layouts.empty() &&
           withinLimits(sheet);
}

bool readPaper(const QXmlStreamAttributes& a, const PaperSizes& papers, Paper& paper)
{
    const QString size = a.value(QLatin1String("size")).toString();
    if (size == QLatin1String("Other") || size.isEmpty()) {
        bool ok = true;
        paper = Paper{QStringLiteral("Other"), lengthOr(a, QLatin1String("width"), 0, ok),
                      lengthOr(a, QLatin1String("height"), 0, ok)};
        return ok && paper.width > 0 && paper.height > 0;
    }
    const auto found = papers.constFind(size);
    if (found == papers.constEnd())
        return false;
    paper = *found;
    return true;
}

// One Template element; nothing for a shape other than a rectangle or a fault.
std::optional<SheetTemplate> readTemplate(QXmlStreamReader& xml, const PaperSizes& papers)
{
    const QXmlStreamAttributes a = xml.attributes();
    SheetTemplate sheet;
    sheet.brand = a.value(QLatin1String("brand")).toString();
    sheet.part = a.value(QLatin1String("part")).toString();
    sheet.equiv = a.value(QLatin1String("equiv")).toString();
    sheet.description = a.value(a.hasAttribute(QLatin1String("_description")) ? QLatin1String("_description")
                                                                              : QLatin1String("description"))
                            .toString();
    bool ok = sheet.equiv.isEmpty() ? readPaper(a, papers, sheet.paper) : true;
    bool shaped = !sheet.equiv.isEmpty();
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Label-rectangle") && !shaped) {
            shaped = true;
            ok = readRectangle(xml, sheet) && ok;
        } else {
            shaped = shaped || xml.name().startsWith(QLatin1String("Label-"));
            xml.skipCurrentElement();
        }
    }
    const bool rectangle = !sheet.equiv.isEmpty() || !sheet.layouts.empty();
    if (!ok || !rectangle || sheet.brand.isEmpty() || sheet.part.isEmpty())
        return std::nullopt;
    return sheet;
}

} // namespace

QString SheetTemplate::name() const
{
    return brand + QLatin1Char(' ') + part;
}

int SheetTemplate::labelCount() const
{
    // Counted wide: a template made in code may go past the limits a file may not.
    qint64 count = 0;
    for (const SheetLayout& layout : layouts)
        count += qint64(std::max(0, layout.nx)) * std::max(0, layout.ny);
    return int(std::min<qint64>(count, maxLabelsPerSheet));
}

QRectF SheetTemplate::labelRect(int index) const
{
    for (const SheetLayout& layout : layouts) {
        const qint64 count = qint64(std::max(0, layout.nx)) * std::max(0, layout.ny);
        if (index < count) {
            const int row = index / layout.nx;
            const int column = index % layout.nx;
            return QRectF(layout.x0 + column * layout.dx, layout.y0 + row * layout.dy, labelWidth, labelHeight);
        }
        index -= int(count);
    }
    return {};
}

QString SheetTemplate::labelSizeText() const
{
    if (metricPaper(paper))
        return number(labelWidth / pointsPerMm) + QStringLiteral(" x ") + number(labelHeight / pointsPerMm) +
               QStringLiteral(" mm");
    return number(labelWidth / pointsPerInch) + QStringLiteral(" x ") + number(labelHeight / pointsPerInch) +
           QStringLiteral(" in");
}

QString SheetTemplate::arrangementText() const
{
    QStringList parts;
    for (const SheetLayout& layout : layouts)
        parts << QString::number(layout.nx) + QStringLiteral(" x ") + QString::number(layout.ny);
    return parts.join(QStringLiteral(" + "));
}

SheetTemplate builtInSheet()
{
    SheetTemplate sheet;
    sheet.brand = QStringLiteral("Quillet");
    sheet.part = QStringLiteral("30 labels (Avery 5160/8160 compatible)");
    sheet.description = QStringLiteral("Address labels");
    sheet.labelWidth = 2.625 * 72;
    sheet.labelHeight = 72;
    sheet.radius = 4.5;
    sheet.layouts = {SheetLayout{3, 10, 0.15625 * 72, 36, 2.78125 * 72, 72}};
    sheet.builtIn = true;
    return sheet;
}

SheetTemplate returnAddressSheet()
{
    SheetTemplate sheet;
    sheet.brand = QStringLiteral("Quillet");
    sheet.part = QStringLiteral("80 return-address labels (Avery 5167/18167 compatible)");
    sheet.description = QStringLiteral("Return address labels");
    sheet.labelWidth = 1.75 * 72;
    sheet.labelHeight = 36;
    sheet.radius = 4.5;
    sheet.layouts = {SheetLayout{4, 20, 0.28125 * 72, 36, 2.0625 * 72, 36}};
    return sheet;
}

std::optional<double> parseLength(QStringView text)
{
    static const std::pair<QLatin1StringView, double> units[] = {{QLatin1String("pt"), 1},
                                                                 {QLatin1String("in"), pointsPerInch},
                                                                 {QLatin1String("mm"), pointsPerMm},
                                                                 {QLatin1String("cm"), 10 * pointsPerMm},
                                                                 {QLatin1String("pc"), 12}};
    text = text.trimmed();
    double factor = 1;
    for (const auto& [unit, points] : units) {
        if (text.endsWith(unit)) {
            text = text.chopped(unit.size()).trimmed();
            factor = points;
            break;
        }
    }
    bool ok = false;
    const double points = text.toDouble(&ok) * factor;
    if (!ok || !(std::abs(points) <= maxTemplateLength))
        return std::nullopt;
    return points;
}

PaperSizes standardPaperSizes()
{
    return PaperSizes{{QStringLiteral("A4"), Paper::a4()}, {QStringLiteral("US-Letter"), Paper::letter()}};
}

PaperSizes readPaperSizes(QIODevice& device)
{
    PaperSizes papers = standardPaperSizes();
    QXmlStreamReader xml(&device);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("Paper-size"))
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        bool ok = true;
        const QString name =
            a.value(a.hasAttribute(QLatin1String("_name")) ? QLatin1String("_name") : QLatin1String("name")).toString();
        const Paper paper{name, lengthOr(a, QLatin1String("width"), 0, ok),
                          lengthOr(a, QLatin1String("height"), 0, ok)};
        if (ok && paper.width > 0 && paper.height > 0)
            papers.insert(a.value(QLatin1String("id")).toString(), paper);
    }
    return papers;
}

std::vector<SheetTemplate> readTemplates(QIODevice& device, const PaperSizes& papers)
{
    std::vector<SheetTemplate> sheets;
    QXmlStreamReader xml(&device);
    if (!xml.readNextStartElement())
        return sheets;
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("Template")) {
            xml.skipCurrentElement();
            continue;
        }
        if (std::optional<SheetTemplate> sheet = readTemplate(xml, papers))
            sheets.push_back(std::move(*sheet));
    }
    return sheets;
}

} // namespace quillet
