#include "FaultRecords.h"
#include "support/ChildRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;

namespace {

// quillet-cli itself stays well under this with the largest file here (a 20 MB
// line held once as bytes and once as text). AddressSanitizer's shadow memory and
// quarantine come on top: a million header columns, each a freed allocation or two,
// fill its quarantine.
#if defined(__SANITIZE_ADDRESS__)
constexpr long memoryBoundKb = 1024 * 1024;
#else
constexpr long memoryBoundKb = 512 * 1024;
#endif
constexpr int timeBoundMs = 60000;

const QByteArray header = "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Home Phone,Cell Phone,"
                          "Work Phone,Email,Birthdate,Category,Notes";

QByteArray contactLine(const QByteArray& first, const QByteArray& street = {})
{
    return first + ",,Person," + street + ",,,,,,,,," + first.toLower() + "@example.org,,,";
}

QByteArray junk(int length)
{
    QRandomGenerator random(20240601); // the same junk on every run
    QByteArray bytes(length, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

} // namespace

// CSV files no address book writes: each gives what the import rules say, or a
// clear message, in bounded time and memory, and the contacts file holds only
// whole records afterwards.
class TestHostileCsv : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(prepareChildEnvironment(m_dir.path())); }

    void import_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message"); // in the output
        QTest::addColumn<int>("records");     // in the contacts file afterwards

        const QByteArray crlf = "\r\n";
        const QString none = QStringLiteral("quillet-cli: import: the CSV file's header fits none of the import layouts");
        QTest::newRow("a 10 MB line") << header + crlf + contactLine("Long", QByteArray(10 << 20, 'x')) + crlf << 0
                                      << "1 contacts successfully imported." << 1;
        QTest::newRow("a 20 MB line") << header + crlf + contactLine("Ann") + crlf +
                                             contactLine("Huge", QByteArray(20 << 20, 'x')) + crlf
                                      << 1 << "Error number 7 -- Out of memory." << 1;
        QTest::newRow("a million commas in a line")
            << header + crlf + contactLine("Commas") + QByteArray(1000000, ',') + crlf << 0
            << "1 contacts successfully imported." << 1;
        QTest::newRow("a million commas in the header")
            << header + QByteArray(1000000, ',') + crlf + contactLine("Ann") + crlf << 0
            << "1 contacts successfully imported." << 1;
        // A contact without a name and e-mail is left out.
        QTest::newRow("a line of commas only")
            << header + crlf + QByteArray(1000000, ',') + crlf << 0 << "0 contacts successfully imported." << 0;
        QTest::newRow("binary junk") << junk(1 << 20) << 1 << none << 0;
        // Its short lines send the file to matching by name, which stores what it reads (any count).
        QTest::newRow("binary junk after a header") << header + crlf + contactLine("Ann") + crlf + junk(1 << 20) << 0
                                                    << "contacts successfully imported." << -1;
        QTest::newRow("NUL bytes in values") << header + crlf + contactLine(QByteArray("N\0l", 3)) + crlf << 0
                                             << "1 contacts successfully imported." << 1;
        QTest::newRow("only a header") << header + crlf << 0 << "0 contacts successfully imported." << 0;
        QTest::newRow("only a header, no line end") << header << 0 << "0 contacts successfully imported." << 0;
        QTest::newRow("empty file") << QByteArray() << 1 << "Error number 62 -- Input past end of file." << 0;
        QTest::newRow("CR line ends") << header + '\r' + contactLine("Ann") + '\r' + contactLine("Bo") + '\r' << 0
                                      << "2 contacts successfully imported." << 2;
        QTest::newRow("LF line ends") << header + '\n' + contactLine("Ann") + '\n' + contactLine("Bo") + '\n'
                                      << 0 << "2 contacts successfully imported." << 2;
        // With a CR anywhere, a lone LF stays inside its line.
        QTest::newRow("CR and LF line ends mixed")
            << header + "\r\n" + contactLine("Ann") + '\n' + contactLine("Bo") + "\r\n"
            << 0 << "1 contacts successfully imported." << 1;
    }
    void import()
    {
        QFETCH(QByteArray, csv);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(int, records);
        const QString contacts = QDir(m_dir.path()).filePath(QStringLiteral("Friends.DAT"));
        const QString csvPath = QDir(m_dir.path()).filePath(QStringLiteral("hostile.csv"));
        QVERIFY(writeBytes(contacts, QByteArray()));
        QVERIFY(writeBytes(csvPath, csv));

        ChildOptions options;
        options.timeoutMs = timeBoundMs;
        const ChildResult run = runCli({"import", contacts, csvPath}, options);
        QVERIFY2(!run.timedOut, "over a minute");
        QCOMPARE(run.signal, 0);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2((run.out + run.err).contains(message), qPrintable(run.out + run.err));
        const QByteArray after = readBytes(contacts);
        QCOMPARE(wholeRecordsProblem(after), QString());
        if (records >= 0)
            QCOMPARE(after.size(), qsizetype(records) * recordSize);
        QVERIFY2(run.maxRssKb < memoryBoundKb, qPrintable(QString::number(run.maxRssKb)));
        qInfo("%s: %lld ms, %ld KiB peak", QTest::currentDataTag(), run.elapsedMs, run.maxRssKb);
    }
};

QTEST_GUILESS_MAIN(TestHostileCsv)
#include "tst_hostilecsv.moc"
