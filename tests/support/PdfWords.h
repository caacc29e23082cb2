#pragma once

#include <QList>
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

// Where a word printed on the grid of a PDF page (quarter-inch margins, columns
// 0.6 of the size, lines size x 72/68) sits: the column and line it starts in.
int pdfColumn(const PdfWord& word, double size);
int pdfLine(const PdfWord& word, double size);

} // namespace quillet::test
