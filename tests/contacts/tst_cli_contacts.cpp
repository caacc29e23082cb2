#include "FileFixtures.h"
#include "core/contacts/ContactsFile.h"
#include "support/ChildRun.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using quillet::test::contact;
using quillet::test::readBytes;
using quillet::test::writeBytes;

class TestCliContacts : public QObject
{
    Q_OBJECT

    using Run = test::ChildResult;
    static Run cli(const QStringList& args) { return test::runCli(args); }

    QString pathOf(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

    // Two contacts with reminders on; Ann's birthday is 10 April.
    QString sampleFile()
    {
        ContactRecord ann = contact(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("19800410"));
        ann.set(Field::MI, QStringLiteral("Q"));
        ann.set(Field::City, QStringLiteral("Zürich"));
        ann.set(Field::Notes, QStringLiteral("a | b"));
        const ContactRecord bo = contact(QStringLiteral("Bo"), QStringLiteral("Ng"), QStringLiteral("19700405"));
        const QString path = pathOf(QStringLiteral("Friends.DAT"));
        writeBytes(path, ann.toBytes() + bo.toBytes());
        return path;
    }

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(test::prepareChildEnvironment(m_dir.path())); }

    void versionAndOverview()
    {
        const Run version = cli({QStringLiteral("--version")});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QStringLiteral("quillet-cli 4.6.0\n"));
        const Run overview = cli({QStringLiteral("--help")});
        QVERIFY(
            overview.out.contains(QStringLiteral("  print-lines     Print typed lines on a label or an envelope\n")));
        QVERIFY(overview.out.contains(QStringLiteral("  return-address  Print a sheet of 80 return-address labels\n")));
    }

    // While another program writes (holds the file's locks), a command waits once
    // for it and then names the contacts file as the busy one.
    void busyFileIsNamedAfterOneWait_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("add") << QStringList{"add", "%1", "--last", "Late"} << "cannot write contacts file '%1'";
        QTest::newRow("import") << QStringList{"import", "%1", "%1.csv"} << "cannot read contacts file '%1'";
        QTest::newRow("export") << QStringList{"export", "%1", "--csv"} << "cannot read contacts file '%1'";
    }
    void busyFileIsNamedAfterOneWait()
    {
        QFETCH(QStringList, command);
        QFETCH(QString, message);
        const QString path = sampleFile();
        writeBytes(path + QStringLiteral(".csv"), "First Name,Last Name\r\nCy,Day\r\n");
        ContactsFile writer;
        QVERIFY(writer.open(path).ok());
        const ContactsFileLock writing(writer, LockKind::Exclusive);
        QVERIFY(writing.status().ok());
        qputenv("QUILLET_LOCK_WAIT_MS", "1500");
        const Run run = cli(command.replaceInStrings(QStringLiteral("%1"), path));
        qunsetenv("QUILLET_LOCK_WAIT_MS");
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message.arg(path)) && run.err.contains(fileInUseText), qPrintable(run.err));
        QVERIFY2(run.elapsedMs < 2900, qPrintable(QStringLiteral("%1 ms").arg(run.elapsedMs)));
    }

    void newCreatesEmptyFile()
    {
        const QString path = pathOf(QStringLiteral("New.DAT"));
        const Run run = cli({QStringLiteral("new"), path});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(QFile::exists(path));
        QCOMPARE(readBytes(path).size(), 0);
        const Run info = cli({QStringLiteral("info"), path});
        QCOMPARE(info.exitCode, 0);
        QCOMPARE(info.out, QStringLiteral("Records: 0\nReminders: none\n"));
    }

    void newKeepsExistingFile()
    {
        const QString path = sampleFile();
        const QByteArray before = readBytes(path);
        QCOMPARE(cli({QStringLiteral("new"), path}).exitCode, 0);
        QCOMPARE(readBytes(path), before);
    }

    void showPrintsTrimmedFields()
    {
        const Run run = cli({QStringLiteral("show"), sampleFile(), QStringLiteral("1")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("FirstName: Ann\nMI: Q\nLastName: Lee\nStreet1: \nStreet2: \nCity: Zürich\n"
                                         "State: \nZip: \nCountry: \nHomePhone: \nCellPhone: \nWorkPhone: \nEmail: \n"
                                         "Birthdate: 04/10/1980\nCategory: \nNotes: a | b\nReminderFlag: 1\n"));
    }

    void remindersFollowTodayAndSwitch()
    {
        const QString path = sampleFile();
        Run run = cli({QStringLiteral("reminders"), path, QStringLiteral("--today"), QStringLiteral("2023-04-01")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("Ann Lee has a birthday coming up on 04/10\n"
                                         "Bo Ng has a birthday coming up on 04/05\n"));
        run = cli({QStringLiteral("reminders"), path, QStringLiteral("--today=2023-04-06")});
        QCOMPARE(run.out, QStringLiteral("Ann Lee has a birthday coming up on 04/10\n"));

        const QByteArray before = readBytes(path);
        run = cli({QStringLiteral("reminders"), path, QStringLiteral("--off")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("Birthday Reminders have been turned off.\n"));
        QByteArray expected = before;
        expected[397] = expected[797] = '0';
        QCOMPARE(readBytes(path), expected);
        QCOMPARE(cli({QStringLiteral("info"), path}).out, QStringLiteral("Records: 2\nReminders: off\n"));
        run = cli({QStringLiteral("reminders"), path, QStringLiteral("--today"), QStringLiteral("2023-04-01")});
        QCOMPARE(run.out, QString());

        QCOMPARE(cli({QStringLiteral("reminders"), path, QStringLiteral("--on")}).out,
                 QStringLiteral("Birthday Reminders have been turned on.\n"));
        QCOMPARE(readBytes(path), before);
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode"); // 1 a failure, 2 a usage error
        QTest::addColumn<QString>("message");
        const QString missing = pathOf(QStringLiteral("nofolder/x.DAT"));
        QTest::newRow("new in missing folder") << QStringList{"new", missing} << 1 << missing + "': Path not found";
        QTest::newRow("info on missing file") << QStringList{"info", pathOf("absent.DAT")} << 1 << "File not found";
        QTest::newRow("show record 0") << QStringList{"show", pathOf("Friends.DAT"), "0"} << 2 << "not a record number";
        QTest::newRow("show past the end") << QStringList{"show", pathOf("Friends.DAT"), "3"} << 1 << "no record 3";
        QTest::newRow("bad date") << QStringList{"reminders", pathOf("Friends.DAT"), "--today", "2023-02-29"} << 2
                                  << "--today takes a date";
        QTest::newRow("on and off") << QStringList{"reminders", pathOf("Friends.DAT"), "--on", "--off"} << 2
                                    << "exclude";
        QTest::newRow("unknown option") << QStringList{"info", pathOf("Friends.DAT"), "--all"} << 2
                                        << "unknown option --all";
    }
    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const QString path = sampleFile();
        const QByteArray before = readBytes(path);
        const Run run = cli(args);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.startsWith(QStringLiteral("quillet-cli: %1: ").arg(args[0])), qPrintable(run.err));
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(readBytes(path), before);
    }
};

QTEST_GUILESS_MAIN(TestCliContacts)
#include "tst_cli_contacts.moc"
