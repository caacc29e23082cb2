#include "core/printing/SheetCatalogue.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;

namespace {

const double mm = 72 / 25.4;

const SheetCatalogue& handMade()
{
    static const SheetCatalogue catalogue = SheetCatalogue::load({QStringLiteral(QUILLET_TEST_DATA "/sheets")});
    return catalogue;
}

bool near(double a, double b)
{
    return std::abs(a - b) < 0.01;
}

} // namespace

class TestSheetTemplates : public QObject
{
    Q_OBJECT
private slots:
    void lengths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("points"); // -1: not a length
        QTest::newRow("bare number is points") << "12.5" << 12.5;
        QTest::newRow("pt") << "72pt" << 72.0;
        QTest::newRow("in") << "1.5in" << 108.0;
        QTest::newRow("mm") << "25.4mm" << 72.0;
        QTest::newRow("cm") << "2.54cm" << 72.0;
        QTest::newRow("pc") << "2pc" << 24.0;
        QTest::newRow("space before unit") << "0 pt" << 0.0;
        QTest::newRow("unknown unit") << "3ft" << -1.0;
        QTest::newRow("empty") << "" << -1.0;
    }
    void lengths()
    {
        QFETCH(QString, text);
        QFETCH(double, points);
        const std::optional<double> length = parseLength(text);
        QCOMPARE(length.has_value(), points >= 0);
        if (length)
            QVERIFY2(near(*length, points), qPrintable(QString::number(*length)));
    }

    void handWrittenTemplates()
    {
        const SheetTemplate* units = handMade().find(QStringLiteral("test units"));
        QVERIFY(units);
        QCOMPARE(units->paper.name, QStringLiteral("A4"));
        QCOMPARE(units->labelWidth, 144.0);
        QCOMPARE(units->labelHeight, 36.0);
        QCOMPARE(units->radius, 12.0);
        QVERIFY(near(units->markupMargin, 2 * mm));
        QCOMPARE(units->labelCount(), 6);
        // Label 4: second row, second column.
        const QRectF fourth = units->labelRect(3);
        QVERIFY(near(fourth.x(), 10 * mm + 180) && near(fourth.y(), 18 + 36));

        const SheetTemplate* same = handMade().find(QStringLiteral("Test Same"));
        QVERIFY(same);
        QCOMPARE(same->description, QStringLiteral("Same sheet"));
        QCOMPARE(same->labelRect(3), fourth);
        QCOMPARE(same->paper.name, QStringLiteral("A4"));

        const SheetTemplate* custom = handMade().find(QStringLiteral("Test Custom"));
        QVERIFY(custom);
        QVERIFY(near(custom->paper.width, 100 * mm) && near(custom->paper.height, 288));
    }

    void layoutsAreNumberedOneAfterTheOther_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QPointF>("corner");
        QTest::newRow("first layout, first row") << 1 << QPointF(100, 0);
        QTest::newRow("first layout, second row") << 2 << QPointF(0, 100);
        QTest::newRow("second layout, first") << 4 << QPointF(300, 10);
        QTest::newRow("second layout, second") << 5 << QPointF(300, 210);
    }
    void layoutsAreNumberedOneAfterTheOther()
    {
        QFETCH(int, index);
        QFETCH(QPointF, corner);
        const SheetTemplate* sheet = handMade().find(QStringLiteral("Test Two layouts"));
        QVERIFY(sheet);
        QCOMPARE(sheet->labelCount(), 6);
        QCOMPARE(sheet->markupMargin, 4.5); // none given: 1/16 inch
        QCOMPARE(sheet->labelRect(index).topLeft(), corner);
    }

    void leftOut()
    {
        for (const char* name : {"Test Round", "Test Orphan", "Test Bad length"})
            QVERIFY2(!handMade().find(QString::fromLatin1(name)), name);
        QVERIFY(handMade().found());
        QVERIFY(handMade().sheets().front().builtIn);
        QCOMPARE(handMade().search(QStringLiteral("same")).size(), std::size_t(1));
    }

    // Templates beyond what real products have are no sheets: the label count would
    // overflow, or a template make every later step slow.
    void hostileTemplates_data()
    {
        QTest::addColumn<QByteArray>("rectangle");
        QTest::addColumn<int>("labels"); // 0: left out
        QTest::newRow("count wraps to 1")
            << QByteArray(R"(<Layout nx="2147483647" ny="2147483647" x0="0" y0="0" dx="10" dy="10"/>)") << 0;
        QTest::newRow("count goes negative") << QByteArray(R"(<Layout nx="65536" ny="65536" dx="1" dy="1"/>)") << 0;
        QTest::newRow("10,000 labels") << QByteArray(R"(<Layout nx="100" ny="100" dx="1" dy="1"/>)") << 10000;
        QTest::newRow("10,001 labels") << QByteArray(R"(<Layout nx="10001" ny="1" dx="1" dy="1"/>)") << 0;
        QTest::newRow("16 layouts") << QByteArray(R"(<Layout nx="1" ny="1"/>)").repeated(16) << 16;
        QTest::newRow("17 layouts") << QByteArray(R"(<Layout nx="1" ny="1"/>)").repeated(17) << 0;
        QTest::newRow("3,000 layouts") << QByteArray(R"(<Layout nx="1000" ny="1000"/>)").repeated(3000) << 0;
        QTest::newRow("NaN margin") << QByteArray(R"(<Markup-margin size="nan"/><Layout nx="1" ny="1"/>)") << 0;
        QTest::newRow("1e9 mm margin") << QByteArray(R"(<Markup-margin size="1e9mm"/><Layout nx="1" ny="1"/>)") << 0;
        QTest::newRow("infinite step") << QByteArray(R"(<Layout nx="2" ny="1" dx="inf"/>)") << 0;
    }
    void hostileTemplates()
    {
        QFETCH(QByteArray, rectangle);
        QFETCH(int, labels);
        QByteArray xml = R"(<Glabels-templates><Template brand="T" part="1" size="A4">)"
                         R"(<Label-rectangle width="10" height="10">)" +
                         rectangle + "</Label-rectangle></Template></Glabels-templates>";
        QBuffer buffer(&xml);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        const std::vector<SheetTemplate> read = readTemplates(buffer, standardPaperSizes());
        QCOMPARE(read.empty() ? 0 : read.front().labelCount(), labels);
    }

    // A folder named twice, or a file reached through a link, is read once.
    void eachFileReadOnce()
    {
        QTemporaryDir dir;
        const QString folder = QDir(dir.path()).filePath(QStringLiteral("templates"));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("templates")));
        QVERIFY(QFile::link(folder, QDir(dir.path()).filePath(QStringLiteral("again"))));
        QFile big(QDir(folder).filePath(QStringLiteral("big.xml")));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(maxTemplateFileSize + 1));
        big.close();
        QVERIFY(QFile::copy(QStringLiteral(QUILLET_TEST_DATA "/sheets/hand-made-templates.xml"),
                            QDir(folder).filePath(QStringLiteral("hand.xml"))));
        const SheetCatalogue catalogue =
            SheetCatalogue::load({folder, folder, QDir(dir.path()).filePath(QStringLiteral("again"))});
        QCOMPARE(catalogue.notes().size(), 1);
        QVERIFY(catalogue.notes().front().endsWith(QStringLiteral("big.xml is larger than 4 MB, skipped")));
        QVERIFY(catalogue.find(QStringLiteral("Test Units")));
    }

    void noCatalogueLeavesTheBuiltInSheet()
    {
        const SheetCatalogue none = SheetCatalogue::load({QStringLiteral("/nonexistent")});
        QVERIFY(!none.found());
        QCOMPARE(none.sheets().size(), std::size_t(1));
        QCOMPARE(none.sheets().front().name(), QStringLiteral("Quillet 30 labels (Avery 5160/8160 compatible)"));
    }

    void realCatalogue_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<int>("labels");
        QTest::addColumn<QRectF>("last");
        QTest::newRow("A4, equiv") << "Avery L7160"
                                   << "A4" << 21 << QRectF(21.2 + 2 * 187.2, 43.9 + 6 * 108, 181.4, 108);
        QTest::newRow("Letter") << "Avery 5160"
                                << "US Letter" << 30 << QRectF(11.25 + 2 * 200.25, 36 + 9 * 72, 189, 72);
        QTest::newRow("Letter, equiv") << "avery 8163"
                                       << "US Letter" << 10 << QRectF(11.7 + 301.5, 36 + 4 * 144, 288, 144);
    }
    void realCatalogue()
    {
        QFETCH(QString, name);
        QFETCH(QString, paper);
        QFETCH(int, labels);
        QFETCH(QRectF, last);
        QElapsedTimer timer;
        timer.start();
        const SheetCatalogue& catalogue = SheetCatalogue::system();
        qInfo() << "catalogue read in" << timer.elapsed() << "ms";
        if (!catalogue.found())
            QSKIP("the label template catalogue (glabels-data) is not installed");
        const SheetTemplate* sheet = catalogue.find(name);
        QVERIFY(sheet);
        QCOMPARE(sheet->paper.name, paper);
        QCOMPARE(sheet->labelCount(), labels);
        const QRectF rect = sheet->labelRect(labels - 1);
        QVERIFY2(
            near(rect.x(), last.x()) && near(rect.y(), last.y()) && near(rect.width(), last.width()) &&
                near(rect.height(), last.height()),
            qPrintable(QStringLiteral("%1,%2 %3x%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height())));
    }
};

QTEST_GUILESS_MAIN(TestSheetTemplates)
#include "tst_sheettemplates.moc"
