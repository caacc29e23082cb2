#include "core/common/Cp1252.h"
#include "core/contacts/ContactsFile.h"
#include "core/exchange/ExportWriter.h"
#include "core/exchange/ImportRun.h"

#include "ExchangeTestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;

namespace {
QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
} // namespace

class TestExport : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void namePart_data()
    {
        QTest::addColumn<QString>("contactsPath");
        QTest::addColumn<QString>("csvName");
        QTest::newRow("DAT removed") << "/home/u/Quillet/Club.DAT"
                                     << "QLTC_Club.csv";
        QTest::newRow("other case kept") << "/home/u/Quillet/Club.Dat"
                                         << "QLTC_Club.Dat.csv";
        QTest::newRow("both removed") << "/home/u/Quillet/my.dat.DAT"
                                      << "QLTC_my.csv";
        QTest::newRow("file kept elsewhere") << "/srv/shared/sub/Friends.DAT"
                                             << "QLTC_Friends.csv";
    }
    void namePart()
    {
        QFETCH(QString, contactsPath);
        QFETCH(QString, csvName);
        QCOMPARE(exportFileName(ExportKind::Csv, exportNamePart(contactsPath)), csvName);
    }

    void birthdate_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("stored form") << QByteArray("19800410") << QByteArray("04-10-1980");
        QTest::newRow("blank") << QByteArray("        ") << QByteArray();
        QTest::newRow("damaged, trimmed") << QByteArray("1980    ") << QByteArray("-  -1980");
        QTest::newRow("short") << QByteArray("19800") << QByteArray("0--1980");
    }
    void birthdate()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, written);
        QCOMPARE(exportBirthdate(stored), written);
    }

    void writesBothKinds()
    {
        ContactsFile file;
        QVERIFY(file.open(m_dir.filePath("Club.DAT"), quillet::Creation::CreateIfMissing).ok());
        test::appendContacts(file, {QString::fromUtf8("  Renée |Q|Dupré|1 Rue, Haute||Paris||75001|FRANCE|||||"
                                                      "19800410|A|x"),
                                    "Bob||Dee"});
        const Result<ExportSummary> csv = exportContacts(file, ExportKind::Csv, m_dir.path());
        QVERIFY(csv.ok());
        QCOMPARE(csv->written, 2);
        QCOMPARE(csv->path, m_dir.filePath("QLTC_Club.csv"));
        QCOMPARE(readBytes(csv->path),
                 "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Home Phone,Cell Phone,Work Phone,"
                 "Email,Birthdate,Category,Notes\r\n" +
                     cp1252::encode(QString::fromUtf8("Renée,Q,Dupré,1 Rue, Haute,,Paris,,75001,FRANCE,,,,,"
                                                      "04-10-1980,A,x\r\n")) +
                     "Bob,,Dee,,,,,,,,,,,,,\r\n");
        const Result<ExportSummary> text = exportContacts(file, ExportKind::Text, m_dir.path());
        QVERIFY(text.ok());
        QCOMPARE(text->fileName, QStringLiteral("QLTT_Club.txt"));
        QCOMPARE(readBytes(text->path).split('\n').at(2), QByteArray("Bob||Dee|||||||||||||\r"));
        QVERIFY(readBytes(text->path).startsWith("First Name|MI|Last Name|Street1|"));
    }

    void emptyFileAndReplacing()
    {
        ContactsFile file;
        QVERIFY(file.open(m_dir.filePath("Empty.DAT"), quillet::Creation::CreateIfMissing).ok());
        Result<ExportSummary> summary = exportContacts(file, ExportKind::Csv, m_dir.path());
        QVERIFY(summary.ok());
        QCOMPARE(summary->written, 0);
        QCOMPARE(readBytes(summary->path).count('\n'), 1);
        test::appendContacts(file, {"Al||Bo"});
        summary = exportContacts(file, ExportKind::Csv, m_dir.path());
        QVERIFY(summary.ok());
        QCOMPARE(readBytes(summary->path).count('\n'), 2);
        QCOMPARE(QDir(m_dir.path()).entryList({"QLTC_Empty*"}), QStringList{"QLTC_Empty.csv"});
    }

    void failureWritesNothing()
    {
        ContactsFile file;
        QVERIFY(file.open(m_dir.filePath("Lost.DAT"), quillet::Creation::CreateIfMissing).ok());
        test::appendContacts(file, {"Al||Bo"});
        // A folder that cannot be made: a file stands where its parent would.
        QFile blocker(m_dir.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!exportContacts(file, ExportKind::Csv, m_dir.filePath("blocker/folder")).ok());
        QVERIFY(!QFileInfo::exists(m_dir.filePath("blocker/folder")));
        // A missing program folder is made by the first export into it.
        QVERIFY(exportContacts(file, ExportKind::Csv, m_dir.filePath("new/folder")).ok());
        QVERIFY(QFileInfo::exists(m_dir.filePath("new/folder/QLTC_Lost.csv")));
        ContactsFile closed;
        QCOMPARE(exportContacts(closed, ExportKind::Csv, m_dir.path()).error().number, 52);
    }

    // A write that fails halfway leaves the earlier export as it was, and no other file.
    void failedWriteKeepsEarlierExport()
    {
        QTemporaryDir dir;
        const QString earlier = test::writeFile(dir.filePath("QLTC_Many.csv"), "earlier export\r\n");
        ContactsFile file;
        QVERIFY(file.open(dir.filePath("Many.DAT"), quillet::Creation::CreateIfMissing).ok());
        for (int i = 0; i < 40; ++i)
            test::appendContacts(file, {QStringLiteral("Name%1||Last|Street||City|ST|12345").arg(i)});
        file.close();
        const int exitStatus = test::runWithFileSizeLimit(1000, [&] {
            ContactsFile child;
            if (!child.open(dir.filePath("Many.DAT"), quillet::Creation::CreateIfMissing).ok())
                return 3;
            const Result<ExportSummary> summary = exportContacts(child, ExportKind::Csv, dir.path());
            return summary.ok() ? 1 : summary.error().number == 61 ? 0 : 2;
        });
        QCOMPARE(exitStatus, 0);
        QCOMPARE(readBytes(earlier), QByteArray("earlier export\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"Many.DAT", "QLTC_Many.csv"}));
    }

    // Export, then import into an empty file: every field comes back.
    void roundTrip()
    {
        ContactsFile source;
        QVERIFY(source.open(m_dir.filePath("Source.DAT"), quillet::Creation::CreateIfMissing).ok());
        const QStringList contacts{
            "Wendy|J|Walsh|5 Main St|Apt 2|Denver|CO|80201|USA|555-0301|555-0302|555-0303|wendy@example.com|"
            "19800410|Family|Likes tea",
            QString::fromUtf8("José||Núñez||||||MÉXICO|||ext|jose@example.com||Café €5|"),
            "Ann|B|Cole|1 Main St||Reno|NV|89501-1234||||||20011231||"};
        test::appendContacts(source, contacts);
        const Result<ExportSummary> summary = exportContacts(source, ExportKind::Csv, m_dir.path());
        QVERIFY(summary.ok());
        ContactsFile target;
        QVERIFY(target.open(m_dir.filePath("Target.DAT"), quillet::Creation::CreateIfMissing).ok());
        const Result<ImportSummary> imported = importContacts(summary->path, target, "1");
        QVERIFY(imported.ok());
        QCOMPARE(layoutNumber(imported->layout), 4);
        QCOMPARE(test::storedContacts(target), contacts);
    }
};

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
