#include "FileFixtures.h"
#include "contacts/ContactsFile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using quillet::test::contact;
using quillet::test::readAll;
using quillet::test::writeAll;

class TestCliContacts : public QObject
{
    Q_OBJECT

    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };

    Run cli(const QStringList& args)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QUILLET_CLI), args);
        if (!process.waitForFinished(30000))
            return {};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }

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
        writeAll(path, ann.toBytes() + bo.toBytes());
        return path;
    }

    QTemporaryDir m_dir;

private slots:
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

    void newCreatesEmptyFile()
    {
        const QString path = pathOf(QStringLiteral("New.DAT"));
        const Run run = cli({QStringLiteral("new"), path});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(QFile::exists(path));
        QCOMPARE(readAll(path).size(), 0);
        const Run info = cli({QStringLiteral("info"), path});
        QCOMPARE(info.exitCode, 0);
        QCOMPARE(info.out, QStringLiteral("Records: 0\nReminders: none\n"));
    }

    void newKeepsExistingFile()
    {
        const QString path = sampleFile();
        const QByteArray before = readAll(path);
        QCOMPARE(cli({QStringLiteral("new"), path}).exitCode, 0);
        QCOMPARE(readAll(path), before);
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

        const QByteArray before = readAll(path);
        run = cli({QStringLiteral("reminders"), path, QStringLiteral("--off")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("Birthday Reminders have been turned off.\n"));
        QByteArray expected = before;
        expected[397] = expected[797] = '0';
        QCOMPARE(readAll(path), expected);
        QCOMPARE(cli({QStringLiteral("info"), path}).out, QStringLiteral("Records: 2\nReminders: off\n"));
        run = cli({QStringLiteral("reminders"), path, QStringLiteral("--today"), QStringLiteral("2023-04-01")});
        QCOMPARE(run.out, QString());

        QCOMPARE(cli({QStringLiteral("reminders"), path, QStringLiteral("--on")}).out,
                 QStringLiteral("Birthday Reminders have been turned on.\n"));
        QCOMPARE(readAll(path), before);
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString missing = pathOf(QStringLiteral("nofolder/x.DAT"));
        QTest::newRow("new in missing folder") << QStringList{"new", missing} << missing + "': Path not found";
        QTest::newRow("info on missing file") << QStringList{"info", pathOf("absent.DAT")} << "File not found";
        QTest::newRow("show record 0") << QStringList{"show", pathOf("Friends.DAT"), "0"} << "not a record number";
        QTest::newRow("show past the end") << QStringList{"show", pathOf("Friends.DAT"), "3"} << "no record 3";
        QTest::newRow("bad date") << QStringList{"reminders", pathOf("Friends.DAT"), "--today", "2023-02-29"}
                                  << "not a date";
        QTest::newRow("on and off") << QStringList{"reminders", pathOf("Friends.DAT"), "--on", "--off"} << "exclude";
        QTest::newRow("unknown option") << QStringList{"info", pathOf("Friends.DAT"), "--all"} << "unknown option";
    }
    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const QString path = sampleFile();
        const QByteArray before = readAll(path);
        const Run run = cli(args);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(readAll(path), before);
    }
};

QTEST_GUILESS_MAIN(TestCliContacts)
#include "tst_cli_contacts.moc"
