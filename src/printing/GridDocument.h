#pragma once

#include <QList>
#include <QString>

#include <vector>

namespace quillet {

enum class PageOrientation { Portrait, Landscape };

// One piece of a printed line: optionally tab to a 1-based character column, then
// print some spaces, then the text. A tab to a column left of the print position
// moves to that column of the next text line.
struct GridItem
{
    int tabColumn = 0; // 0: no tab, continue at the print position
    int spaces = 0;
    QString text;
};

struct GridFont
{
    QString family = QStringLiteral("Courier New");
    double pointSize = 10;
    bool bold = false;
};

// All printed text sits on a grid of character columns and text lines. A document
// is the list of operations a composer asked for; the layout plays them against
// real font metrics and a page size. Composers know nothing of painting.
class GridDocument
{
public:
    struct Op
    {
        enum class Kind { Font, Orientation, Line, NewPage };
        Kind kind = Kind::Line;
        GridFont font;                                           // Kind::Font
        PageOrientation orientation = PageOrientation::Portrait; // Kind::Orientation
        QList<GridItem> items;                                   // Kind::Line; empty: an empty line
    };

    void setFont(const GridFont& font);
    void setFont(const QString& family, double pointSize, bool bold = false);
    void setFontSize(double pointSize); // keeps family and bold
    void setBold(bool bold);
    void setOrientation(PageOrientation orientation);
    void printLine(QList<GridItem> items);
    void printLine(int tabColumn, const QString& text); // convenience: one item
    void printEmptyLine();
    void newPage();

    const std::vector<Op>& ops() const { return m_ops; }
    bool isEmpty() const { return m_ops.empty(); }
    GridFont currentFont() const { return m_font; }

private:
    std::vector<Op> m_ops;
    GridFont m_font;
};

} // namespace quillet
