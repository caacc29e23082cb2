#include "ListTestData.h"
#include "support/ChildRun.h"

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
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown field") << QStringList{"list", "F.DAT", "--search", "phone=1"}
                                       << "--search takes FIELD=TEXT";
        QTest::newRow("bad sort") << QStringList{"list", "F.DAT", "--sort", "city"} << "--sort takes first or last";
        QTest::newRow("no destination") << QStringList{"labels", "F.DAT"} << "labels";
        QTest::newRow("nothing listed") << QStringList{"labels", "%1", "--search", "zip=1", "--grid"}
                                        << "Empty list, no labels to print.";
    }
    void rejections()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        args.replaceInStrings(QStringLiteral("%1"), m_path);
        const Run run = runCli(args);
        QCOMPARE(run.exitCode, 1);
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

private:
    QTemporaryDir m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestListCli)
#include "tst_listcli.moc"
