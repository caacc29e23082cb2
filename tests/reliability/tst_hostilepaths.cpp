#include "FaultRecords.h"
#include "core/common/NativePath.h"
#include "support/ChildRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace quillet;
using namespace quillet::test;

// Files the program must not write through: devices, FIFOs and planted links made
// by the test in its own folder (never the real /dev files), odd names, hard links.
class TestHostilePaths : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_home;

    QString pathOf(const QString& name) const { return QDir(m_dir.path()).filePath(name); }
    static QByteArray native(const QString& path) { return QFile::encodeName(path); }
    static mode_t typeOf(const QString& path)
    {
        struct stat info
        {
        };
        return ::lstat(native(path).constData(), &info) == 0 ? info.st_mode & S_IFMT : 0;
    }
    static ChildResult cli(const QStringList& args, const ChildOptions& options = {})
    {
        ChildOptions bounded = options;
        bounded.timeoutMs = 20000;
        return runCli(args, bounded);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(prepareChildEnvironment(m_dir.path()));
        m_home = QDir(m_dir.path()).filePath(QStringLiteral("home"));
    }

    void pdfOnlyOverRegularFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("device node") << "device";
    }
    void pdfOnlyOverRegularFiles()
    {
        QFETCH(QString, kind);
        const QString target = pathOf(kind);
        if (kind == QLatin1String("fifo"))
            QVERIFY(::mkfifo(native(target).constData(), 0600) == 0);
        else if (::mknod(native(target).constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
            QSKIP("making a device node needs root");
        const mode_t type = typeOf(target);
        const ChildResult run = cli({"print-lines", "--label", "1", "--pdf", target, "Ann"});
        QVERIFY(!run.timedOut);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("not a regular file")), qPrintable(run.err));
        QCOMPARE(typeOf(target), type);
    }

    void pdfWrittenThroughALinkToAFile()
    {
        const QString file = pathOf(QStringLiteral("real.pdf"));
        const QString link = pathOf(QStringLiteral("link.pdf"));
        QVERIFY(writeBytes(file, "old"));
        QVERIFY(QFile::link(file, link));
        const ChildResult run = cli({"print-lines", "--label", "1", "--pdf", link, "Ann"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(typeOf(link), mode_t(S_IFLNK));
        QVERIFY(readBytes(file).startsWith("%PDF"));
    }

    // A link planted in the program's folder under the export's name.
    void exportRefusesPlantedLinks_data()
    {
        QTest::addColumn<bool>("dangling");
        QTest::newRow("to a file") << false;
        QTest::newRow("dangling") << true;
    }
    void exportRefusesPlantedLinks()
    {
        QFETCH(bool, dangling);
        const QString contacts = pathOf(QStringLiteral("Club.DAT"));
        QVERIFY(writeBytes(contacts, people(2)));
        const QString victim = pathOf(dangling ? QStringLiteral("autostart.desktop") : QStringLiteral("victim.txt"));
        QFile::remove(victim);
        if (!dangling)
            QVERIFY(writeBytes(victim, "precious"));
        const QString planted = QDir(m_home).filePath(QStringLiteral("QLTC_Club.csv"));
        QFile::remove(planted);
        QVERIFY(QFile::link(victim, planted));
        const ChildResult run = cli({"export", contacts, "--csv"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("link")), qPrintable(run.err));
        QCOMPARE(QFile::exists(victim), !dangling);
        if (!dangling)
            QCOMPARE(readBytes(victim), QByteArray("precious"));
        QVERIFY(QFile::remove(planted));
    }

    void importRefusesAFifo()
    {
        const QString contacts = pathOf(QStringLiteral("Import.DAT"));
        QVERIFY(writeBytes(contacts, people(1)));
        const QString fifo = pathOf(QStringLiteral("contacts.csv"));
        QVERIFY(::mkfifo(native(fifo).constData(), 0600) == 0);
        const ChildResult run = cli({"import", contacts, fifo});
        QVERIFY(!run.timedOut);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(readBytes(contacts), people(1));
    }

    // caf\xe9.DAT: Qt's text cannot hold the name, the command line keeps its bytes.
    void nonUtf8NameKeptEndToEnd()
    {
        const QByteArray raw = native(m_dir.path()) + "/caf\xe9.DAT";
        // QTemporaryDir cannot name the file to remove it, and would leave its folder behind.
        const auto removeFile = qScopeGuard([&raw] { ::unlink(raw.constData()); });
        const QString name = pathFromNative(raw);
        QCOMPARE(cli({"new", name}).exitCode, 0);
        QCOMPARE(cli({"add", name, "--last", "Bytes"}).exitCode, 0);
        struct stat info
        {
        };
        QVERIFY(::stat(raw.constData(), &info) == 0);
        QCOMPARE(qint64(info.st_size), qint64(400));
        QVERIFY(!QDir(m_dir.path()).entryList().contains(QStringLiteral("caf\uFFFD.DAT")));
    }

    void hardLinksNeedForce()
    {
        const QString contacts = pathOf(QStringLiteral("Linked.DAT"));
        const QString other = pathOf(QStringLiteral("Other name.DAT"));
        QVERIFY(writeBytes(contacts, people(3)));
        QVERIFY(::link(native(contacts).constData(), native(other).constData()) == 0);
        const ChildResult refused = cli({"delete", contacts, "1", "--yes"});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains(QStringLiteral("--force")), qPrintable(refused.err));
        QCOMPARE(readBytes(contacts), people(3));
        QCOMPARE(cli({"delete", contacts, "1", "--yes", "--force"}).exitCode, 0);
        QCOMPARE(readBytes(contacts).size(), qsizetype(800));
    }

    // The size limit stops an add part way: the program is not killed by SIGXFSZ but
    // sees the failed write and cuts the torn record off.
    void tornAddCutBack()
    {
        const QString contacts = pathOf(QStringLiteral("Limited.DAT"));
        QVERIFY(writeBytes(contacts, people(1)));
        ChildOptions options;
        options.fileSizeLimit = 688;
        options.sizeSignal = true;
        const ChildResult run = cli({"add", contacts, "--last", "Torn"}, options);
        QCOMPARE(run.signal, 0);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("Disk full (error 61)")), qPrintable(run.err));
        QCOMPARE(readBytes(contacts), people(1));
    }

    void missingFileNeverCreated_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("add") << QStringList{"add", "FILE", "--last", "X"};
        QTest::newRow("import") << QStringList{"import", "FILE", "FILE"};
        QTest::newRow("reminders") << QStringList{"reminders", "FILE", "--on"};
    }
    void missingFileNeverCreated()
    {
        QFETCH(QStringList, args);
        const QString missing = pathOf(QStringLiteral("Missing.DAT"));
        args.replaceInStrings(QStringLiteral("FILE"), missing);
        const ChildResult run = cli(args);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(QStringLiteral("File not found (error 53)")));
        QVERIFY(!QFile::exists(missing));
    }
};

QTEST_GUILESS_MAIN(TestHostilePaths)
#include "tst_hostilepaths.moc"
