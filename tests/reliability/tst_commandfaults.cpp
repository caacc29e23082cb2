#include "FaultRecords.h"
#include "support/ChildRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;

namespace {

enum class Fault { ReadOnlyFile, ReadOnlyFolder, ReadOnlyExport, SizeLimit };
// What the contacts file must look like afterwards.
enum class After {
    Unchanged,
    WholeRecords, // only whole records, as many as `records`
    Appended,     // what it held, then whole records up to `records`
    FlagsOnly,    // same length; bytes other than ReminderFlag unchanged
};

const QString exportName = QStringLiteral("QLTC_Friends.csv");

struct Case
{
    QStringList args; // FILE: the contacts file, CSV: the file to import
    QByteArray content;
    Fault fault = Fault::SizeLimit;
    qint64 limitBeyondSize = 0; // SizeLimit: the limit is the contacts file's size plus this
    QString message;            // standard error must hold it (FILE, EXPORT: the paths); empty: success
    After after = After::Unchanged;
    int records = 0;
    QStringList entries{"Friends.DAT"}; // the folder afterwards: no temporary file left
    QByteArray oldExport;               // an export made before, which must survive a failed one
};

// Five contacts in the program's own CSV layout, none of them on file yet.
QByteArray importFile()
{
    QByteArray csv = "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Home Phone,Cell Phone,"
                     "Work Phone,Email,Birthdate,Category,Notes\r\n";
    for (int i = 1; i <= 5; ++i)
        csv += QByteArray("New%1,,Person%1,,,,,,,,,,new%1@example.org,,,\r\n").replace("%1", QByteArray::number(i));
    return csv;
}

// A command that must fail with `message` and leave the contacts file unchanged.
Case fails(const QStringList& args, const QByteArray& content, Fault fault, const QString& message,
           qint64 limitBeyondSize = 0)
{
    Case c;
    c.args = args;
    c.content = content;
    c.fault = fault;
    c.message = message;
    c.limitBeyondSize = limitBeyondSize;
    c.records = int(content.size() / recordSize);
    return c;
}

// A command that ends (failing with `message`, or succeeding when it is empty) with
// the contacts file as `after` says.
Case ends(const QStringList& args, const QByteArray& content, Fault fault, const QString& message, After after,
          int records, qint64 limitBeyondSize = 0)
{
    Case c = fails(args, content, fault, message, limitBeyondSize);
    c.after = after;
    c.records = records;
    return c;
}

// With an older export in place, which must survive.
Case keepingOlderExport(Case c)
{
    c.oldExport = "First Name,MI,Last Name\r\nOld,,Export\r\n";
    c.entries = QStringList{"Friends.DAT", exportName};
    return c;
}

QString fileMessage(const char* what, const char* error)
{
    return QStringLiteral("%1 'FILE': %2").arg(QLatin1String(what), QLatin1String(error));
}

} // namespace

Q_DECLARE_METATYPE(Case)

// Every quillet-cli command that writes, run against a file system that fails:
// each prints its error and leaves the contacts file with every contact it had,
// as whole records, plus only whole records written before the fault.
class TestCommandFaults : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_folder;
    QString m_path;
    QString m_csv;

    QString expand(QString text) const
    {
        return text.replace(QStringLiteral("EXPORT"), QDir(m_folder).filePath(exportName))
            .replace(QStringLiteral("FILE"), m_path)
            .replace(QStringLiteral("CSV"), m_csv);
    }

    ChildResult cli(const QStringList& args, qint64 fileSizeLimit)
    {
        ChildOptions options;
        options.fileSizeLimit = fileSizeLimit;
        QStringList expanded;
        for (const QString& arg : args)
            expanded << expand(arg);
        return runCli(expanded, options);
    }

    ChildResult runUnder(const Case& c)
    {
        if (c.fault == Fault::SizeLimit)
            return cli(c.args, c.content.size() + c.limitBeyondSize);
        const QString target = c.fault == Fault::ReadOnlyFile     ? m_path
                               : c.fault == Fault::ReadOnlyExport ? QDir(m_folder).filePath(exportName)
                                                                  : m_folder;
        WriteProtection protection(target);
        if (!protection.ok())
            return {};
        return cli(c.args, -1);
    }

    void checkContacts(const Case& c)
    {
        const QByteArray now = readBytes(m_path);
        switch (c.after) {
        case After::Unchanged:
            QCOMPARE(now, c.content);
            break;
        case After::WholeRecords:
            QCOMPARE(wholeRecordsProblem(now), QString());
            QCOMPARE(now.size(), qsizetype(c.records) * recordSize);
            break;
        case After::Appended:
            QCOMPARE(appendedWholeRecords(c.content, now), QString());
            QCOMPARE(now.size(), qsizetype(c.records) * recordSize);
            break;
        case After::FlagsOnly:
            QCOMPARE(now.size(), c.content.size());
            for (qsizetype at = 0; at < now.size(); ++at) {
                if (at % recordSize != fieldLayout(Field::ReminderFlag).offset)
                    QCOMPARE(now.at(at), c.content.at(at));
            }
            break;
        }
    }

    static void addRows();

private slots:
    void initTestCase()
    {
        QVERIFY(prepareChildEnvironment(m_dir.path()));
        m_csv = QDir(m_dir.path()).filePath(QStringLiteral("import.csv"));
        QVERIFY(writeBytes(m_csv, importFile()));
    }

    void init()
    {
        m_folder = QDir(m_dir.path()).filePath(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_'));
        QVERIFY(QDir().mkpath(m_folder));
        m_path = QDir(m_folder).filePath(QStringLiteral("Friends.DAT"));
        // Exports go into the program's folder: the same folder here.
        QVERIFY(qputenv("QUILLET_HOME", QFile::encodeName(m_folder)));
    }

    void writerUnderFault_data() { addRows(); }
    void writerUnderFault()
    {
        QFETCH(Case, c);
        QVERIFY(writeBytes(m_path, c.content));
        if (!c.oldExport.isEmpty())
            QVERIFY(writeBytes(QDir(m_folder).filePath(exportName), c.oldExport));

        const ChildResult run = runUnder(c);
        if (!run.started)
            QSKIP("cannot write-protect files here");
        QVERIFY(!run.timedOut);
        QCOMPARE(run.signal, 0);
        if (c.message.isEmpty()) {
            QCOMPARE(run.err, QString());
            QCOMPARE(run.exitCode, 0);
        } else {
            // Every message names the program and the verb first.
            QVERIFY2(run.err.startsWith(QStringLiteral("quillet-cli: %1: ").arg(c.args[0])), qPrintable(run.err));
            QVERIFY2(run.err.contains(expand(c.message)), qPrintable(run.err));
            QCOMPARE(run.exitCode, 1);
        }
        checkContacts(c);
        QCOMPARE(folderEntries(m_folder), c.entries);
        if (!c.oldExport.isEmpty())
            QCOMPARE(readBytes(QDir(m_folder).filePath(exportName)), c.oldExport);
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
        QVERIFY2(
            run.err.startsWith(QStringLiteral("quillet-cli: print-lines: A printer problem exists.  Check printer.\n")),
            qPrintable(run.err));
        QCOMPARE(folderEntries(m_folder), QStringList());
    }
};

void TestCommandFaults::addRows()
{
    QTest::addColumn<Case>("c");
    const QStringList add{"add", "FILE", "--first", "New", "--last", "Person"};
    const QStringList edit{"edit", "FILE", "2", "--notes", "changed"};
    const QStringList off{"reminders", "FILE", "--off"};
    const QStringList on{"reminders", "FILE", "--on"};
    const QStringList remove{"delete", "FILE", "2", "--yes"};
    const QStringList import{"import", "FILE", "CSV"};
    const QStringList exportCsv{"export", "FILE", "--csv"};
    const QByteArray three = people(3);
    const QString notWritten = fileMessage("cannot write contacts file", "Permission denied (error 70)");
    const QString fullDisk = fileMessage("cannot write contacts file", "Disk full (error 61)");
    const QString importDenied = QStringLiteral("Error number 70 -- Permission denied.  Try again, or notify Quillet.");
    const QString importFull = QStringLiteral("Error number 61 -- Disk full.  Try again, or notify Quillet.");
    const QString exportFull = QStringLiteral("cannot write export file 'EXPORT': Disk full (error 61)");
    const QString exportNotWritten = QStringLiteral("cannot write export file 'EXPORT': ");
    // Whole-file rewrites (compaction, import, the reminder switch, export) need room
    // in the folder; the system's reason is reported.
    const QString noEntry = QStringLiteral("Permission denied (error 70)");
    const QString writeFailed = QStringLiteral("Disk full (error 61)");

    using F = Fault;
    QTest::newRow("add, read-only file") << fails(add, three, F::ReadOnlyFile, notWritten);
    QTest::newRow("save changes, read-only file") << fails(edit, three, F::ReadOnlyFile, notWritten);
    QTest::newRow("reminders off, read-only file") << fails(off, three, F::ReadOnlyFile, notWritten);
    QTest::newRow("reminders on, read-only file") << fails(on, people(3, "0"), F::ReadOnlyFile, notWritten);
    QTest::newRow("delete, read-only file")
        << fails(remove, three, F::ReadOnlyFile,
                 fileMessage("cannot delete from contacts file", "Permission denied (error 70)"));
    QTest::newRow("import, read-only file") << fails(import, three, F::ReadOnlyFile, importDenied);

    // Writing in place needs no room in the folder; the rewrites do.
    QTest::newRow("add, read-only folder") << ends(add, three, F::ReadOnlyFolder, "", After::Appended, 4);
    QTest::newRow("save changes, read-only folder") << ends(edit, three, F::ReadOnlyFolder, "", After::WholeRecords, 3);
    QTest::newRow("reminders off, read-only folder") << fails(off, three, F::ReadOnlyFolder, notWritten);
    QTest::newRow("import, read-only folder") << fails(import, three, F::ReadOnlyFolder, importDenied);
    QTest::newRow("delete, read-only folder")
        << fails(remove, three, F::ReadOnlyFolder, fileMessage("cannot delete from contacts file", "") + noEntry);
    QTest::newRow("export, read-only folder")
        << fails(exportCsv, three, F::ReadOnlyFolder, "cannot write export file 'EXPORT': " + noEntry);
    QTest::newRow("export over a read-only older export")
        << keepingOlderExport(fails(exportCsv, three, F::ReadOnlyExport, exportNotWritten));

    // A full disk: no byte may be added to the contacts file (or, for compaction,
    // the new file stops short of the old one).
    QTest::newRow("add, disk full") << fails(add, three, F::SizeLimit, fullDisk);
    QTest::newRow("add, disk full mid-record") << fails(add, three, F::SizeLimit, fullDisk, 150);
    // 1100 bytes count 3 records; writing the third completes it to 1200 bytes.
    const QByteArray torn = three.left(1100);
    const QStringList editThird{"edit", "FILE", "3", "--notes", "changed"};
    QTest::newRow("save changes of a torn record, disk full") << fails(editThird, torn, F::SizeLimit, fullDisk);
    QTest::newRow("reminders off with a torn record, disk full")
        << ends(off, torn, F::SizeLimit, fullDisk, After::FlagsOnly, 3);
    QTest::newRow("delete, disk full") << fails(
        remove, people(5), F::SizeLimit, fileMessage("cannot delete from contacts file", "") + writeFailed, -1000);
    // The imported records go after a copy of the file, which only a complete run
    // puts in place: room for two more records and a half adds none.
    QTest::newRow("import, disk full") << fails(import, three, F::SizeLimit, importFull, 1000);
    QTest::newRow("export, disk full") << keepingOlderExport(
        fails(exportCsv, people(40), F::SizeLimit, exportFull, -15000));
}

QTEST_GUILESS_MAIN(TestCommandFaults)
#include "tst_commandfaults.moc"
