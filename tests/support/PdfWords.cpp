#include "support/PdfWords.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <cmath>

namespace quillet::test {

bool pdftotextAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

QList<PdfWord> pdfWords(const QString& path, int* pages)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    QList<PdfWord> words;
    int page = 0;
    QXmlStreamReader xml(process.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            ++page;
        } else if (xml.name() == QLatin1String("word")) {
            const QXmlStreamAttributes a = xml.attributes();
            PdfWord word{page,
                         a.value(QLatin1String("xMin")).toDouble(),
                         a.value(QLatin1String("yMin")).toDouble(),
                         a.value(QLatin1String("xMax")).toDouble(),
                         a.value(QLatin1String("yMax")).toDouble(),
                         {}};
            word.text = xml.readElementText();
            words << word;
        }
    }
    if (pages)
        *pages = page;
    return words;
}

QList<QSizeF> pdfPageSizes(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    QList<QSizeF> sizes;
    QXmlStreamReader xml(process.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("page"))
            sizes << QSizeF(xml.attributes().value(QLatin1String("width")).toDouble(),
                            xml.attributes().value(QLatin1String("height")).toDouble());
    }
    return sizes;
}

QList<GridWord> transcriptWords(const QString& transcript)
{
    static const QRegularExpression lineForm(QStringLiteral("^(\\d+) ([0-9.]+)b? \\|(.*)$"));
    static const QRegularExpression word(QStringLiteral("\\S+"));
    QList<GridWord> words;
    int page = 0;
    for (const QString& line : transcript.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("page "))) {
            ++page;
            continue;
        }
        const QRegularExpressionMatch match = lineForm.match(line);
        if (!match.hasMatch())
            continue;
        const QString text = match.captured(3);
        for (auto it = word.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch found = it.next();
            words << GridWord{page, match.captured(1).toInt(), int(found.capturedStart()) + 1,
                              match.captured(2).toDouble(), found.captured()};
        }
    }
    return words;
}

QRectF avery5160Label(int index)
{
    // 2.625 x 1 in, 3 across and 10 down, the first at 0.15625 in from the left
    // and 0.5 in from the top, 2.78125 in and 1 in apart.
    return QRectF((0.15625 + index % 3 * 2.78125) * 72, (0.5 + index / 3) * 72, 2.625 * 72, 72);
}

QRectF avery5167Label(int index)
{
    // 1.75 x 0.5 in, 4 across and 20 down, the first at 0.28125 in and 0.5 in,
    // 2.0625 in and 0.5 in apart.
    return QRectF((0.28125 + index % 4 * 2.0625) * 72, (0.5 + index / 4 * 0.5) * 72, 1.75 * 72, 36);
}

bool wordInside(const PdfWord& word, const QRectF& label)
{
    return label.contains(QRectF(QPointF(word.xMin, word.yMin), QPointF(word.xMax, word.yMax)));
}

QString describeWord(const PdfWord& word)
{
    return QString::asprintf("%s at %.2f-%.2f x %.2f-%.2f", qPrintable(word.text), word.xMin, word.xMax, word.yMin,
                             word.yMax);
}

int pdfColumn(const PdfWord& word, double size, const PdfGrid& grid)
{
    return int(std::lround((word.xMin - grid.left) / (0.6 * size))) + 1;
}

int pdfLine(const PdfWord& word, double size, const PdfGrid& grid)
{
    const double middle = (word.yMin + word.yMax) / 2;
    const double height = grid.lineHeight > 0 ? grid.lineHeight : size * 72 / 68;
    // Counted on from the last line above the word that starts at a place of its own.
    int line = 1;
    double top = grid.top;
    for (const auto& [start, at] : grid.rowStarts) {
        if (at <= middle) {
            line = start;
            top = at;
        }
    }
    return line + int(std::floor((middle - top) / height));
}

} // namespace quillet::test
