#include "ChildRun.h"
#include "FaultFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;

namespace {

enum class Fault { ReadOnlyFile, ReadOnlyFolder, SizeLimit };
// What the contacts file must look like afterwards.
enum class After {
    Unchanged,
    WholeRecords, // only whole records, as many as `records`
    FlagsOnly,    // same length; bytes other than ReminderFlag unchanged
};

} // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(After)

// Every quillet-cli command that writes, run against a file system that fails:
// each prints its error and leaves the contacts file with every contact it had,
// as whole records.
class TestCommandFaults : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_folder;
    QString m_path;

    ChildResult cli(QStringList args, qint64 fileSizeLimit)
    {
        args.replaceInStrings(QStringLiteral("FILE"), m_path);
        ChildOptions options;
        options.fileSizeLimit = fileSizeLimit;
        return runChild(QStringLiteral(QUILLET_CLI), args, options);
    }

private slots:
    void initTestCase() { QVERIFY(prepareChildEnvironment(m_dir.path())); }

    void init()
    {
        m_folder = QDir(m_dir.path()).filePath(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_'));
        QVERIFY(QDir().mkpath(m_folder));
        m_path = QDir(m_folder).filePath(QStringLiteral("Friends.DAT"));
    }

    void writerUnderFault_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<qint64>("limitBeyondSize"); // SizeLimit: the limit is the file size plus this
        QTest::addColumn<QString>("message");        // on standard error; empty: the command succeeds
        QTest::addColumn<After>("after");
        QTest::addColumn<int>("records");

        const QStringList add{"add", "FILE", "--first", "New", "--last", "Person"};
        const QStringList edit{"edit", "FILE", "2", "--notes", "changed"};
        const QStringList off{"reminders", "FILE", "--off"};
        const QStringList on{"reminders", "FILE", "--on"};
        const QStringList remove{"delete", "FILE", "2", "--yes"};
        const QByteArray three = people(3);
        const QString denied = QStringLiteral("Permission denied (error 70)");
        const QString full = QStringLiteral("Disk full (error 61)");
        // Compaction writes through Qt, which reports a write past the size limit as a
        // write error; folder entries it may not make, as an access error.
        const QString writeFailed = QStringLiteral("Device I/O error (error 57)");
        const QString noEntry = QStringLiteral("Path/File access error (error 75)");

        QTest::newRow("add, read-only file")
            << add << three << Fault::ReadOnlyFile << 0ll << denied << After::Unchanged << 3;
        QTest::newRow("save changes, read-only file")
            << edit << three << Fault::ReadOnlyFile << 0ll << denied << After::Unchanged << 3;
        QTest::newRow("reminders off, read-only file")
            << off << three << Fault::ReadOnlyFile << 0ll << denied << After::Unchanged << 3;
        QTest::newRow("reminders on, read-only file")
            << on << people(3, "0") << Fault::ReadOnlyFile << 0ll << denied << After::Unchanged << 3;
        QTest::newRow("delete, read-only file")
            << remove << three << Fault::ReadOnlyFile << 0ll << denied << After::Unchanged << 3;

        // Writing in place needs no room in the folder; compaction does.
        QTest::newRow("add, read-only folder")
            << add << three << Fault::ReadOnlyFolder << 0ll << "" << After::WholeRecords << 4;
        QTest::newRow("save changes, read-only folder")
            << edit << three << Fault::ReadOnlyFolder << 0ll << "" << After::WholeRecords << 3;
        QTest::newRow("reminders off, read-only folder")
            << off << three << Fault::ReadOnlyFolder << 0ll << "" << After::FlagsOnly << 3;
        QTest::newRow("delete, read-only folder")
            << remove << three << Fault::ReadOnlyFolder << 0ll << noEntry << After::Unchanged << 3;

        // A full disk: no byte may be added to the file (or, for compaction, the
        // new file stops short of the old one).
        QTest::newRow("add, disk full") << add << three << Fault::SizeLimit << 0ll << full << After::Unchanged << 3;
        QTest::newRow("add, disk full mid-record")
            << add << three << Fault::SizeLimit << 150ll << full << After::Unchanged << 3;
        // 1100 bytes count 3 records; writing the third completes it to 1200 bytes.
        const QByteArray torn = three.left(1100);
        const QStringList editThird{"edit", "FILE", "3", "--notes", "changed"};
        QTest::newRow("save changes of a torn record, disk full")
            << editThird << torn << Fault::SizeLimit << 0ll << full << After::Unchanged << 3;
        QTest::newRow("reminders off with a torn record, disk full")
            << off << torn << Fault::SizeLimit << 0ll << full << After::FlagsOnly << 3;
        QTest::newRow("delete, disk full")
            << remove << people(5) << Fault::SizeLimit << -1000ll << writeFailed << After::Unchanged << 5;
    }
    void writerUnderFault()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, content);
        QFETCH(Fault, fault);
        QFETCH(qint64, limitBeyondSize);
        QFETCH(QString, message);
        QFETCH(After, after);
        QFETCH(int, records);
        QVERIFY(writeBytes(m_path, content));

        ChildResult run;
        if (fault == Fault::SizeLimit) {
            run = cli(args, content.size() + limitBeyondSize);
        } else {
            WriteProtection protection(fault == Fault::ReadOnlyFile ? m_path : m_folder);
            if (!protection.ok())
                QSKIP("cannot write-protect files here");
            run = cli(args, -1);
        }
        QVERIFY(run.started && !run.timedOut);
        QCOMPARE(run.signal, 0);
        if (message.isEmpty()) {
            QCOMPARE(run.errText(), QString());
            QCOMPARE(run.exitCode, 0);
        } else {
            QVERIFY2(run.errText().startsWith(QStringLiteral("quillet-cli: ")), run.err);
            QVERIFY2(run.errText().contains(m_path) && run.errText().contains(message), run.err);
            QCOMPARE(run.exitCode, 1);
        }

        const QByteArray now = readBytes(m_path);
        switch (after) {
        case After::Unchanged:
            QCOMPARE(now, content);
            break;
        case After::WholeRecords:
            QCOMPARE(wholeRecordsProblem(now), QString());
            QCOMPARE(now.size(), qsizetype(records) * recordSize);
            break;
        case After::FlagsOnly:
            QCOMPARE(now.size(), content.size());
            for (qsizetype at = 0; at < now.size(); ++at) {
                if (at % recordSize != fieldLayout(Field::ReminderFlag).offset)
                    QCOMPARE(now.at(at), content.at(at));
            }
            break;
        }
        // No temporary file is left beside it.
        QCOMPARE(folderEntries(m_folder), QStringList{"Friends.DAT"});
    }

    // Printing into a PDF file is a writer too: a failure is the printer problem,
    // never a missing or truncated file with success reported.
    void pdfOutputUnderFault_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::newRow("pdf, disk full") << Fault::SizeLimit;
        QTest::newRow("pdf, read-only folder") << Fault::ReadOnlyFolder;
    }
    void pdfOutputUnderFault()
    {
        QFETCH(Fault, fault);
        const QString pdf = QDir(m_folder).filePath(QStringLiteral("label.pdf"));
        const QStringList args{"print-lines", "--label", "5", "--pdf", pdf, "John Smith", "1 Main St"};
        ChildResult run;
        if (fault == Fault::SizeLimit) {
            run = cli(args, 2000); // a label's PDF is about 5 kB
        } else {
            WriteProtection protection(m_folder);
            if (!protection.ok())
                QSKIP("cannot write-protect folders here");
            run = cli(args, -1);
        }
        QVERIFY(run.started && !run.timedOut);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errText().startsWith(QStringLiteral("A printer problem exists.  Check printer.\n")), run.err);
        QCOMPARE(folderEntries(m_folder), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestCommandFaults)
#include "tst_commandfaults.moc"
