#include "support/ChildRun.h"

#include "core/contacts/ContactRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace quillet;
using quillet::test::ChildOptions;
using quillet::test::ChildResult;
using quillet::test::prepareChildEnvironment;
using quillet::test::runChild;

namespace {

// A plain contacts file keeps quillet-cli well under this, and so does a list
// stopped at maxRecordsInMemory lines; reading a several-gigabyte file whole would
// not. AddressSanitizer's shadow memory and quarantine come on top.
#if defined(__SANITIZE_ADDRESS__)
constexpr long memoryBoundKb = 700 * 1024;
#else
constexpr long memoryBoundKb = 300 * 1024;
#endif
constexpr int timeBoundMs = 60000;
constexpr qint64 hugeLength = qint64(3) << 30;

QByteArray recordWith(Field field, const QByteArray& stored)
{
    QByteArray bytes = ContactRecord().toBytes();
    const FieldLayout layout = fieldLayout(field);
    bytes.replace(layout.offset, layout.width, stored.leftJustified(layout.width, ' ', true));
    return bytes;
}

} // namespace

// Contacts files no Quillet wrote: quillet-cli reads them by the record rules,
// or refuses them with its message, in bounded time and memory.
class TestHostileContacts : public QObject
{
    Q_OBJECT

    QString pathOf(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

    // A file of `length` bytes with nothing written; false where the file system
    // would store it whole.
    static bool makeSparse(const QString& path, qint64 length)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || !file.resize(length))
            return false;
        file.close();
        struct stat info
        {
        };
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 && info.st_blocks <= 1024;
    }

    ChildResult cli(const QStringList& args)
    {
        ChildOptions options;
        options.timeoutMs = timeBoundMs;
        return runCli(args, options);
    }

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(prepareChildEnvironment(m_dir.path())); }

    void readsByTheRecordRules_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("args"); // after the verb: FILE is put first
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected"); // a line the output must hold

        const QByteArray nul(1200, '\0');
        QTest::newRow("NUL bytes: counted") << nul << QStringList{"info"} << 0 << "Records: 3";
        QTest::newRow("NUL bytes: flag is not 1") << nul << QStringList{"info"} << 0 << "Reminders: off";
        QTest::newRow("NUL bytes: shown as stored")
            << nul << QStringList{"show", "2"} << 0
            << QStringLiteral("LastName: ") + QStringLiteral("\\x00").repeated(16);
        QTest::newRow("NUL bytes: no reminders") << nul << QStringList{"reminders", "--today", "2024-01-01"} << 0 << "";
        const QByteArray notes = recordWith(Field::Notes, QByteArray("a\0b", 3));
        QTest::newRow("NUL inside a field")
            << notes << QStringList{"show", "1"} << 0 << QStringLiteral("Notes: a\\x00b");

        QTest::newRow("bytes 0x80-0x9F as Windows-1252")
            << recordWith(Field::Category, "\x80\x84\x8a\x99\xfc") << QStringList{"show", "1"} << 0
            << QStringLiteral("Category: €„Š™ü");

        const QByteArray two = ContactRecord().toBytes().repeated(3);
        QTest::newRow("199 bytes: no record 1") << two.left(199) << QStringList{"show", "1"} << 1
                                                << "quillet-cli: show: '%1' has 0 records; there is no record 1";
        QTest::newRow("20 bytes: no record 1")
            << recordWith(Field::FirstName, "Torn").left(20) << QStringList{"show", "1"} << 1
            << "quillet-cli: show: '%1' has 0 records; there is no record 1";
        QTest::newRow("torn record past half reads padded")
            << recordWith(Field::FirstName, "Torn").left(201) << QStringList{"show", "1"} << 0 << "FirstName: Torn";
    }
    void readsByTheRecordRules()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        const QString path = pathOf(QStringLiteral("hostile.DAT"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(content), content.size());
        file.close();

        args.insert(1, path);
        const ChildResult run = cli(args);
        QVERIFY(!run.timedOut);
        QCOMPARE(run.signal, 0);
        QCOMPARE(run.exitCode, exitCode);
        const QStringList lines = (exitCode == 0 ? run.out : run.err).split(u'\n');
        if (expected.isEmpty())
            QCOMPARE(lines, QStringList{QString()});
        else
            QVERIFY2(lines.contains(expected.replace(QStringLiteral("%1"), path)), qPrintable(run.out + run.err));
        QVERIFY(run.maxRssKb < memoryBoundKb);
    }

    // Several gigabytes with nothing written: counted, its last record shown and
    // every record scanned for reminders, without holding the file in memory;
    // commands that keep every record in memory refuse it.
    void giganticSparseFile_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected"); // a line of the output (standard error on failure)
        // 3 GiB is 8053063.68 records: 8053064 are counted, the last one partial (272
        // bytes on disk), so its flag (byte 397) reads as a space.
        const QString last = QStringLiteral("8053064");
        const QString tooMany =
            QStringLiteral("quillet-cli: VERB: cannot read contacts file '%1': Out of memory (error 7)");
        QTest::newRow("info") << QStringList{"info"} << 0 << QStringLiteral("Records: ") + last;
        QTest::newRow("show the last record") << QStringList{"show", last} << 0 << QStringLiteral("ReminderFlag: ");
        QTest::newRow("show the one before")
            << QStringList{"show", "8053063"} << 0 << QStringLiteral("ReminderFlag: \\x00");
        QTest::newRow("reminder pass over every record")
            << QStringList{"reminders", "--today", "2024-06-01"} << 0 << QString();
        QTest::newRow("list") << QStringList{"list"} << 1 << tooMany;
        QTest::newRow("labels") << QStringList{"labels", "--grid"} << 1 << tooMany;
        QTest::newRow("report") << QStringList{"report", "--grid"} << 1 << tooMany;
    }
    void giganticSparseFile()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        const QString path = pathOf(QStringLiteral("huge.DAT"));
        if (!makeSparse(path, hugeLength))
            QSKIP("this file system makes no sparse file of 3 GiB");

        args.insert(1, path);
        const ChildResult run = cli(args);
        QVERIFY2(!run.timedOut, "over a minute");
        QCOMPARE(run.exitCode, exitCode);
        const QStringList lines = (exitCode == 0 ? run.out : run.err).split(u'\n');
        if (expected.isEmpty())
            QCOMPARE(lines, QStringList{QString()});
        else
            QVERIFY2(
                lines.contains(expected.replace(QStringLiteral("%1"), path).replace(QStringLiteral("VERB"), args[0])),
                qPrintable(run.out + run.err));
        QVERIFY2(run.maxRssKb < memoryBoundKb, qPrintable(QString::number(run.maxRssKb)));
        qInfo("%s: %lld ms, %ld KiB peak", QTest::currentDataTag(), run.elapsedMs, run.maxRssKb);
    }

    // The import's duplicate test holds the records on file in memory: into a file
    // that counts the most records there can be it used to abort on std::bad_alloc.
    void importIntoGiganticFile_data()
    {
        QTest::addColumn<qint64>("length");
        QTest::newRow("3 GiB") << hugeLength;
        QTest::newRow("1 TiB, the largest count") << (qint64(1) << 40);
    }
    void importIntoGiganticFile()
    {
        QFETCH(qint64, length);
        const QString path = pathOf(QStringLiteral("huge.DAT"));
        const QString csv = pathOf(QStringLiteral("one.csv"));
        if (!makeSparse(path, length))
            QSKIP("this file system makes no sparse file that large");
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Home Phone,Cell Phone,"
                   "Work Phone,Email,Birthdate,Category,Notes\r\nAnn,,Lee,,,,,,,,,,ann@example.org,,,\r\n");
        file.close();

        const ChildResult run = cli({QStringLiteral("import"), path, csv});
        QCOMPARE(run.signal, 0);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("Error number 7 -- Out of memory.")), qPrintable(run.err));
        QCOMPARE(QFileInfo(path).size(), length);
        QVERIFY(run.maxRssKb < memoryBoundKb);
    }
};

QTEST_GUILESS_MAIN(TestHostileContacts)
#include "tst_hostilecontacts.moc"
