#include "core/contacts/ContactsFile.h"
#include "core/exchange/ExportWriter.h"
#include "core/exchange/ImportRun.h"
#include "core/exchange/ImportText.h"
#include "core/exchange/VCardReader.h"

#include "ExchangeTestFiles.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using quillet::test::importFile;

class TestImportReadings : public QObject, test::ImportFixture
{
    Q_OBJECT
private slots:
    void init() { QVERIFY(openNextFile()); }
    void cleanup() { m_file.close(); }

    // Files as each program writes them: quoted commas and line breaks, accents,
    // names outside Windows-1252, ZIPs that lost their zero, blank contacts.
    void sources_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reading");
        QTest::addColumn<QString>("skipped");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("Google") << "google.csv"
                                << "Columns matched by name: First Name → first, Middle Name → mi"
                                << ""
                                << QStringList{"An|V|Nguyen|12 Elm St|Apt 3|Springfield|MA|01103|United States|"
                                               "555-201-1122|555-201-3344||an@example.com|19510314|Friends;Family|"
                                               "Met at the fair brought pie likes tea",
                                               "Renée||Dupré|5 Rue Cler||Paris||75007|France|||33142000000|"
                                               "renee@example.fr|||"};
        QTest::newRow("Google, older") << "google_older.csv"
                                       << "Columns matched by name: Name → name"
                                       << ""
                                       << QStringList{"Zoë||Ärnholt|4 Oak Rd||Reno|NV|89501|||555-0199||"
                                                      "zoe@example.com|19800410|Music|Plays cello viola",
                                                      "Lukasz||Wisniewski|||||||||48220000000|lukasz@example.pl|||"};
        QTest::newRow("Google's Outlook CSV")
            << "google_outlook.csv"
            << "Columns matched by name"
            << ""
            << QStringList{"Ingrid||Søndergård|9 Birch Ln||Portland|OR|97201|USA|555-0142|||ingrid@example.dk|"
                           "19620309|My Contacts;Neighbours|Neighbour kind waters plants",
                           "Thao||Tran|20 Main St||Austin|TX|73301|USA||555-0177||thao@example.com||My Contacts|"};
        QTest::newRow("Outlook") << "outlook.csv"
                                 << "Columns matched by name"
                                 << "1 without a name skipped."
                                 << QStringList{"Malgorzata|E|Kowalska|77 Pine Rd Unit 2|Rear door|Cambridge|MA|"
                                                "02139|United States|617-555-0100|617-555-0101|6175550102|"
                                                "gosia@example.com|19751102|Family;Friends|Call after six not before",
                                                "||Acme Plumbing|||||||||555-0109|desk@acme.example.com|||"};
        QTest::newRow("Outlook on the web") << "outlook_web.csv"
                                            << "Columns matched by name"
                                            << ""
                                            << QStringList{"Çagla||Yilmaz|3 Hill St Apt 9||Denver|CO|80202|"
                                                           "United States|555-0150|555-0151||cagla@example.com|"
                                                           "19900721||Old friend from school"};
        QTest::newRow("Thunderbird CSV") << "thunderbird.csv"
                                         << "Columns matched by name"
                                         << ""
                                         << QStringList{"Søren||Kierkegård|8 Canal St Floor 2||Hartford|CT|06103|USA|"
                                                        "555-0161|555-0162|555-0160|soren@example.dk|19550505||"
                                                        "Reads a lot writes more"};
        QTest::newRow("spreadsheet") << "spreadsheet.csv"
                                     << "Columns matched by name: Name → name, Street → street"
                                     << ""
                                     << QStringList{"Dana|R|Whitfield|40 Harbor Rd Apt 1||Portland|ME|04101||"
                                                    "207-555-0170|||dana@example.com|||",
                                                    "Ólafur||Ragnarsson|Laugavegur 1||Reykjavík||101|||||"
                                                    "olafur@example.is|||",
                                                    "Hélène||Brûlé|3 Rue Nord||Montréal||4101|||||"
                                                    "helene@example.ca|||"};
        QTest::newRow("spreadsheet, UTF-16 tabs") << "spreadsheet_unicode.txt"
                                                  << "Columns matched by name"
                                                  << ""
                                                  << QStringList{"Günes||Aydin|||Newark|NJ|07102|||||"
                                                                 "gunes@example.com|||"};
        QTest::newRow("KAddressBook") << "kaddressbook.csv"
                                      << "Columns matched by name"
                                      << ""
                                      << QStringList{"Žofie||Nováková|Vinohradská 12 byt 4||Praha||12000|"
                                                     "Czech Republic|420222000000|420777000000||zofie@example.cz|"
                                                     "19880229|Friends;Hiking|Likes hiking and tea"};
        QTest::newRow("Thunderbird LDIF") << "thunderbird.ldif"
                                          << "Read as LDIF"
                                          << ""
                                          << QStringList{"Thu||Dang|14 Lake Ave|Unit 5|Trenton|NJ|08608|USA|555-0180|"
                                                         "555-0181|555-0182|thu@example.com|19701201||"
                                                         "Line one and line two"};
        QTest::newRow("Thunderbird vCard")
            << "thunderbird.vcf"
            << "Read as vCard 3.0"
            << ""
            << QStringList{"Emre|C|Öztürk|22 Quay St Rear|Flat 2|Albany|NY|12208|United States|555-0191|555-0190||"
                           "emre@example.com|19620830|Friends;Chess|Birthday party bring cake and candles; a long "
                           "note that is folded over two lines"};
        QTest::newRow("Apple") << "apple.vcf"
                               << "Read as vCard 3.0"
                               << ""
                               << QStringList{"Gabriel|J|García Márquez|Calle 5 #3|Piso 2|Aracataca|||Colombia|"
                                              "5550102021|555-010-2020||gabo@example.co|19270306||",
                                              "||Café Ñandú|||||||||555-0203||||"};
        QTest::newRow("Evolution") << "evolution.vcf"
                                   << "Read as vCard 3.0"
                                   << "1 without a name skipped."
                                   << QStringList{"Émile||Brontë|3 Moor Lane||Haworth||BD22 8DR|United Kingdom|"
                                                  "555-0210|||emile@example.org||Writers|"};
        QTest::newRow("Proton") << "proton.vcf"
                                << "Read as vCard 4.0"
                                << ""
                                << QStringList{"Bao Châu||Ngô|9 River Rd||Chicago|IL|60601|USA||1555-020-3030||"
                                               "chau@example.com|||"};
        QTest::newRow("vCard 2.1") << "vcard21.vcf"
                                   << "Read as vCard 2.1"
                                   << ""
                                   << QStringList{"María||Chávez|||||||555-0220|555-0221||maria@example.mx|||"
                                                  "First line second line with a comma and a long tail"};
    }
    void sources()
    {
        QFETCH(QString, file);
        QFETCH(QString, reading);
        QFETCH(QString, skipped);
        QFETCH(QStringList, stored);
        const Result<ImportSummary> summary = importContacts(importFile(file), m_file, "0");
        QVERIFY(summary.ok());
        QVERIFY2(readingText(*summary).startsWith(reading), qPrintable(readingText(*summary)));
        QCOMPARE(skippedText(*summary), skipped);
        QCOMPARE(test::storedContacts(m_file), stored);
    }

    // The four conditions under which a classic layout keeps a CSV file, each just kept and just lost.
    void routing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("layout"); // 0: matched by name
        const QByteArray own = "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Home Phone,"
                               "Cell Phone,Work Phone,Email,Birthdate,Category,Notes\r\n";
        QTest::newRow("header test holds") << QByteArray("First Name,Last Name,Email,Phone\r\nA,B,a@x.com,5\r\n") << 5;
        QTest::newRow("no e-mail column") << QByteArray("First Name,Last Name,Phone\r\nA,B,5\r\n") << 0;
        QTest::newRow("every line whole") << own + "A,,B,,,,,,,,,,,,,\r\n" << 4;
        QTest::newRow("a short line") << own + "C,,D\r\n" << 0;
        QTest::newRow("quoted, no comma") << own + "\"A\",,B,,,,,,,,,,,,,\r\n" << 4;
        QTest::newRow("quoted comma") << own + "\"A, Jr\",,B,,,,,,,,,,,,,\r\n" << 0;
        QTest::newRow("quoted line break") << own + "A,,B,,,,,,,,,,,,,\"x\ny\"\r\n" << 0;
        QTest::newRow("as many fields") << QByteArray("First Name,Last Name,Email,Home City\r\nA,B,a@x.com,Reno\r\n")
                                        << 5;
        QTest::newRow("fewer fields") << QByteArray("First Name,Home City,Email,Phone\r\nA,Reno,a@x.com,5\r\n") << 0;
    }
    void routing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, layout);
        const Result<ImportSummary> summary = importContacts(csv(bytes), m_file, "1");
        QVERIFY(summary.ok());
        QCOMPARE(int(summary->reading), int(layout ? ImportReading::Classic : ImportReading::NameMatched));
        QCOMPARE(layoutNumber(summary->layout), layout);
        QCOMPARE(summary->imported, 1);
    }

    void columnChoicesAndDryRun()
    {
        const QString path = csv("Surname,Phone,Town\r\nLee,555-0100,Reno\r\n");
        const Result<ImportSummary> summary = importContacts(path, m_file, "1");
        QVERIFY(summary.ok());
        QCOMPARE(int(summary->outcome), int(ImportSummary::Outcome::NoLayout));
        QCOMPARE(summary->headers, (QStringList{"Surname", "Phone", "Town"}));
        ImportOptions options;
        options.columnChoices = {{"surname", ImportField::Last}, {"Town", ImportField::City}};
        options.dryRun = true;
        QStringList seen;
        options.onContact = [&seen](QByteArrayView record, const ContactChanges&) {
            seen << ContactRecord::fromBytes(record).trimmed(Field::LastName);
        };
        QVERIFY(importContacts(path, m_file, options).ok());
        QCOMPARE(seen, QStringList{"Lee"});
        QCOMPARE(m_file.count(), 0);
        options.dryRun = false;
        QVERIFY(importContacts(path, m_file, options).ok());
        QCOMPARE(test::storedContacts(m_file), QStringList{"||Lee|||Reno||||555-0100||||||"});
    }

    // The exported text, line by line: escapes, categories, folding at 75 octets.
    void vcardExportLines_data()
    {
        QTest::addColumn<QString>("contact");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("street with ;") << "Ann||Lee|12 Oak St; Rear|Apt 4|Reno|NV|89501|USA"
                                       << QByteArray("ADR;TYPE=home:;Apt 4;12 Oak St\\; Rear;Reno;NV;89501;USA\r\n");
        QTest::newRow("two categories") << "Ann||Lee||||||||||||Friends;Chess"
                                        << QByteArray("CATEGORIES:Friends,Chess\r\n");
        QTest::newRow("escapes") << "Ann||Lee|||||||||||||a,b;c\\d" << QByteArray("NOTE:a\\,b\\;c\\\\d\r\n");
        QTest::newRow("folded at 75 octets") << "Ann||Lee|||||||||||||" + QString(80, u'x')
                                             << "NOTE:" + QByteArray(70, 'x') + "\r\n " + QByteArray(10, 'x') + "\r\n";
        // "é" is two octets: the fold goes before it rather than through it.
        QTest::newRow("not inside a sequence")
            << "Ann||Lee|||||||||||||" + QString(69, u'x') + QStringLiteral("éé")
            << "NOTE:" + QByteArray(69, 'x') + "\r\n " + QString("éé").toUtf8() + "\r\n";
    }
    void vcardExportLines()
    {
        QFETCH(QString, contact);
        QFETCH(QByteArray, line);
        test::appendContacts(m_file, {contact});
        const Result<ExportSummary> exported = exportContacts(m_file, ExportKind::VCard, m_dir.path());
        QVERIFY(exported.ok());
        QFile file(exported->path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(text.contains("\r\n" + line), text.constData());
    }

    void vcardRoundTrip()
    {
        test::appendContacts(m_file, {"Ann|B|Lee|12 Oak St|Apt 4|Reno|NV|89501|USA|555-0100|555-0101|555-0102|"
                                      "ann@example.com|19800410|Friends;Chess|Likes tea; and cake",
                                      "Renée||Dupré||||||France|||||||" + QString(80, u'n'),
                                      "||Acme Plumbing||||||||||desk@example.com|||"});
        const Result<ExportSummary> exported = exportContacts(m_file, ExportKind::VCard, m_dir.path());
        QVERIFY(exported.ok());
        QCOMPARE(exported->written, 3);
        ContactsFile target;
        QVERIFY(target.open(m_dir.filePath("target.DAT"), Creation::CreateIfMissing).ok());
        const Result<ImportSummary> imported = importContacts(exported->path, target, "1");
        QVERIFY(imported.ok());
        QCOMPARE(readingText(*imported), QStringLiteral("Read as vCard 3.0"));
        QCOMPARE(test::storedContacts(target), test::storedContacts(m_file));
    }
};

QTEST_GUILESS_MAIN(TestImportReadings)
#include "tst_importreadings.moc"
