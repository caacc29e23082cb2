#include "core/contacts/ContactsFile.h"
#include "core/exchange/DuplicateIndex.h"
#include "core/exchange/ImportRun.h"

#include "ExchangeTestFiles.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using quillet::test::importFile;

namespace {
const QByteArray quilletHeader = "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Home Phone,"
                                 "Cell Phone,Work Phone,Email,Birthdate,Category,Notes\r\n";
} // namespace

class TestImportRun : public QObject, test::ImportFixture
{
    Q_OBJECT
private slots:
    void init() { QVERIFY(openNextFile()); }
    void cleanup() { m_file.close(); }

    // Each file holds rows that exercise its layout's column table, cleaning and skip rules.
    void layoutFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("layout");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("web portal")
            << "webportal.csv" << 1
            << QStringList{"Alice|M|Archer|12 Oak "
                           "Street||Springfield|CA|92101-1234|USA|555-1234|555-3000|555-2000|alice@example.com|"
                           "19900102|Friends|",
                           "Brian||Baker|||||||555-9876||555-9876|brian@example.com|19900112|Work|",
                           "Carla||Cruz|77 Pine Road||Portland||97201|USA||555 1212||carla@example.com|19901201||",
                           "Dan||Dunn|||Salem|OR|97301||555-4444|||dan@example.com|19901225||",
                           "Erin||Eaton||||||||||erin@example.com|||",
                           "Fay||Ford||||||||||fay@example.com|||"};
        // Without the emptying of the working contact Hank would get Gina's work phone as home phone.
        QTest::newRow("no value carried to the next contact")
            << "webportal_no_home_column.csv" << 1
            << QStringList{"Gina||Gale|||||||555-1111||555-1111|gina@example.com|||",
                           "Hank||Hill|||||||555-2222||555-2222|hank@example.com|||",
                           "Ivy||Ives||||||||||ivy@example.com|||"};
        QTest::newRow("mail program")
            << "mailprogram.csv" << 2
            << QStringList{"Karl|O|Kent|||||||555 123-4567|1 555 123 4567||karl@example.net|19750405||",
                           "\"Lena\"||Lund||||||||555-0102||lena@example.org|||",
                           "Olga|B|Ortiz|||||||555-0104|||olga@example.edu|19681130||"};
        QTest::newRow("mail list") << "maillist.csv" << 3
                                   << QStringList{"Paul||Price||||||||||paul@example.com|||",
                                                  "Quinn||Quade||||||||||quinn@example.com|||",
                                                  "Tara||Tate||||||||||tara@example.gov|||"};
        QTest::newRow("mail list, e-mail last")
            << "maillist_last_column.csv" << 3
            << QStringList{"Uma|U|Ulm||||||||||uma@example.org|||", "Vic||Vance||||||||||homepage vic.net|||"};
        // A comma inside a value shifts Yolanda's later columns; her long first name is cut.
        QTest::newRow("own export")
            << "quillet.csv" << 4
            << QStringList{"Wendy|J|Walsh|5 Main St|Apt "
                           "2|Denver|CO|80201|USA|555-0301|555-0302|555-0303|wendy@example.com|19800410|"
                           "Family|Likes tea",
                           "Xavier||Xu||||||||555|ext|xavier@example.com|19800401||",
                           "Yolanda Max|K|Young|1 Main St|Suite 9||||||||||01-02-2101|Work",
                           "Zack||Zorn|||||89501-1234|||||zack@example.com|||"};
        QTest::newRow("UTF-8 with mark") << "quillet_utf8_bom.csv" << 4
                                         << QStringList{
                                                QString::fromUtf8("José||Núñez||||||||||jose@example.com|||Café €5"),
                                                QString::fromUtf8("Zoë||Kim||||||||||zoe@example.com|||??")};
        QTest::newRow("Windows-1252") << "quillet_cp1252.csv" << 4
                                      << QStringList{
                                             QString::fromUtf8("Renée||Dupré||||||||||renee@example.com|||Price €5")};
        QTest::newRow("line feeds only") << "quillet_lf.csv" << 4
                                         << QStringList{"Lou||Lee||||||||||lou@example.com|||",
                                                        "Max||Moss||||||||||max@example.com|||"};
        QTest::newRow("names and e-mail")
            << "namelist.csv" << 5
            << QStringList{"Abe||Ames||||||||||abe@example.com|||", "Bea||Bell||||||||||bea@example.com|||",
                           "Cy||Cole||||||||||cy@example.org|||"};
    }
    void layoutFiles()
    {
        QFETCH(QString, file);
        QFETCH(int, layout);
        QFETCH(QStringList, stored);
        const Result<ImportSummary> summary = importContacts(importFile(file), m_file, "0");
        QVERIFY(summary.ok() && !summary->stoppedBy);
        QCOMPARE(int(summary->outcome), int(ImportSummary::Outcome::Imported));
        QCOMPARE(layoutNumber(summary->layout), layout);
        QCOMPARE(summary->imported, stored.size());
        QCOMPARE(test::storedContacts(m_file), stored);
        QCOMPARE(m_file.read(1)->value(Field::ReminderFlag), QStringLiteral("0"));
    }

    void duplicatesAgainstRecordsOnFile()
    {
        test::appendContacts(
            m_file, {"Jonathan||Smithers", "Kim||Lee||||||||||kim@example.com", "Maximilian||Featherstonehaug"});
        const QByteArray lines = "Jon,,Smith,,,,,,,,,,,,,\r\n"                     // names contained
                                 "Maximilian,,Featherstonehaughs,,,,,,,,,,,,,\r\n" // as stored: cut to 16
                                 "John,,Smith,,,,,,,,,,,,,\r\n"                    // "John" not in "Jonathan"
                                 "Kimberly,,Stone,,,,,,,,,,kim@example.com,,,\r\n" // same e-mail
                                 "Pat,,Poe,,,,,,,,,,,,,\r\n"                       // both without e-mail
                                 ",,,,,,,,,,,,,,,\r\n"                             // blank: left out
                                 "Ray,,Ray,,,,,,,,,,r@x.com,,,\r\n"
                                 "Ray,,Ray,,,,,,,,,,r@x.com,,,\r\n"; // appended in this run: not compared
        const Result<ImportSummary> summary = importContacts(csv(quilletHeader + lines), m_file, "1");
        QVERIFY(summary.ok());
        const QStringList stored = test::storedContacts(m_file);
        QCOMPARE(summary->imported, 4);
        QCOMPARE(skippedText(*summary), QStringLiteral("3 already on file, 1 without a name skipped."));
        QCOMPARE(stored.size(), 7);
        QCOMPARE(stored.mid(3), (QStringList{"John||Smith|||||||||||||", "Pat||Poe|||||||||||||",
                                             "Ray||Ray||||||||||r@x.com|||", "Ray||Ray||||||||||r@x.com|||"}));
    }

    void outcomes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("error"); // 0: none; a failure before the run leaves no summary
        QTest::addColumn<int>("imported");
        QTest::newRow("no layout") << QByteArray("Surname,Phone\r\nLee,555\r\n") << 1 << 0 << 0;
        // Matched by name instead of "not compatible" or a stop at a short line.
        QTest::newRow("names without e-mail column") << QByteArray("Name,Phone\r\nLee,555\r\n") << 0 << 0 << 1;
        QTest::newRow("header only") << quilletHeader << 0 << 0 << 0;
        QTest::newRow("empty file") << QByteArray() << -1 << 62 << 0;
        QTest::newRow("only empty lines") << QByteArray("\r\n\r\n") << -1 << 62 << 0;
        QTest::newRow("short line: matched by name")
            << quilletHeader + "A,,B,,,,,,,,,,,,,\r\nshort,line\r\nC,,D,,,,,,,,,,,,,\r\n"
            << 0 << 0 << 3;
        QTest::newRow("mail list without First Name")
            << QByteArray("Name,E-mail Address\r\nx,y@z.com\r\n") << -1 << 5 << 0;
        QTest::newRow("e-mail-only line in a names list")
            << QByteArray("First Name,Last Name,Email,Phone\r\nAl,Bo,a@b.com\r\nc@d.com\r\n") << 0 << 0 << 2;
    }
    void outcomes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, outcome);
        QFETCH(int, error);
        QFETCH(int, imported);
        const Result<ImportSummary> summary = importContacts(csv(bytes), m_file, "1");
        const std::optional<AppError> failure = summary ? summary->stoppedBy : summary.error();
        QCOMPARE(failure ? failure->number : 0, error);
        if (summary && !failure)
            QCOMPARE(int(summary->outcome), outcome);
        QCOMPARE(summary ? summary->imported : 0, imported);
        // What was appended before a failure stays, as whole records.
        QCOMPARE(m_file.count(), imported);
        QCOMPARE(QFileInfo(m_file.path()).size(), qint64(imported) * recordSize);
    }

    // A full disk ends the run with the contacts file as it was: the new records
    // are written after a copy of it, which only a complete run puts in place.
    void fullDiskLeavesFileAsItWas()
    {
        QByteArray lines = quilletHeader;
        for (int i = 0; i < 5; ++i)
            lines += QStringLiteral("N%1,,L%1,,,,,,,,,,n%1@x.com,,,\r\n").arg(i).toLatin1();
        const QString path = csv(lines);
        const QString contacts = m_file.path();
        m_file.close();
        const int exitStatus = test::runWithFileSizeLimit(3 * recordSize + 100, [&] {
            ContactsFile file;
            if (!file.open(contacts, quillet::Creation::CreateIfMissing).ok())
                return 3;
            const Result<ImportSummary> summary = importContacts(path, file, "1");
            const std::optional<AppError> failure = summary ? summary->stoppedBy : summary.error();
            return failure && failure->number == 61 && (!summary || summary->imported == 0) ? 0 : 1;
        });
        QCOMPARE(exitStatus, 0);
        QCOMPARE(QFileInfo(contacts).size(), qint64(0));
        // ... and no temporary file beside it.
        QCOMPARE(QDir(m_dir.path()).entryList({QFileInfo(contacts).fileName() + "*"}, QDir::Files | QDir::Hidden),
                 QStringList{QFileInfo(contacts).fileName()});
        QVERIFY(m_file.open(contacts, quillet::Creation::CreateIfMissing).ok());
    }

    // The file is replaced while the run reads its CSV file, so the commit that would
    // put the new records in place fails: nothing may be reported as imported.
    void failedCommitImportsNothing()
    {
        struct ReplacingTest : DuplicateIndex
        {
            QString path;
            Result<bool> test(const ComparedFields& working) override
            {
                const QString other = path + QStringLiteral(".other");
                test::writeFile(other, "replacement");
                QFile::remove(path);
                QFile::rename(other, path);
                return DuplicateIndex::test(working);
            }
        } replacing;
        replacing.path = m_file.path();
        const Result<ImportSummary> summary =
            importContacts(csv(quilletHeader + "A,,B,,,,,,,,,,a@x.org,,,\r\n"), m_file, "1", &replacing);
        QVERIFY(!summary.ok());
        QFile replaced(replacing.path);
        QVERIFY(replaced.open(QIODevice::ReadOnly));
        QCOMPARE(replaced.readAll(), QByteArray("replacement"));
    }

    void missingCsvFile() { QCOMPARE(importContacts(m_dir.filePath("none.csv"), m_file, "1").error().number, 53); }

    // Hostile input must neither crash nor take long.
    void hostileInput_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("imported");
        QByteArray commas = quilletHeader + "Al,,Bo" + QByteArray(1000000, ',') + "\r\n";
        QTest::newRow("a million commas") << commas << 1;
        QTest::newRow("10 MB line") << quilletHeader + QByteArray(10 * 1024 * 1024, 'q') + ",,,,,,,,,,,,,,,\r\n" << 1;
        QByteArray junk(1 << 20, '\0');
        QRandomGenerator random(7);
        for (char& c : junk)
            c = char(random.bounded(256));
        QTest::newRow("binary junk after a header") << quilletHeader + junk << -1;
    }
    void hostileInput()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, imported);
        QElapsedTimer timer;
        timer.start();
        const Result<ImportSummary> summary = importContacts(csv(bytes), m_file, "1");
        QVERIFY2(timer.elapsed() < 20000, "import took too long");
        if (imported >= 0) {
            QVERIFY(summary.ok() && !summary->stoppedBy);
            QCOMPARE(summary->imported, imported);
        }
        QCOMPARE(QFileInfo(m_file.path()).size(), qint64(m_file.count()) * recordSize);
    }

    // The in-memory index gives the same records as the plain rereading.
    void indexAndRereadingImportAlike()
    {
        test::appendContacts(m_file, {"Jonathan||Smithers", "Kim||Lee||||||||||kim@example.com", "Ann||"});
        const QByteArray lines = "Jon,,Smith,,,,,,,,,,,,,\r\nAnn,,Lee,,,,,,,,,,,,,\r\nKimberly,,Stone,,,,,,,,,,"
                                 "kim@example.com,,,\r\nAnn,,,,,,,,,,,,,,,\r\nJo,,,,,,,,,,,,,,,\r\n";
        const QString path = csv(quilletHeader + lines);
        ContactsFile other;
        QVERIFY(other.open(m_dir.filePath("reread.DAT"), quillet::Creation::CreateIfMissing).ok());
        test::appendContacts(other, test::storedContacts(m_file));
        RereadDuplicateTest reread;
        const Result<ImportSummary> byIndex = importContacts(path, m_file, "1");
        const Result<ImportSummary> byReading = importContacts(path, other, "1", &reread);
        QVERIFY(byIndex.ok() && byReading.ok());
        QCOMPARE(byIndex->imported, byReading->imported);
        QCOMPARE(test::storedContacts(m_file), test::storedContacts(other));
        QCOMPARE(byIndex->imported, 2);
    }
};

QTEST_GUILESS_MAIN(TestImportRun)
#include "tst_importrun.moc"
