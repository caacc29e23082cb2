#include "ListTestData.h"
#include "core/printing/SheetCatalogue.h"
#include "support/ChildRun.h"
#include "support/PdfWords.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;

using Run = test::ChildResult;
using test::runCli;

class TestListCli : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_path = QDir(m_dir.path()).filePath(QStringLiteral("Friends.DAT"));
        QVERIFY(
            test::writeContactsFile(m_path, {test::person("Zoe", "Adams", "New York"), test::person("al", "Brown", ""),
                                             test::person("Bea", "Cole", "York")}));
    }

    void list_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("starts");
        QTest::newRow("all by first name")
            << QStringList{} << QStringList{"2\tal Brown\t", "3\tBea Cole\t", "1\tZoe Adams\t"};
        QTest::newRow("empty city text skips blank cities, by last name")
            << QStringList{"--search", "city=", "--sort=last"} << QStringList{"1\tAdams, Zoe \t", "3\tCole, Bea \t"};
    }
    void list()
    {
        QFETCH(QStringList, options);
        QFETCH(QStringList, starts);
        const Run run = runCli(QStringList{"list", m_path} + options);
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), starts.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].startsWith(starts[i]), qPrintable(lines[i]));
    }

    void rejections_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode"); // 1 a refusal, 2 a usage error
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown field") << QStringList{"list", "F.DAT", "--search", "phone=1"} << 2
                                       << "--search takes FIELD=TEXT";
        QTest::newRow("bad sort") << QStringList{"list", "F.DAT", "--sort", "city"} << 2
                                  << "--sort takes first or last";
        QTest::newRow("no destination") << QStringList{"labels", "F.DAT"} << 2 << "say where to print";
        QTest::newRow("nothing listed") << QStringList{"labels", "%1", "--search", "zip=1", "--grid"} << 1
                                        << "Empty list, no labels to print.";
        QTest::newRow("start beyond the sheet") << QStringList{"labels", "%1", "--start", "31", "--grid"} << 2
                                                << "--start takes a label position from 1 to 30";
        QTest::newRow("unknown sheet") << QStringList{"labels", "%1", "--sheet", "Nobody 1", "--grid"} << 2
                                       << "no label sheet named 'Nobody 1'";
        QTest::newRow("offset too far") << QStringList{"labels", "%1", "--offset", "10.5,0", "--grid"} << 2
                                        << "--offset takes X,Y in millimetres, each from -10 to 10";
        QTest::newRow("no offset for reports")
            << QStringList{"report", "%1", "--offset", "1,1", "--grid"} << 2 << "unknown option --offset";
        if (SheetCatalogue::system().found())
            QTest::newRow("grid of a catalogue sheet")
                << QStringList{"labels", "%1", "--sheet", "Avery L7160", "--grid"} << 2 << "write --pdf FILE";
    }
    void rejections()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        args.replaceInStrings(QStringLiteral("%1"), m_path);
        const Run run = runCli(args);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.startsWith(QStringLiteral("quillet-cli: %1: ").arg(args[0])), qPrintable(run.err));
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }

    void printing()
    {
        const Run labels = runCli({"labels", m_path, "--copies", "2", "--grid"});
        QCOMPARE(labels.exitCode, 0);
        QCOMPARE(labels.out.count(QStringLiteral("page 1 portrait")), 2);
        QVERIFY(labels.out.contains(QStringLiteral("5 10 | al Brown")));
        const Run report = runCli({"report", m_path, "--search", "city=york", "--grid"});
        QCOMPARE(report.exitCode, 0);
        QVERIFY(report.out.startsWith(QStringLiteral("page 1 landscape\n")));
        QVERIFY(report.out.contains(QStringLiteral("File: Friends\n")));
        QCOMPARE(report.out.count(QStringLiteral("York")), 2);
    }

    // Lines longer than the built-in sheet's labels: said on standard error, or fitted.
    void longLines()
    {
        const QString path = QDir(m_dir.path()).filePath(QStringLiteral("Long.DAT"));
        QVERIFY(test::writeContactsFile(path, {test::contact({{Field::FirstName, QStringLiteral("Ann")},
                                                              {Field::LastName, QStringLiteral("Lee")},
                                                              {Field::Street1, QString(30, u's')}})}));
        const Run warned = runCli({"labels", path, "--grid"});
        QCOMPARE(warned.exitCode, 0);
        QVERIFY2(warned.err.endsWith(QStringLiteral("1 label has lines longer than the label (first: Ann Lee). "
                                                    "They will run into the next label.\n")),
                 qPrintable(warned.err));
        QVERIFY(warned.out.contains(QStringLiteral("\n5 10 | Ann Lee\n")));
        const Run fitted = runCli({"labels", path, "--fit", "--grid"});
        QCOMPARE(fitted.exitCode, 0);
        QVERIFY2(!fitted.err.contains(QStringLiteral("longer than the label")), qPrintable(fitted.err));
        QVERIFY2(fitted.out.contains(QRegularExpression(QStringLiteral("\nat [0-9.]+,[0-9.]+ [0-9.]+ \\|Ann Lee\n"))),
                 qPrintable(fitted.out));
    }

    void catalogueSheet()
    {
        if (!SheetCatalogue::system().found() || !test::pdftotextAvailable())
            QSKIP("needs the label template catalogue (glabels-data) and pdftotext");
        const QString pdf = QDir(m_dir.path()).filePath(QStringLiteral("sheet.pdf"));
        const Run run = runCli({"labels", m_path, "--sheet", "Avery L7160", "--start", "5", "--pdf", pdf});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(test::pdfPageSizes(pdf).value(0).toSize(), QSize(595, 842));
        // In list order on labels 5, 6 and 7 (21.2 + 187.2 x column, 43.9 + 108 x row; 181.4 x 108).
        const QList<test::PdfWord> words = test::pdfWords(pdf);
        const QList<std::pair<QString, QPointF>> labels{
            {"al", {208.4, 151.9}}, {"Bea", {395.6, 151.9}}, {"Zoe", {21.2, 259.9}}};
        for (const auto& [name, corner] : labels) {
            const auto word = std::find_if(words.begin(), words.end(), [&](const auto& w) { return w.text == name; });
            QVERIFY2(word != words.end(), qPrintable(name));
            const QRectF label(corner, QSizeF(181.4, 108));
            QVERIFY2(label.contains(QPointF(word->xMin, word->yMin)) && label.contains(QPointF(word->xMax, word->yMax)),
                     qPrintable(name));
        }

        const Run sheets = runCli({"sheets", "avery", "L7160"});
        QCOMPARE(sheets.exitCode, 0);
        QCOMPARE(sheets.out, QStringLiteral("Avery L7160  Mailing labels  63.994 x 38.1 mm  3 x 7  A4\n"));
    }

    // Templates planted in the program folder: one that overflows the label count is
    // no sheet, one whose labels hold no text fails the job with a message and writes
    // nothing, and a file of several megabytes is skipped with a note.
    void plantedTemplates()
    {
        QTemporaryDir home;
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("templates")));
        const QString folder = QDir(home.path()).filePath(QStringLiteral("templates"));
        QFile planted(QDir(folder).filePath(QStringLiteral("planted.xml")));
        QVERIFY(planted.open(QIODevice::WriteOnly));
        planted.write(R"(<Glabels-templates>
  <Template brand="Test" part="Huge" size="A4"><Label-rectangle width="10" height="10">
    <Layout nx="2147483647" ny="2147483647" x0="0" y0="0" dx="1" dy="1"/></Label-rectangle></Template>
  <Template brand="Test" part="Tiny" size="A4"><Label-rectangle width="20pt" height="5pt">
    <Layout nx="3" ny="3" x0="0" y0="0" dx="30" dy="30"/></Label-rectangle></Template>
</Glabels-templates>)");
        planted.close();
        QFile big(QDir(folder).filePath(QStringLiteral("big.xml")));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write("<Glabels-templates><!--" + QByteArray(5 * 1024 * 1024, 'x') + "--></Glabels-templates>");
        big.close();
        const QByteArray ownHome = qgetenv("QUILLET_HOME");
        qputenv("QUILLET_HOME", QFile::encodeName(home.path()));
        const QString pdf = QDir(m_dir.path()).filePath(QStringLiteral("tiny.pdf"));
        const Run huge = runCli({"labels", m_path, "--sheet", "Test Huge", "--pdf", pdf});
        const Run tiny = runCli({"labels", m_path, "--sheet", "Test Tiny", "--pdf", pdf});
        const Run sheets = runCli({"sheets", "Test"});
        qputenv("QUILLET_HOME", ownHome);
        QVERIFY2(huge.err.contains(QStringLiteral("no label sheet named 'Test Huge'")), qPrintable(huge.err));
        QCOMPARE(tiny.exitCode, 1);
        QVERIFY2(tiny.err.contains(QStringLiteral("No line of text fits on the labels of this sheet")),
                 qPrintable(tiny.err));
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(sheets.exitCode, 0);
        QCOMPARE(sheets.err.count(QStringLiteral("big.xml is larger than 4 MB, skipped")), 1);
        QVERIFY(sheets.out.contains(QStringLiteral("Test Tiny")));
        QVERIFY(!sheets.out.contains(QStringLiteral("Test Huge")));
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestListCli)
#include "tst_listcli.moc"
