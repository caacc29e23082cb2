#include "core/contacts/ContactRecord.h"
#include "support/ChildRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace quillet;
using namespace quillet::test;

namespace {

using Output = ChildOptions::Output;
constexpr int bySigpipe = -1; // the exit column's value for "ended quietly by SIGPIPE"

ContactRecord person(const QString& first, const QString& last, const QString& city = {})
{
    ContactRecord record;
    record.set(Field::FirstName, first);
    record.set(Field::LastName, last);
    record.set(Field::City, city);
    record.set(Field::ReminderFlag, QStringLiteral("1"));
    return record;
}

// Ann Lee (birthday 10 April, Windows-1252 letters of 0x80-0x9F in her notes), Bo Ng,
// and a contact whose fields would clear the screen and break the list's columns.
QByteArray contactsFile()
{
    ContactRecord ann = person(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("York"));
    ann.set(Field::Birthdate, QStringLiteral("19800410"));
    ann.set(Field::Notes, QStringLiteral("€Š“Œ”"));
    ContactRecord hostile =
        person(QStringLiteral("Ev\x1b[2Jil"), QStringLiteral("Back\\slash"), QStringLiteral("A\tB"));
    hostile.set(Field::HomePhone, QStringLiteral("555\t1234"));
    return ann.toBytes() + person(QStringLiteral("Bo"), QStringLiteral("Ng")).toBytes() + hostile.toBytes();
}

const QByteArray csv = "First Name,Last Name,Email\r\nZed,Zulu,zed@example.org\r\n";

} // namespace

// The shell's conventions, each on the built program: versions, help, --opt=value
// and short options, exit statuses, standard streams, a full device and a closed
// pipe, control characters from files, and --if-name. Every run has no
// XDG_RUNTIME_DIR, which Qt used to complain about on standard error.
class TestCliConventions : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_file;

private slots:
    void initTestCase() { QVERIFY(prepareChildEnvironment(m_dir.path())); }
    void init()
    {
        m_file = QDir(m_dir.path()).filePath(QStringLiteral("Friends.DAT"));
        QVERIFY(writeBytes(m_file, contactsFile()));
    }

    void conventions_data();
    void conventions();
};

void TestCliConventions::conventions_data()
{
    QTest::addColumn<QStringList>("args"); // FILE: the contacts file, DIR: a scratch folder
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<Output>("output");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("out"); // standard output holds it; empty: standard output is empty
    QTest::addColumn<QString>("err"); // standard error starts with it; empty: standard error is empty
    QTest::addColumn<int>("records"); // records in FILE afterwards

    const QByteArray none;
    const auto row = [&](const char* name, const QStringList& args, int exit, const QString& out, const QString& err,
                         int records = 3, const QByteArray& input = {}, Output output = Output::Captured) {
        QTest::newRow(name) << args << input << output << exit << out << err << records;
    };
    const QString version = QStringLiteral("quillet-cli 4.6.0\n");
    row("-v", {"-v"}, 0, version, "");
    row("-V", {"-V"}, 0, version, "");
    row("--version", {"--version"}, 0, version, "");
    row("verb --version", {"list", "--version"}, 0, version, "");
    row("--help", {"--help"}, 0, "Exit status: 0 done; 1 a refusal", "");
    row("help VERB", {"help", "labels"}, 0, "  -c, --copies K", "");
    row("-h after a verb is help, not a file", {"info", "-h"}, 0, "Usage: quillet-cli info FILE\n", "");
    row("help of no verb", {"help", "nope"}, 2, "", "quillet-cli: unknown verb 'nope'");
    row("unknown verb", {"nope"}, 2, "", "quillet-cli: unknown verb 'nope'");

    const QString label5 = QStringLiteral("\n12 10 |") + QString(34, u' ') + QStringLiteral("Ann\n");
    row("--label=5", {"print-lines", "--label=5", "--grid", "Ann"}, 0, label5, "");
    row("-l5 -g", {"print-lines", "-l5", "-g", "Ann"}, 0, label5, "");
    row("--today=", {"reminders", "FILE", "--today=2023-04-01"}, 0, "Ann Lee has a birthday coming up on 04/10\n", "");
    row("-t DATE", {"reminders", "FILE", "-t", "2023-04-01"}, 0, "Ann Lee has a birthday coming up on 04/10\n", "");

    row("unknown option", {"info", "FILE", "--all"}, 2, "", "quillet-cli: info: unknown option --all");
    row("missing value", {"reminders", "FILE", "--today"}, 2, "", "quillet-cli: reminders: missing value after");
    row("copies 0", {"labels", "FILE", "--grid", "--copies", "0"}, 2, "", "quillet-cli: labels: --copies takes");
    row("copies 1000", {"labels", "FILE", "--grid", "-c", "1000"}, 2, "", "quillet-cli: labels: --copies takes");
    row("offset nan", {"labels", "FILE", "--grid", "--offset", "nan,0"}, 2, "", "quillet-cli: labels: --offset takes");
    row("empty start", {"labels", "FILE", "--grid", "--start", ""}, 2, "", "quillet-cli: labels: --start takes");
    row("empty sheet", {"labels", "FILE", "--grid", "--sheet="}, 2, "", "quillet-cli: labels: --sheet needs");
    row("map of a missing column", {"import", "FILE", "-", "--map", "Phone=home"}, 2, "",
        "quillet-cli: import: --map: the source has no column \"Phone\"", 3, csv);
    row("refused by the window's checks", {"add", "FILE", "--first", "Cy"}, 1, "",
        "quillet-cli: add: Enter last name, 16 characters or less.\n");
    row("missing file", {"info", "DIR/absent.DAT"}, 1, "", "quillet-cli: info: cannot open contacts file");

    row("PDF on standard output", {"print-lines", "-l", "5", "--pdf", "-", "Ann"}, 0, "%PDF-", "");
    row("PDF on standard output twice", {"print-lines", "-l", "5", "--pdf", "-", "-c", "2", "Ann"}, 2, "",
        "quillet-cli: print-lines: --pdf - writes one PDF");
    row("import from standard input", {"import", "FILE", "-"}, 0, "1 contacts successfully imported.\n", "", 4, csv);
    row("export to standard output", {"export", "FILE", "--csv", "-o", "-"}, 0, "\r\nAnn,,Lee,,,York,", "");
    row("export to a path", {"export", "FILE", "--txt", "--output=DIR/club.txt"}, 0, "DIR/club.txt\n", "");

    const QString full = QStringLiteral(": cannot write standard output: Disk full (error 61)\n");
    row("full device", {"sheets"}, 1, "", "quillet-cli: sheets" + full, 3, none, Output::FullDevice);
    row("full device, list", {"list", "FILE"}, 1, "", "quillet-cli: list" + full, 3, none, Output::FullDevice);
    row("closed pipe", {"list", "FILE"}, bySigpipe, "", "", 3, none, Output::ClosedPipe);

    row("controls in show", {"show", "FILE", "3"}, 0, "FirstName: Ev\\x1B[2Jil\nMI: \nLastName: Back\\\\slash\n", "");
    row("Windows-1252 letters stay", {"show", "FILE", "1"}, 0, "\nNotes: €Š“Œ”\n", "");
    // City, state, zip, a home phone with a tab (its stored width), no cell phone (22 spaces), e-mail.
    row("a tab inside a list column", {"list", "FILE"}, 0,
        "\n3\tEv\\x1B[2Jil Back\\\\slash\tA\\x09B" + QString(13, u' ') + "\t  \t" + QString(10, u' ') +
            "\t555\\x091234" + QString(7, u' ') + '\t' + QString(22, u' ') + '\t' + QString(50, u' ') + '\n',
        "");
    row("controls in a transcript", {"labels", "FILE", "--grid"}, 0, " Ev\\x1B[2Jil Back\\\\slash\n", "");
    row("vCard version", {"import", "FILE", "-", "--dry-run"}, 0, "Read as vCard 3.0\\x1B[2J\\x1B]0;PWNED\\x07", "", 3,
        "BEGIN:VCARD\r\nVERSION:3.0\x1b[2J\x1b]0;PWNED\x07\r\nN:Lee;Ann;;;\r\nEND:VCARD\r\n");
    // U+009B, the one-character CSI, comes from decoding UTF-8; DEL as it stands.
    row("controls of a CSV header in an error", {"import", "FILE", "-"}, 1, "",
        "quillet-cli: import: the CSV file's header fits none of the import layouts, and no column gives a name or "
        "an e-mail address; the file's columns are: Ci\\x9Bty, Zi\\x7Fp.\n",
        3, "Ci\xc2\x9bty,Zi\x7fp\r\nA,B\r\n");

    row("delete, --if-name", {"delete", "FILE", "2", "--yes", "--if-name", "Bo Ng"}, 0,
        "Deleted record 2 of 3: Bo Ng\n", "", 2);
    row("delete, --if-name of another", {"delete", "FILE", "2", "-y", "--if-name=Ann Lee"}, 1, "",
        "quillet-cli: delete: record 2 is \"Bo Ng\", not the contact --if-name names; nothing was changed\n");
    row("edit, --if-name of another", {"edit", "FILE", "1", "--if-name", "Bo Ng", "--notes", "x"}, 1, "",
        "quillet-cli: edit: record 1 is \"Ann Lee\", not the contact --if-name names; nothing was changed\n");
    row("edit names the contact", {"edit", "FILE", "2", "--first", "Bob"}, 0, "Saved record 2: Bob Ng (was Bo Ng)\n",
        "");
}

void TestCliConventions::conventions()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(Output, output);
    QFETCH(int, exit);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(int, records);
    args.replaceInStrings(QStringLiteral("FILE"), m_file).replaceInStrings(QStringLiteral("DIR"), m_dir.path());
    out.replace(QStringLiteral("DIR"), m_dir.path());
    const QByteArray before = readBytes(m_file);

    ChildOptions options;
    options.input = input;
    options.output = output;
    options.unsetEnvironment = {QStringLiteral("XDG_RUNTIME_DIR")};
    const ChildResult run = runChild(cliPath(), args, options);
    QVERIFY(run.started && !run.timedOut);
    if (exit == bySigpipe)
        QCOMPARE(run.signal, SIGPIPE);
    else
        QCOMPARE(run.exitCode, exit);
    if (out.isEmpty())
        QCOMPARE(run.out, QString());
    else
        QVERIFY2(run.out.contains(out), qPrintable(run.out));
    if (err.isEmpty())
        QCOMPARE(run.err, QString());
    else
        QVERIFY2(run.err.startsWith(err), qPrintable(run.err));
    for (const QString& line : run.err.split(u'\n', Qt::SkipEmptyParts))
        QVERIFY2(line.startsWith(QStringLiteral("quillet-cli: ")), qPrintable(line));
    QCOMPARE(readBytes(m_file).size(), qsizetype(records) * recordSize);
    if (exit != 0)
        QCOMPARE(readBytes(m_file), before);
}

QTEST_GUILESS_MAIN(TestCliConventions)
#include "tst_cliconventions.moc"
