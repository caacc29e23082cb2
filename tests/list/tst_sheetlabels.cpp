#include "core/list/SheetLabels.h"
#include "core/printing/GridTranscript.h"
#include "core/printing/SheetCatalogue.h"
#include "core/printing/TypedLines.h"
#include "output/PdfPrintTarget.h"
#include "support/PdfWords.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using test::PdfWord;

namespace {

// Labels whose every word names the label: "N7 Name", "S7 Road", "C7, ST  12345".
std::vector<LabelTexts> taggedLabels(int count)
{
    std::vector<LabelTexts> labels;
    for (int i = 1; i <= count; ++i)
        labels.push_back(LabelTexts{QStringLiteral("N%1 Name").arg(i), QStringLiteral("S%1 Road").arg(i),
                                    QStringLiteral("C%1, ST  12345").arg(i)});
    return labels;
}

// The label a word names ("N7", "S7", "C7,"), from 1; 0 for the other words.
int taggedLabel(const PdfWord& word)
{
    static const QRegularExpression tag(QStringLiteral("^[NSC](\\d+),?$"));
    const QRegularExpressionMatch match = tag.match(word.text);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

bool inside(const PdfWord& word, const QRectF& label)
{
    return word.xMin >= label.left() && word.xMax <= label.right() && word.yMin >= label.top() &&
           word.yMax <= label.bottom();
}

} // namespace

class TestSheetLabels : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        if (!test::pdftotextAvailable())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    // Every position of a sheet: each tagged word lies inside its own label.
    void everyPositionInsideItsLabel_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QSizeF>("paper");
        QTest::addColumn<int>("across");
        QTest::addColumn<int>("down");
        QTest::addColumn<QRectF>("first"); // the first label
        QTest::addColumn<QPointF>("step");
        QTest::newRow("A4") << "Avery L7160" << QSizeF(595, 842) << 3 << 7 << QRectF(21.2, 43.9, 181.4, 108)
                            << QPointF(187.2, 108);
        QTest::newRow("Letter") << "Avery 5160" << QSizeF(612, 792) << 3 << 10 << QRectF(11.25, 36, 189, 72)
                                << QPointF(200.25, 72);
    }
    void everyPositionInsideItsLabel()
    {
        QFETCH(QString, sheet);
        QFETCH(QSizeF, paper);
        QFETCH(int, across);
        QFETCH(int, down);
        QFETCH(QRectF, first);
        QFETCH(QPointF, step);
        const SheetTemplate* product = SheetCatalogue::system().find(sheet);
        if (!product)
            QSKIP("the label template catalogue (glabels-data) is not installed");
        const std::vector<LabelTexts> labels = taggedLabels(across * down);
        const QString path = m_dir.filePath(sheet + QStringLiteral(".pdf"));
        PdfPrintTarget target(path);
        QVERIFY(target.print(composeSheetLabels(*product, labels, 1, fitSheetLabels(*product, labels)), {}).ok());

        const QList<QSizeF> pages = test::pdfPageSizes(path);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages[0].toSize(), paper.toSize());
        int tagged = 0;
        for (const PdfWord& word : test::pdfWords(path)) {
            const int label = taggedLabel(word);
            if (label == 0)
                continue;
            ++tagged;
            const int column = (label - 1) % across;
            const int row = (label - 1) / across;
            const QRectF rect = first.translated(column * step.x(), row * step.y());
            QVERIFY2(inside(word, rect),
                     qPrintable(QStringLiteral("%1 at %2,%3").arg(word.text).arg(word.xMin).arg(word.yMin)));
        }
        QCOMPARE(tagged, 3 * across * down);
    }

    // With the built-in sheet chosen, a second page outlines every return-address label.
    void calibrationCoversBothBuiltInSheets()
    {
        const QStringList pages =
            gridTranscript(composeCalibrationJob(builtInSheet()))
                .split(QRegularExpression(QStringLiteral("page \\d portrait\n")), Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[0].count(QStringLiteral("outline ")), 30);
        static const QRegularExpression outline(QStringLiteral("outline ([\\d.]+),([\\d.]+) ([\\d.]+)x([\\d.]+)"));
        int label = 0;
        for (auto it = outline.globalMatch(pages[1]); it.hasNext(); ++label) {
            const QRegularExpressionMatch m = it.next();
            const QRectF drawn(m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                               m.captured(4).toDouble());
            const QRectF physical = test::avery5167Label(label);
            QVERIFY2(qAbs(drawn.left() - physical.left()) <= 0.06 && qAbs(drawn.top() - physical.top()) <= 0.06 &&
                         qAbs(drawn.width() - physical.width()) <= 0.06, // a tenth, rounded
                     qPrintable(m.captured()));
        }
        QCOMPARE(label, 80);
    }

    // Following sheets start at label 1; the offset moves every word by as much.
    void startAndOffset()
    {
        const SheetTemplate* product = SheetCatalogue::system().find(QStringLiteral("Avery L7160"));
        if (!product)
            QSKIP("the label template catalogue (glabels-data) is not installed");
        const std::vector<LabelTexts> labels = taggedLabels(3);
        const GridDocument document = composeSheetLabels(*product, labels, 20, fitSheetLabels(*product, labels));
        const QString plain = m_dir.filePath(QStringLiteral("plain.pdf"));
        const QString shifted = m_dir.filePath(QStringLiteral("shifted.pdf"));
        QVERIFY(PdfPrintTarget(plain).print(document, {}).ok());
        PrintJob job;
        job.offsetMm = QPointF(5, -3);
        QVERIFY(PdfPrintTarget(shifted).print(document, job).ok());
        const QList<PdfWord> before = test::pdfWords(plain);
        const QList<PdfWord> after = test::pdfWords(shifted);
        QCOMPARE(after.size(), before.size());
        const PdfWord third = *std::find_if(before.begin(), before.end(), [](auto& w) { return w.text == "N3"; });
        QCOMPARE(third.page, 2);
        QVERIFY(inside(third, QRectF(21.2, 43.9, 181.4, 108)));
        for (qsizetype i = 0; i < before.size(); ++i) {
            QVERIFY(std::abs(after[i].xMin - before[i].xMin - 5 * 72 / 25.4) < 0.05);
            QVERIFY(std::abs(after[i].yMin - before[i].yMin + 3 * 72 / 25.4) < 0.05);
        }
    }

    // The calibration page says what it is for and how to use it, above the first
    // row of labels of a Letter sheet (which starts half an inch down).
    void calibrationPageTitle()
    {
        const SheetTemplate* product = SheetCatalogue::system().find(QStringLiteral("Avery 5160"));
        if (!product)
            QSKIP("the label template catalogue (glabels-data) is not installed");
        const QString path = m_dir.filePath(QStringLiteral("calibration.pdf"));
        QVERIFY(PdfPrintTarget(path).print(composeCalibrationPage(*product), {}).ok());
        QStringList lines;
        double lowest = 0;
        for (const PdfWord& word : test::pdfWords(path)) {
            lines << word.text;
            lowest = std::max(lowest, word.yMax);
            // Inside the printable area, a quarter inch in from the edges.
            QVERIFY2(word.xMin >= 17.5 && word.yMin >= 17.5, qPrintable(word.text));
        }
        const QString text = lines.join(u' ');
        QVERIFY2(text.startsWith(QStringLiteral("Calibration page for Avery 5160 Measure how far each cross")),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("File > Printer Offset")), qPrintable(text));
        QVERIFY2(lowest <= 36, qPrintable(QString::number(lowest)));
    }

    void paperOfEachJob_data()
    {
        QTest::addColumn<int>("job");
        QTest::addColumn<QSizeF>("paper");
        QTest::newRow("built-in list labels") << 0 << QSizeF(612, 792);
        QTest::newRow("envelope") << 1 << QSizeF(792, 612);
    }
    void paperOfEachJob()
    {
        QFETCH(int, job);
        QFETCH(QSizeF, paper);
        TypedLinesRequest envelope;
        envelope.lines = {QStringLiteral("Ann Zed"), {}, {}, {}, {}};
        envelope.media = PrintMedia::Envelope;
        envelope.envelopeSizeNo = QStringLiteral("1");
        envelope.orientation = PageOrientation::Landscape;
        const GridDocument document = job == 0 ? composeListLabels(taggedLabels(2)) : *composeTypedLines(envelope);
        const QString path = m_dir.filePath(QStringLiteral("paper.pdf"));
        QVERIFY(PdfPrintTarget(path).print(document, {}).ok());
        QCOMPARE(test::pdfPageSizes(path).value(0).toSize(), paper.toSize());
    }

    // One size for the job, from 11 points down to 6; below that lines are cut or left out.
    void fontSizeFits_data()
    {
        QTest::addColumn<int>("longest");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("size");
        QTest::addColumn<int>("characters"); // per line when cut, else 0
        QTest::addColumn<int>("lines");
        // A label 181.4 points wide with 5 points of margin: 171.4 points for the text.
        QTest::newRow("fits at 11") << 25 << 108.0 << 11.0 << 0 << 3;
        QTest::newRow("one more character") << 26 << 108.0 << 10.5 << 0 << 3;
        QTest::newRow("fits at 6") << 47 << 108.0 << 6.0 << 0 << 3;
        QTest::newRow("cut at 6") << 60 << 108.0 << 6.0 << 47 << 3;
        QTest::newRow("two lines high") << 10 << 26.0 << 6.0 << 47 << 2;
    }
    void fontSizeFits()
    {
        QFETCH(int, longest);
        QFETCH(double, height);
        QFETCH(double, size);
        QFETCH(int, characters);
        QFETCH(int, lines);
        SheetTemplate sheet;
        sheet.labelWidth = 181.4;
        sheet.labelHeight = height;
        sheet.markupMargin = 5;
        sheet.layouts = {SheetLayout{}};
        std::vector<LabelTexts> labels = taggedLabels(2);
        labels[1].street = QString(longest, QLatin1Char('x')) + QStringLiteral("   "); // trailing spaces take no room
        const SheetLabelFit fit = fitSheetLabels(sheet, labels);
        QCOMPARE(fit.pointSize, size);
        QCOMPARE(fit.cut, characters > 0);
        QCOMPARE(fit.maxCharacters, characters);
        QCOMPARE(std::min(fit.maxLines, 3), lines);
    }

    // A sheet on which not one character fits would print nothing: the job is refused.
    void labelsHoldText_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("margin");
        QTest::addColumn<bool>("holds");
        QTest::newRow("one line at 6 points") << 181.4 << 16.0 << 4.0 << true;
        QTest::newRow("too low for a line") << 181.4 << 10.0 << 2.0 << false;
        QTest::newRow("too narrow for a character") << 3.0 << 108.0 << 0.0 << false;
        QTest::newRow("margins wider than the label") << 181.4 << 108.0 << 100.0 << false;
        QTest::newRow("not a number") << qQNaN() << 108.0 << 5.0 << false;
    }
    void labelsHoldText()
    {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(double, margin);
        QFETCH(bool, holds);
        SheetTemplate sheet;
        sheet.labelWidth = width;
        sheet.labelHeight = height;
        sheet.markupMargin = margin;
        sheet.layouts = {SheetLayout{}};
        QCOMPARE(quillet::labelsHoldText(sheet), holds);
    }

    // The labels before the start stay blank on the built-in sheet.
    void startOnTheBuiltInSheet()
    {
        const QStringList lines = gridTranscript(composeListLabels(taggedLabels(4), 5)).split(QLatin1Char('\n'));
        const QString gap = QStringLiteral(" ");
        // Columns 35 and 67 on row 2, columns 2 and 35 on row 3.
        QCOMPARE(lines.value(12), QStringLiteral("12 10 |") + gap.repeated(34) + QStringLiteral("N1 Name") +
                                      gap.repeated(25) + QStringLiteral("N2 Name"));
        QCOMPARE(lines.value(19), QStringLiteral("19 10 | N3 Name") + gap.repeated(26) + QStringLiteral("N4 Name"));
        QVERIFY(lines.mid(1, 11).join(QString()).count(QLatin1Char('N')) == 0);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestSheetLabels)
#include "tst_sheetlabels.moc"
