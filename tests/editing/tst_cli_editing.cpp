#include "EditingTestFiles.h"
#include "support/ChildRun.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;

class TestCliEditing : public QObject
{
    Q_OBJECT

    using Run = ChildResult;

    QTemporaryDir m_dir;
    QString m_path;

    static Run cli(const QStringList& args) { return runCli(args); }
    ContactRecord record(int number)
    {
        const QByteArray bytes = readBytes(m_path);
        return ContactRecord::fromBytes(bytes.mid((number - 1) * recordSize, recordSize));
    }

private slots:
    void initTestCase() { QVERIFY(prepareChildEnvironment(m_dir.path())); }

    void init()
    {
        m_path = QDir(m_dir.path()).filePath(QStringLiteral("CONTACTS.DAT"));
        writeContacts(m_path, 3);
    }

    void addAppliesTheAddContactRules()
    {
        const Run run = cli({"add", m_path, "--first", " John", "--mi", "q.", "--last", "Public", "--country",
                             "usa, inc", "--home", "(555) 123-4567", "--birthdate", "04/10/1980"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("Saved as record 4\n"));
        const ContactRecord saved = record(4);
        QCOMPARE(saved.trimmed(Field::FirstName), QStringLiteral("John"));
        QCOMPARE(saved.trimmed(Field::MI), QStringLiteral("Q"));
        QCOMPARE(saved.trimmed(Field::Country), QStringLiteral("USA  INC"));
        QCOMPARE(saved.trimmed(Field::HomePhone), QStringLiteral("555-123-4567"));
        QCOMPARE(saved.value(Field::Birthdate), QStringLiteral("19800410"));
        // Record 1 says reminders are off.
        QCOMPARE(saved.value(Field::ReminderFlag), QStringLiteral("0"));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("add without last name")
            << QStringList{"add", "FILE", "--first", "Ann"} << "Enter last name, 16 characters or less.";
        QTest::newRow("add comma last name")
            << QStringList{"add", "FILE", "--last", ","} << "Enter last name, 16 characters or less.";
        QTest::newRow("add bad date") << QStringList{"add", "FILE", "--last", "Lee", "--birthdate", "4/1/1980"}
                                      << "Date must be in format MM/DD/YYYY   Example: April 10, 1980 is 04/10/1980";
        QTest::newRow("edit state of three")
            << QStringList{"edit", "FILE", "2", "--state", "cal"} << "State must be 2 character abbreviation.";
        QTest::newRow("quick-add without space")
            << QStringList{"quick-add", "FILE", "Madonna"} << "Line 1 must contain a space.";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        args.replace(1, m_path);
        const QByteArray before = readBytes(m_path);
        const Run run = cli(args);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err.split(u'\n').filter(QStringLiteral("quillet-cli")),
                 QStringList{QStringLiteral("quillet-cli: %1: ").arg(args[0]) + message});
        QCOMPARE(readBytes(m_path), before);
    }

    void editKeepsOtherFieldsAndUsesSaveChangesRules()
    {
        const Run run = cli({"edit", m_path, "2", "--last", ",", "--state", "c", "--country", "usa, inc"});
        QCOMPARE(run.exitCode, 0);
        const ContactRecord saved = record(2);
        QCOMPARE(saved.trimmed(Field::FirstName), QStringLiteral("First2"));
        QCOMPARE(saved.trimmed(Field::LastName), QString());
        QCOMPARE(saved.trimmed(Field::State), QStringLiteral("C"));
        QCOMPARE(saved.trimmed(Field::Country), QStringLiteral("USA INC"));
        QCOMPARE(record(3).trimmed(Field::FirstName), QStringLiteral("First3"));
        QCOMPARE(cli({"edit", m_path, "4", "--last", "X"}).exitCode, 1);
    }

    void deleteNeedsYes()
    {
        const QByteArray before = readBytes(m_path);
        QCOMPARE(cli({"delete", m_path, "2"}).exitCode, 2);
        QCOMPARE(readBytes(m_path), before);
        QCOMPARE(cli({"delete", m_path, "4", "--yes"}).exitCode, 1);
        QCOMPARE(readBytes(m_path), before);
        const Run run = cli({"delete", m_path, "2", "--yes"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("Deleted record 2 of 3: First2 Last2\n"));
        QCOMPARE(firstNames(m_path), (QStringList{"First1", "First3"}));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"CONTACTS.DAT"});
    }

    void detailsTranscript()
    {
        const Run run = cli({"details", m_path, "3", "--grid", "--copies", "2"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.count(QStringLiteral("\n15 12 |       First3  Last3\n")), 2);
        QCOMPARE(run.out.count(QStringLiteral("page ")), 2);
        QCOMPARE(cli({"details", m_path, "3"}).exitCode, 2);
        QCOMPARE(cli({"details", m_path, "9", "--grid"}).exitCode, 1);
    }

    void quickAdd()
    {
        const QStringList lines{"John Q. Public", "123 Main Street Apt 4", "San Diego, CA 92101"};
        const Run dry = cli(QStringList{"quick-add", m_path} + lines + QStringList{"--dry-run"});
        QCOMPARE(dry.exitCode, 0);
        QCOMPARE(dry.out, QStringLiteral("First Name: John\nMiddle Initial: Q\nLast Name: Public\n"
                                         "Street Address: 123 Main Street\nAdditional Street Info/Apt: Apt 4\n"
                                         "City: San Diego\nState: CA\nZip Code: 92101\n"));
        QCOMPARE(readBytes(m_path).size(), 1200);
        const Run saved = cli(QStringList{"quick-add", m_path} + lines);
        QCOMPARE(saved.exitCode, 0);
        QVERIFY(saved.out.endsWith(QStringLiteral("Saved as record 4\n")));
        QCOMPARE(record(4).trimmed(Field::City), QStringLiteral("San Diego"));
    }
};

QTEST_GUILESS_MAIN(TestCliEditing)
#include "tst_cli_editing.moc"
