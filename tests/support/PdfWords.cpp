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

int pdfColumn(const PdfWord& word, double size)
{
    return int(std::lround((word.xMin - 18) / (0.6 * size))) + 1;
}

int pdfLine(const PdfWord& word, double size)
{
    const double middle = (word.yMin + word.yMax) / 2;
    return int(std::floor((middle - 18) / (size * 72 / 68))) + 1;
}

} // namespace quillet::test
