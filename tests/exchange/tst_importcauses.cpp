#include "core/contacts/ContactsFile.h"
#include "core/exchange/DuplicateIndex.h"
#include "core/exchange/ImportRun.h"
#include "core/exchange/ImportValues.h"

#include "ExchangeTestFiles.h"
#include "support/ChildRun.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace quillet;
using quillet::test::importFile;

// Each reading mended for a cause seen in files people import, with a file of that kind.
class TestImportCauses : public QObject, test::ImportFixture
{
    Q_OBJECT
private slots:
    void init() { QVERIFY(openNextFile()); }
    void cleanup() { m_file.close(); }

    // Files other projects publish (see data/import/real/README.md).
    void realFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("summary");
        QTest::newRow("Shift_JIS name, 8-bit")
            << "real/android_v21_japanese_1.vcf" << QStringList{"||?????|||||||0300000000||||||"}
            << QStringList{"1 name folded to \"?\"."};
        QTest::newRow("quoted-printable soft breaks")
            << "real/android_v21_complicated.vcf"
            << QStringList{"Forrest|H|Gump|42 Plantation St.||Baytown|LA|30314|United States of Am|404-555-1212|"
                           "0311111111|111-555-1212|forrestgump@walladalla.com|19800101||Now's the time for all "
                           "folk to come to the aid of their country."}
            << QStringList{"1 country shortened."};
        QTest::newRow("tel: URIs") << "real/ezvcard_rfc6350-example.vcf"
                                   << QStringList{"Simon||Perreault|2875 Laurier|Suite D2-630|Quebec|QC|G1V 2M2|"
                                                  "Canada||1-418-262-6501|418-656-9254|"
                                                  "simon.perreault@viagenie.ca|||"}
                                   << QStringList{"1 phone number shortened; 1 birthdate not usable left empty."};
        QTest::newRow("sip: is no phone") << "real/android_v40_sip.vcf" << QStringList{"???||??|||||||1||||||"}
                                          << QStringList{"1 name folded to \"?\"."};
        QTest::newRow("numbers one digit too long")
            << "real/ezvcard_rfc2426-example.vcf"
            << QStringList{"Frank||Dawson|6544 Battleford Drive||Raleigh|NC|27613-3502|U.S.A.|||919-676-9515|"
                           "Frank_Dawson@Lotus.com|||",
                           "Tim||Howes|501 E. Middlefield Rd.||Mountain View|CA|94043|U.S.A.|||415-937-3419|"
                           "howes@netscape.com|||"}
            << QStringList{"2 phone numbers shortened."};
        QTest::newRow("Gmail's address in the extended part")
            << "real/ezvcard_John_Doe_GMAIL.vcf"
            << QStringList{"John|R|Doe|Crescent moon drive|555-asd|Nice Area Albane|NY|12345|United States of Am|"
                           "905-666-1234|905-555-1234||john.doe@ibm.com|19800322||THIS SOFTWARE IS PROVIDED BY THE "
                           "COPYRIGHT HOLDERS AND CONTRIBUTORS \"AS IS\" AND"}
            << QStringList{"1 city shortened; 1 country shortened; 1 note shortened."};
    }
    void realFiles()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, summary);
        const Result<ImportSummary> imported = importContacts(importFile(file), m_file, "0");
        QVERIFY(imported.ok() && !imported->stoppedBy);
        QCOMPARE(test::storedContacts(m_file), stored);
        QCOMPARE(summaryLines(*imported), summary);
    }

    // Files written from the columns and encodings these programs use.
    void writtenFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("stored");
        const QByteArray names = "First Name,Last Name,E-mail Address\r\nAnn,Lee,ann@example.com\r\n";
        QTest::newRow("UTF-16 LE without a mark")
            << QByteArray(reinterpret_cast<const char*>(QString::fromUtf8(names).utf16()), names.size() * 2)
            << QStringList{"Ann||Lee||||||||||ann@example.com|||"};
        QByteArray bigEndian;
        for (const char c : names)
            bigEndian += QByteArray(1, '\0') + c;
        QTest::newRow("UTF-16 BE without a mark") << bigEndian << QStringList{"Ann||Lee||||||||||ann@example.com|||"};
        QTest::newRow("e-mail without a dot in its domain")
            << QByteArray("First Name,Last Name,E-mail Address,Phone\r\ncontact,one,contact1@invalid,5\r\n")
            << QStringList{"contact||one|||||||5|||contact1@invalid|||"};
        // The formatted column fills the street only where the street columns are empty.
        QTest::newRow("Google's formatted address")
            << QByteArray("Name,Address 1 - Formatted,Address 1 - Street,Address 1 - City,Address 1 - Region,"
                          "Address 1 - Postal Code\r\n"
                          "Ann Lee,\"1412 Maple Ave Apt 3B\nSpringfield, IL 62704\",1412 Maple Ave,Springfield,IL,"
                          "62704\r\n"
                          "Bo Ray,\"9 Elm St\nUnit 2\nSalem, OR 97301\nUSA\",,,,\r\n")
            << QStringList{"Ann||Lee|1412 Maple Ave||Springfield|IL|62704||||||||",
                           "Bo||Ray|9 Elm St|Unit 2|Salem|OR|97301|USA|||||||"};
        QTest::newRow("KAddressBook, home empty")
            << QByteArray("\"Formatted Name\",\"Family Name\",\"Given Name\",\"Home Address Street\",\"Home Address "
                          "City\",\"Home Address State\",\"Home Address Zip Code\",\"Business Address Street\","
                          "\"Business Address City\",\"Business Address State\",\"Business Address Zip Code\","
                          "\"Home Phone\",\"Business Phone\",\"Mobile Phone\",\"EMail (preferred)\"\r\n"
                          "\"Eva Novak\",\"Novak\",\"Eva\",\"\",\"\",\"\",\"\",\"1 Main St\",\"Albany\",\"NY\","
                          "\"12207\",\"\",\"518-555-0100\",\"518-555-0101\",\"eva@example.org\"\r\n")
            << QStringList{"Eva||Novak|1 Main St||Albany|NY|12207|||518-555-0101|518-555-0100|eva@example.org|||"};
        QTest::newRow("classic header, rows without e-mail")
            << QByteArray("First Name,Last Name,E-mail Address\r\nAl,Bo,al@example.com\r\nCy,Dee,\r\nEd,Fox,ed@x\r\n")
            << QStringList{"Al||Bo||||||||||al@example.com|||", "Cy||Dee|||||||||||||", "Ed||Fox||||||||||ed@x|||"};
        QTest::newRow("classic header, last name first")
            << QByteArray("Last Name,First Name,E-mail Address\r\nLee,Ann,ann@example.com\r\n")
            << QStringList{"Ann||Lee||||||||||ann@example.com|||"};
        QTest::newRow("Google's PO box and extended address")
            << QByteArray("Name,Address 1 - Street,Address 1 - Extended Address,Address 1 - PO Box,"
                          "Address 1 - City\r\nAnn Lee,,Apt 4,,Reno\r\nBo Ray,,,12,Elko\r\n")
            << QStringList{"Ann||Lee|Apt 4||Reno||||||||||", "Bo||Ray|PO Box 12||Elko||||||||||"};
        // Thunderbird's three birthday columns; a five-digit year has no place in the field.
        QTest::newRow("birthday in parts")
            << QByteArray("First Name,Last Name,Birth Year,Birth Month,Birth Day\r\nAnn,Lee,1951,3,4\r\n"
                          "Bo,Ray,19510,3,4\r\n")
            << QStringList{"Ann||Lee|||||||||||19510304||", "Bo||Ray|||||||||||||"};
        // Windows-1252: € Š and “ are letters of bytes 0x80-0x9F; ESC, NUL-less controls and tabs are not.
        QTest::newRow("control characters")
            << QByteArray("First,Last,Email,Notes\r\nAnn\x1b,L\x01"
                          "ee,ann@example.com,"
                          "\x80"
                          "5\tfor \x8a\x93tea\x94\r\n")
            << QStringList{QStringLiteral("Ann||Lee||||||||||ann@example.com|||€5 for Š“tea”")};
    }
    void writtenFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, stored);
        const Result<ImportSummary> imported = importContacts(csv(bytes), m_file, "0");
        QVERIFY(imported.ok() && !imported->stoppedBy);
        QCOMPARE(test::storedContacts(m_file), stored);
    }

    // A value's CHARSET, with or without quoted-printable.
    void charsets_data()
    {
        QTest::addColumn<QByteArray>("card");
        QTest::addColumn<QString>("stored");
        QTest::newRow("ISO-8859-2, quoted-printable")
            << QByteArray("N;CHARSET=ISO-8859-2;ENCODING=QUOTED-PRINTABLE:Wi=B6niewski;=A3ukasz")
            << "Lukasz||Wisniewski";
        QTest::newRow("ISO-8859-2, 8-bit") << QByteArray("N;CHARSET=ISO-8859-2:Nowak;Pawe\xb3") << "Pawel||Nowak";
        QTest::newRow("value ends in an escape")
            << QByteArray("N;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Garc=C3=ADa;Jos=C3=A9") << "José||García";
    }
    void charsets()
    {
        QFETCH(QByteArray, card);
        QFETCH(QString, stored);
        const QString path = csv("BEGIN:VCARD\r\nVERSION:2.1\r\n" + card + "\r\nEND:VCARD\r\n");
        QVERIFY(importContacts(path, m_file, "0").ok());
        QCOMPARE(test::storedContacts(m_file), QStringList{stored + "|||||||||||||"});
    }

    void fittedPhones_data()
    {
        QTest::addColumn<QString>("cleaned");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("fitted");
        QTest::newRow("fits") << "1-919-676-9515" << 15 << "1-919-676-9515";
        QTest::newRow("US country code dropped") << "1-919-676-9515" << 13 << "919-676-9515";
        QTest::newRow("then the punctuation") << "44-20-7946-0958" << 13 << "442079460958";
        QTest::newRow("digits alone too long") << "44-20-7946-09581234" << 13 << "";
    }
    void fittedPhones()
    {
        QFETCH(QString, cleaned);
        QFETCH(int, width);
        QFETCH(QString, fitted);
        QCOMPARE(importvalues::fittedPhone(cleaned, width), fitted);
    }

    // What the summary and a dry run's lines say the clean-up changed.
    void changesReported()
    {
        const QByteArray bytes = "First Name,Last Name,State,Work Phone,E-mail Address\r\n"
                                 "Ann,Lee,Bavaria,44-20-7946-0958,ann@example.com\r\n"
                                 "Bo,Ray,Calif,,no address\r\n,,,,\r\n";
        ImportOptions options;
        options.dryRun = true;
        QStringList lines;
        options.onContact = [&lines](QByteArrayView record, const ContactChanges& changes) {
            lines << dryRunLine(record, changes);
        };
        const Result<ImportSummary> summary = importContacts(csv(bytes), m_file, options);
        QVERIFY(summary.ok());
        QCOMPARE(lines, (QStringList{"Ann||Lee|||||||||442079460958|ann@example.com|||  [State left empty, "
                                     "Work Phone shortened]",
                                     "Bo||Ray|||||||||||||  [State left empty, Email Address left empty]"}));
        QCOMPARE(summaryLines(*summary),
                 (QStringList{"1 without a name skipped.", "2 states longer than 2 letters left empty; 1 phone "
                                                           "number shortened; 1 e-mail address not usable left "
                                                           "empty."}));
    }

    void binaryFileIsNoContactsFile()
    {
        const QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000000010000000108060000001f15c4"
                                                   "890000000d4944415478da6364f8ffbf1e000502027f3c5e5c4a0000000049454e"
                                                   "44ae426082");
        const Result<ImportSummary> summary = importContacts(csv(png), m_file, "0");
        QVERIFY(!summary.ok());
        QCOMPARE(errorBoxText(summary.error()), QStringLiteral("This file is not a contacts file: it is not text."));
    }

    // The lock is taken only after the source is read: meanwhile another program may
    // write, and the duplicate test sees what it wrote.
    void sourceReadBeforeTheLock()
    {
        const QString path = csv("First Name,Last Name,E-mail Address\r\nAnn,Lee,ann@example.com\r\n");
        ImportOptions options;
        bool otherWrote = false;
        options.onSourceRead = [&] {
            ContactsFile other;
            otherWrote = other.open(m_file.path()).ok() &&
                         other.append(test::contactFrom("Ann||Lee||||||||||ann@example.com")).ok();
        };
        const Result<ImportSummary> summary = importContacts(path, m_file, options);
        QVERIFY(summary.ok());
        QVERIFY(otherWrote);
        QCOMPARE(summary->imported, 0);
        QCOMPARE(skippedText(*summary), QStringLiteral("1 already on file skipped."));
    }

    // From the duplicate test to the commit no other program may write.
    void commitHoldsTheLock()
    {
        struct SecondWriter : DuplicateIndex
        {
            QString path;
            QString seen;
            Result<bool> test(const ComparedFields& working) override
            {
                ContactsFile other;
                const Status opened = other.open(path);
                if (!opened) {
                    seen = opened.error().description;
                } else {
                    const Result<int> appended = other.append(ContactRecord());
                    seen = appended ? QStringLiteral("written") : appended.error().description;
                }
                return DuplicateIndex::test(working);
            }
        } writer;
        writer.path = m_file.path();
        const QString path = csv("First Name,Last Name,E-mail Address\r\nAnn,Lee,ann@example.com\r\n");
        QVERIFY(importContacts(path, m_file, "0", &writer).ok());
        QCOMPARE(writer.seen, fileInUseText);
        QCOMPARE(m_file.count(), 1);
    }

    // Each reader's time grows with its input: a megabyte of the worst each can be
    // given reads in well under the bound (a quadratic reader takes about a minute).
    void hostileMegabyte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray softBreaks = "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nNOTE;ENCODING=QUOTED-PRINTABLE:";
        while (softBreaks.size() < (1 << 20))
            softBreaks += "a=\r\n";
        QTest::newRow("vCard, quoted-printable soft breaks") << softBreaks + "b\r\nEND:VCARD\r\n";
        QByteArray folds = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann\r\nNOTE:";
        while (folds.size() < (1 << 20))
            folds += "a=\r\n ";
        QTest::newRow("vCard, folded lines") << folds + "b\r\nEND:VCARD\r\n";
        QByteArray ldif = "dn: cn=Ann Lee\r\ncn: Ann Lee\r\ndescription: x";
        while (ldif.size() < (1 << 20))
            ldif += "\r\n a";
        QTest::newRow("LDIF, folded lines") << ldif + "\r\n\r\n";
        QByteArray quoted = "First Name,Last Name,Notes\r\nAnn,Lee,\"";
        while (quoted.size() < (1 << 20))
            quoted += "a\r\n";
        QTest::newRow("CSV, a quoted field of line breaks") << quoted + "\"\r\n";
        QByteArray classic = "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Home Phone,Cell Phone,"
                             "Work Phone,Email,Birthdate,Category,Notes\r\n";
        while (classic.size() < (1 << 20))
            classic += "A,,B,,,,,,,,,,a@example.com,,,\r\n";
        QTest::newRow("classic layout, many lines") << classic;
    }
    void hostileMegabyte()
    {
        QFETCH(QByteArray, bytes);
        const QString path = csv(bytes);
        QElapsedTimer timer;
        timer.start();
        const Result<ImportSummary> summary = importContacts(path, m_file, "0");
        QVERIFY(summary.ok() && !summary->stoppedBy);
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
        QVERIFY(m_file.count() >= 1);
    }

    // A failure in the source keeps the contacts before it, and the command line says how many.
    void countBeforeTheFailure()
    {
        QByteArray bytes = "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Home Phone,Cell Phone,"
                           "Work Phone,Email,Birthdate,Category,Notes\r\nAl,,Bo,,,,,,,,,,al@example.com,,,\r\n"
                           "Cy,,Di,,,,,,,,,,cy@example.com,,,\r\nEd,,Fox,,,,,,,,,,,,,";
        bytes += QByteArray(17 * 1024 * 1024, 'n') + "\r\n";
        const QString path = csv(bytes);
        QVERIFY(test::prepareChildEnvironment(m_dir.path()));
        const test::ChildResult run = test::runCli({"import", m_file.path(), path});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("Error number 7 -- Out of memory"), qPrintable(run.err));
        QVERIFY2(run.err.contains("2 contacts were imported before the failure."), qPrintable(run.err));
        QVERIFY(m_file.refresh().ok());
        QCOMPARE(m_file.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestImportCauses)
#include "tst_importcauses.moc"
