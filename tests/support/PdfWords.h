#pragma once

#include <QList>
#include <QPair>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace quillet::test {

// A word of a PDF as pdftotext -bbox sees it, in points from the page's top-left.
struct PdfWord
{
    int page = 0; // from 1
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
    QString text;
};

bool pdftotextAvailable();
// The words of a PDF file; `pages` receives the page count. Empty on failure.
QList<PdfWord> pdfWords(const QString& path, int* pages = nullptr);

// The size of every page of a PDF file, in points.
QList<QSizeF> pdfPageSizes(const QString& path);

// A word of a grid transcript: its page, text line and first column.
struct GridWord
{
    int page = 0;
    int line = 0;
    int column = 0;
    double size = 0;
    QString text;
};

QList<GridWord> transcriptWords(const QString& transcript);

// Label `index` (from 0, row by row) of the physical sheets, as the label
// catalogue describes them, in points from the paper's top-left.
QRectF avery5160Label(int index);
QRectF avery5167Label(int index);
// Whether a word's box lies inside `label`.
bool wordInside(const PdfWord& word, const QRectF& label);
// "TEXT at x0-x1 x y0-y1", for failure messages.
QString describeWord(const PdfWord& word);

// How a grid lies on a PDF page, in points from its top-left: column 1 and line 1
// (a quarter inch in unless a layout says otherwise), the line height (0: size x
// 72/68) and lines that start at a place of their own, the next ones following.
struct PdfGrid
{
    double left = 18;
    double top = 18;
    double lineHeight = 0;
    QList<QPair<int, double>> rowStarts; // line, its top
};

// Where a word printed on that grid (columns 0.6 of the size) sits: the column
// and line it starts in.
int pdfColumn(const PdfWord& word, double size, const PdfGrid& grid = {});
int pdfLine(const PdfWord& word, double size, const PdfGrid& grid = {});

} // namespace quillet::test
