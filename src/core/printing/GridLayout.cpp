#include "core/printing/GridLayout.h"

#include "core/printing/LabelSheet.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPageSize>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace quillet {

double gridLineHeight(double pointSize)
{
    return pointSize * 72.0 / 68.0;
}

QSizeF PageGeometry::size(PageOrientation orientation) const
{
    return orientation == PageOrientation::Portrait ? portrait : landscape;
}

PageGeometry PageGeometry::pdfLetter()
{
    return forPaper(Paper::letter());
}

PageGeometry PageGeometry::forPaper(const Paper& paper)
{
    const QSizeF portrait(paper.width - 2 * layoutMargin, paper.height - 2 * layoutMargin);
    return PageGeometry{portrait, portrait.transposed()};
}

GridFontMetrics gridFontMetrics(const QString& family, bool bold)
{
    static std::mutex mutex;
    static QHash<QString, GridFontMetrics> cache;
    const QString key = family + (bold ? QStringLiteral("/b") : QStringLiteral("/r"));
    std::lock_guard lock(mutex);
    const auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;

    // Measured large and unhinted, so that the ratios hold at any size and device.
    const double probe = 1000;
    QFont font(family);
    font.setStyleHint(QFont::TypeWriter);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setBold(bold);
    font.setPixelSize(int(probe));
    const QFontMetricsF metrics(font);
    GridFontMetrics result;
    result.advance = metrics.horizontalAdvance(QLatin1Char('M')) / probe;
    result.ascent = metrics.ascent() / probe;
    result.descent = metrics.descent() / probe;
    result.lineSpacing = metrics.lineSpacing() / probe;
    cache.insert(key, result);
    return result;
}

namespace {

const double slack = 1e-6; // points; absorbs rounding in column and line arithmetic

bool sameFont(const GridFont& a, const GridFont& b)
{
    return a.pointSize == b.pointSize && a.bold == b.bold && a.family == b.family;
}

} // namespace

// Plays the operations in order, keeping the print position, and hands each page
// on once it is complete. A page left blank is held back until a page with text
// follows it, so that a document never ends with one.
class Layouter
{
public:
    Layouter(const PageGeometry& geometry, GridLayoutStream::PageSink sink)
        : m_geometry(geometry), m_sink(std::move(sink))
    {
        setFont(GridFont{});
    }

    void feed(const GridDocument& document)
    {
        for (const GridDocument::Op& op : document.ops())
            play(op);
    }

    void finish() { emitPage(); }

private:
    void emitPage()
    {
        if (!m_page.hasText) {
            m_blankPages.push_back(std::move(m_page));
            return;
        }
        for (LaidOutPage& blank : m_blankPages)
            m_sink(std::move(blank), m_fonts);
        m_blankPages.clear();
        m_sink(std::move(m_page), m_fonts);
    }

    void play(const GridDocument::Op& op)
    {
        switch (op.kind) {
        case GridDocument::Op::Kind::Font:
            setFont(op.font);
            break;
        case GridDocument::Op::Kind::Orientation:
            m_orientation = op.orientation;
            if (!m_page.hasText)
                m_page.orientation = op.orientation;
            break;
        case GridDocument::Op::Kind::Line:
            for (const GridItem& item : op.items)
                place(item);
            endLine();
            break;
        case GridDocument::Op::Kind::NewPage:
            startPage();
            break;
        case GridDocument::Op::Kind::Placement:
            setPlacement(*op.placement);
            break;
        case GridDocument::Op::Kind::Text:
        case GridDocument::Op::Kind::Outline:
        case GridDocument::Op::Kind::Cross:
            m_page.placed.push_back(
                PlacedFree{op.kind, op.area.translated(-layoutMargin, -layoutMargin), op.radius, m_font, op.text});
            m_page.hasText = true;
            break;
        }
    }

    void setFont(const GridFont& font)
    {
        if (!m_fonts.empty() && sameFont(m_fonts[std::size_t(m_font)], font))
            return;
        // A font used before keeps its index, so the table stays as small as the
        // number of fonts however often a long job switches between them.
        const auto known = std::find_if(m_fonts.begin(), m_fonts.end(),
                                        [&font](const GridFont& other) { return sameFont(other, font); });
        m_font = int(known - m_fonts.begin());
        if (known == m_fonts.end()) {
            m_fonts.push_back(font);
            m_metrics.push_back(gridFontMetrics(font.family, font.bold));
        }
        updateLineMetrics();
    }

    void updateLineMetrics()
    {
        const GridFont& font = m_fonts[std::size_t(m_font)];
        const GridFontMetrics& metrics = m_metrics[std::size_t(m_font)];
        m_advance = metrics.advance * font.pointSize;
        m_flowHeight = gridLineHeight(font.pointSize);
        m_lineHeight = m_placement.lineHeight > 0 ? m_placement.lineHeight : m_flowHeight;
        // The line height is shared between ascent and descent in the font's own proportion.
        m_baseline = m_lineHeight * metrics.ascent / (metrics.ascent + metrics.descent);
    }

    // Positions are kept from the top-left of the printable area, the paper less
    // the layout margin, as the renderers expect; the grid may begin outside it.
    // Page breaks follow the default line heights whatever the placement, so that
    // a transcript never changes with it.
    void setPlacement(const GridPlacement& placement)
    {
        m_placement = placement;
        m_left = placement.left - layoutMargin;
        updateLineMetrics();
        if (m_lineNumber == 1)
            m_y = m_placement.top - layoutMargin;
        startRow();
    }

    // A line that starts a row of labels goes to that row's place.
    void startRow()
    {
        const auto& rows = m_placement.rowStarts;
        const auto row = std::find_if(rows.begin(), rows.end(), [this](const GridPlacement::RowStart& start) {
            return start.line == m_lineNumber;
        });
        if (row != rows.end())
            m_y = row->top - layoutMargin;
    }

    double gridTop() const { return m_placement.top - layoutMargin; }

    void place(const GridItem& item)
    {
        if (item.tabColumn > 0) {
            const double target = (item.tabColumn - 1) * m_advance;
            if (m_x > target + slack)
                endLine();
            m_x = target;
        }
        if (item.spaces > 0)
            m_x += item.spaces * m_advance;
        if (item.text.isEmpty())
            return;
        makeRoom();
        const int column = int(std::lround(m_x / m_advance)) + 1;
        m_line.texts.push_back(PlacedText{m_left + m_x, column, m_font, item.text});
        m_page.hasText = true;
        m_x += labelsheet::characterCount(item.text) * m_advance;
    }

    // A line with text that would run below the printable area goes to a new page.
    // A page on which nothing was printed yet is not sent out blank: the text
    // starts at its top instead.
    void makeRoom()
    {
        if (m_flowY + m_flowHeight <= pageHeight() + slack)
            return;
        if (m_page.hasText) {
            startPage();
        } else {
            m_page.lines.clear();
            toPageTop();
        }
    }

    void endLine()
    {
        if (!m_line.texts.empty() || m_flowY + m_flowHeight <= pageHeight() + slack) {
            m_line.number = m_lineNumber;
            m_line.top = m_y;
            m_line.baseline = m_y + m_baseline;
            m_line.font = m_font;
            m_page.lines.push_back(std::move(m_line));
        }
        m_line = PlacedLine{};
        m_y += m_lineHeight;
        m_flowY += m_flowHeight;
        m_x = 0;
        ++m_lineNumber;
        startRow();
    }

    void startPage()
    {
        emitPage();
        m_page = LaidOutPage{};
        m_page.orientation = m_orientation;
        toPageTop();
    }

    void toPageTop()
    {
        m_y = gridTop();
        m_flowY = 0;
        m_lineNumber = 1;
        startRow();
    }

    double pageHeight() const { return m_geometry.size(m_page.orientation).height(); }

    const PageGeometry m_geometry;
    GridLayoutStream::PageSink m_sink;
    std::vector<GridFont> m_fonts;
    std::vector<GridFontMetrics> m_metrics; // of each font, looked up once: a long job switches thousands of times
    std::vector<LaidOutPage> m_blankPages;
    LaidOutPage m_page;
    PlacedLine m_line;
    PageOrientation m_orientation = PageOrientation::Portrait;
    GridPlacement m_placement;
    double m_left = 0; // column 1, from the printable area's left
    int m_font = 0;
    double m_advance = 0;
    double m_lineHeight = 0; // as placed
    double m_flowHeight = 0; // the default, for page breaks
    double m_baseline = 0;
    double m_x = 0;
    double m_y = 0;     // the line's top as placed
    double m_flowY = 0; // and on the default grid
    int m_lineNumber = 1;
};

GridLayoutStream::GridLayoutStream(const PageGeometry& geometry, PageSink sink)
    : m_layouter(std::make_unique<Layouter>(geometry, std::move(sink)))
{}

GridLayoutStream::~GridLayoutStream() = default;

void GridLayoutStream::feed(const GridDocument& chunk)
{
    m_layouter->feed(chunk);
}

void GridLayoutStream::finish()
{
    m_layouter->finish();
}

GridLayout layoutGrid(const GridDocument& document, const PageGeometry& geometry)
{
    GridLayout layout;
    layout.paper = document.paper();
    GridLayoutStream stream(geometry, [&layout](LaidOutPage&& page, const std::vector<GridFont>& fonts) {
        layout.pages.push_back(std::move(page));
        layout.fonts = fonts;
    });
    stream.feed(document);
    stream.finish();
    return layout;
}

} // namespace quillet
