#include "core/printing/GridTranscript.h"

#include <algorithm>
#include <string>

namespace quillet {

namespace {

// The text of a line with each run placed at its column (one character per
// column); a later run overwrites an earlier one where they meet.
QString lineText(const PlacedLine& line)
{
    std::u32string text;
    for (const PlacedText& placed : line.texts) {
        const std::size_t start = std::size_t(std::max(0, placed.column - 1));
        const std::u32string run = placed.text.toStdU32String();
        if (text.size() < start + run.size())
            text.resize(start + run.size(), U' ');
        text.replace(start, run.size(), run);
    }
    const std::size_t end = text.find_last_not_of(U' ');
    text.resize(end == std::u32string::npos ? 0 : end + 1);
    return QString::fromStdU32String(text);
}

QString points(double value)
{
    return QString::number(value + layoutMargin, 'f', 1);
}

// Text and shapes off the grid, at their place on the paper in points.
QString placedText(const GridLayout& layout, const PlacedFree& placed)
{
    const QString at = points(placed.area.x()) + QLatin1Char(',') + points(placed.area.y());
    switch (placed.kind) {
    case GridDocument::Op::Kind::Text:
        return QStringLiteral("at ") + at + QLatin1Char(' ') +
               QString::number(layout.fonts[std::size_t(placed.font)].pointSize) + QStringLiteral(" |") + placed.text +
               QLatin1Char('\n');
    case GridDocument::Op::Kind::Outline:
        return QStringLiteral("outline ") + at + QLatin1Char(' ') + QString::number(placed.area.width(), 'f', 1) +
               QLatin1Char('x') + QString::number(placed.area.height(), 'f', 1) + QLatin1Char('\n');
    default:
        return QStringLiteral("cross ") + points(placed.area.center().x()) + QLatin1Char(',') +
               points(placed.area.center().y()) + QLatin1Char('\n');
    }
}

} // namespace

QString gridTranscript(const GridLayout& layout)
{
    QString out;
    int pageNumber = 0;
    for (const LaidOutPage& page : layout.pages) {
        out += QStringLiteral("page %1 %2\n")
                   .arg(++pageNumber)
                   .arg(page.orientation == PageOrientation::Portrait ? QStringLiteral("portrait")
                                                                      : QStringLiteral("landscape"));
        for (const PlacedLine& line : page.lines) {
            const GridFont& font = layout.fonts[std::size_t(line.font)];
            out += QString::number(line.number) + QLatin1Char(' ') + QString::number(font.pointSize) +
                   (font.bold ? QStringLiteral("b") : QString()) + QStringLiteral(" |") + lineText(line) +
                   QLatin1Char('\n');
        }
        for (const PlacedFree& placed : page.placed)
            out += placedText(layout, placed);
    }
    return out;
}

QString gridTranscript(const GridDocument& document)
{
    return gridTranscript(layoutGrid(document, PageGeometry::forPaper(document.paper())));
}

} // namespace quillet
