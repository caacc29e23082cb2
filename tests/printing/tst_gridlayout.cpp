#include "core/printing/GridLayout.h"
#include "core/printing/GridTranscript.h"

#include <QtTest>

using namespace quillet;

namespace {

QStringList transcriptLines(const GridDocument& document)
{
    return gridTranscript(document).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

GridDocument withText(const QString& text = QStringLiteral("x"))
{
    GridDocument document;
    document.printLine(1, text);
    return document;
}

} // namespace

class TestGridLayout : public QObject
{
    Q_OBJECT
private slots:
    void columnIsTheCharacterAdvance()
    {
        const GridFontMetrics metrics = gridFontMetrics(QStringLiteral("Courier New"), false);
        QVERIFY2(qAbs(metrics.advance - 0.6) < 0.001, qPrintable(QString::number(metrics.advance)));
        GridDocument document;
        document.printLine({GridItem{35, 0, QStringLiteral("a")}});
        const PlacedText placed = layoutGrid(document, PageGeometry::pdfLetter()).pages[0].lines[0].texts[0];
        QCOMPARE(placed.column, 35);
        QVERIFY(qAbs(placed.x - 34 * 6.0) < 0.05);
    }

    void lineHeightBySize_data()
    {
        QTest::addColumn<double>("size");
        QTest::addColumn<int>("emptyLines");
        QTest::newRow("8 points") << 8.0 << 5;
        QTest::newRow("9 points") << 9.0 << 3;
        QTest::newRow("10 points") << 10.0 << 11;
        QTest::newRow("11 points") << 11.0 << 1;
        QTest::newRow("12 points") << 12.0 << 40;
    }
    void lineHeightBySize()
    {
        QFETCH(double, size);
        QFETCH(int, emptyLines);
        GridDocument document;
        document.setFont(QStringLiteral("Courier New"), size);
        for (int i = 0; i < emptyLines; ++i)
            document.printEmptyLine();
        document.printLine(1, QStringLiteral("x"));
        const PlacedLine line = layoutGrid(document, PageGeometry::pdfLetter()).pages[0].lines.back();
        QCOMPARE(line.number, emptyLines + 1);
        QVERIFY(qAbs(line.top - emptyLines * size * 72 / 68) < 1e-9);
        QVERIFY(line.baseline > line.top && line.baseline < line.top + size * 72 / 68);
    }

    void rowOfListLabelsIsOneInch()
    {
        const double row = 3 * gridLineHeight(10) + gridLineHeight(11) + 3 * gridLineHeight(9);
        QVERIFY(qAbs(row - 72) < 1e-9);
    }

    void tabs_data()
    {
        QTest::addColumn<QList<GridItem>>("items");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("tab right of the position stays on the line")
            << QList<GridItem>{{5, 0, "ab"}, {10, 0, "cd"}} << QStringList{"1 10 |    ab   cd"};
        QTest::newRow("tab to the position itself stays on the line")
            << QList<GridItem>{{3, 0, "abc"}, {6, 0, "d"}} << QStringList{"1 10 |  abcd"};
        QTest::newRow("tab left of the position wraps to the next line")
            << QList<GridItem>{{10, 0, "abcdefghij"}, {5, 0, "x"}}
            << QStringList{"1 10 |         abcdefghij", "2 10 |    x"};
        QTest::newRow("column below 1 counts as 1 and spaces follow the tab")
            << QList<GridItem>{{1, 3, "a"}, {0, 2, "b"}} << QStringList{"1 10 |   a  b"};
        QTest::newRow("trailing spaces are dropped") << QList<GridItem>{{2, 0, "a  "}} << QStringList{"1 10 | a"};
    }
    void tabs()
    {
        QFETCH(QList<GridItem>, items);
        QFETCH(QStringList, expected);
        GridDocument document;
        document.printLine(items);
        QCOMPARE(transcriptLines(document).mid(1), expected);
    }

    void pageBreaks_data()
    {
        QTest::addColumn<int>("emptyLines");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("lastLine");
        // 756 points of Letter less the quarter-inch margins hold 71 lines at 10 points.
        QTest::newRow("text on the last line") << 69 << 1 << 71;
        QTest::newRow("text below the last line starts a page") << 70 << 2 << 1;
        QTest::newRow("far below starts one page only") << 500 << 2 << 1;
    }
    void pageBreaks()
    {
        QFETCH(int, emptyLines);
        QFETCH(int, pages);
        QFETCH(int, lastLine);
        GridDocument document = withText(QStringLiteral("first"));
        for (int i = 0; i < emptyLines; ++i)
            document.printEmptyLine();
        document.printLine(1, QStringLiteral("last"));
        const GridLayout layout = layoutGrid(document, PageGeometry::pdfLetter());
        QCOMPARE(int(layout.pages.size()), pages);
        const PlacedLine& line = layout.pages.back().lines.back();
        QCOMPARE(line.number, lastLine);
        QCOMPARE(line.texts.at(0).text, QStringLiteral("last"));
        QVERIFY(line.top + gridLineHeight(10) <= 756 + 1e-6);
    }

    void emptyLinesOnlyMove()
    {
        GridDocument document = withText();
        for (int i = 0; i < 300; ++i)
            document.printEmptyLine();
        const GridLayout layout = layoutGrid(document, PageGeometry::pdfLetter());
        QCOMPARE(int(layout.pages.size()), 1);
        QCOMPARE(int(layout.pages[0].lines.size()), 71); // blank lines off the paper are not kept
    }

    void blankPageIsNotSpentOnEmptyLines()
    {
        GridDocument document;
        for (int i = 0; i < 200; ++i)
            document.printEmptyLine();
        document.printLine(1, QStringLiteral("x"));
        QCOMPARE(transcriptLines(document), (QStringList{"page 1 portrait", "1 10 |x"}));
    }

    void explicitPages_data()
    {
        QTest::addColumn<QString>("ops"); // t: text line, e: empty line, p: new page
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("new page between texts")
            << "tpt" << QStringList{"page 1 portrait", "1 10 |x", "page 2 portrait", "1 10 |x"};
        QTest::newRow("no trailing empty page") << "tpep" << QStringList{"page 1 portrait", "1 10 |x"};
        QTest::newRow("explicit page always starts one")
            << "ppt" << QStringList{"page 1 portrait", "page 2 portrait", "page 3 portrait", "1 10 |x"};
        QTest::newRow("nothing printed, no page") << "epe" << QStringList{};
    }
    void explicitPages()
    {
        QFETCH(QString, ops);
        QFETCH(QStringList, expected);
        GridDocument document;
        for (QChar op : ops) {
            if (op == u't')
                document.printLine(1, QStringLiteral("x"));
            else if (op == u'e')
                document.printEmptyLine();
            else
                document.newPage();
        }
        QCOMPARE(transcriptLines(document), expected);
    }

    void orientationAppliesToPagesNotYetPrinted()
    {
        GridDocument document;
        document.printEmptyLine();
        document.setOrientation(PageOrientation::Landscape);
        document.setFont(QStringLiteral("Courier New"), 12);
        for (int i = 0; i < 44; ++i)
            document.printLine(1, QStringLiteral("L"));
        document.setOrientation(PageOrientation::Portrait); // the page has text: takes effect on the next
        document.printLine(1, QStringLiteral("P"));
        const GridLayout layout = layoutGrid(document, PageGeometry::pdfLetter());
        QCOMPARE(int(layout.pages.size()), 2);
        QCOMPARE(layout.pages[0].orientation, PageOrientation::Landscape);
        QCOMPARE(int(layout.pages[0].lines.size()), 45); // 576 points hold 45 lines at 12
        QCOMPARE(layout.pages[1].orientation, PageOrientation::Portrait);
        QCOMPARE(layout.pages[1].lines[0].texts[0].text, QStringLiteral("P"));
    }

    void transcriptShowsSizeAndBold()
    {
        GridDocument document;
        document.setFont(QStringLiteral("Courier New"), 8);
        document.printEmptyLine();
        document.setBold(true);
        document.printLine(4, QStringLiteral("Bold  "));
        document.setFont(QStringLiteral("Courier New"), 10.5);
        document.printLine(1, QStringLiteral("half"));
        QCOMPARE(gridTranscript(document), QStringLiteral("page 1 portrait\n1 8 |\n2 8b |   Bold\n3 10.5 |half\n"));
    }

    void pageGeometryOfPdf()
    {
        const PageGeometry geometry = PageGeometry::pdfLetter();
        QCOMPARE(geometry.portrait, QSizeF(576, 756));
        QCOMPARE(geometry.landscape, QSizeF(756, 576));
    }
};

QTEST_MAIN(TestGridLayout)
#include "tst_gridlayout.moc"
