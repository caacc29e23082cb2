#include "core/contacts/ContactsFile.h"
#include "core/exchange/CleaningRules.h"
#include "core/exchange/ColumnTables.h"
#include "core/exchange/DuplicateIndex.h"
#include "core/exchange/ImportLayout.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;

namespace {
QStringList toStrings(const Columns& columns)
{
    QStringList list;
    for (const QStringView column : columns)
        list << column.toString();
    return list;
}

const QString quilletHeader = QStringLiteral("First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,"
                                             "Home Phone,Cell Phone,Work Phone,Email,Birthdate,Category,Notes");
} // namespace

class TestImportRules : public QObject
{
    Q_OBJECT
private slots:
    void detectLayout_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<int>("layout");
        QTest::newRow("web portal") << "\"First\",\"Last\",\"Yahoo! Phone\"" << 1;
        QTest::newRow("web portal tested first") << "Name,E-mail Address,Yahoo! Phone" << 1;
        QTest::newRow("mail program") << "First Name,Primary Phone,Web Page" << 2;
        QTest::newRow("primary phone alone falls through") << "Primary Phone,Name,E-mail Address" << 3;
        QTest::newRow("mail list") << "First Name,Last Name,Name,E-mail Address" << 3;
        QTest::newRow("own export") << quilletHeader << 4;
        QTest::newRow("names and e-mail") << "First Name,Last Name,Email" << 5;
        QTest::newRow("mail program columns excluded") << "Name,Suffix,Initials,Web Page,Email" << 0;
        QTest::newRow("distribution lists excluded") << "Name,Email,Distribution Lists" << 0;
        QTest::newRow("export tail without its head") << "First Name,Birthdate,Category,Notes" << 0;
        QTest::newRow("case matters") << "first name,last name,email" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void detectLayout()
    {
        QFETCH(QString, header);
        QFETCH(int, layout);
        QCOMPARE(layoutNumber(quillet::detectLayout(header)), layout);
    }

    void splitColumns_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("columns");
        QTest::newRow("empty text, no columns") << "" << QStringList{};
        QTest::newRow("no comma") << "a" << QStringList{"a"};
        QTest::newRow("empty columns kept") << "a,,b," << QStringList{"a", "", "b", ""};
        QTest::newRow("quotes ignored") << "\"Smith, Jr.\",x" << QStringList{"\"Smith", " Jr.\"", "x"};
    }
    void splitColumns()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, columns);
        QCOMPARE(toStrings(quillet::splitColumns(text)), columns);
    }

    void textSteps_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected"); // "<skip>" when the line is dropped
        const QString twentyFive = QStringLiteral("c,").repeated(25);
        QTest::newRow("column cut at the 21st comma") << "cut" << twentyFive << QStringLiteral("c,").repeated(20) + "c";
        QTest::newRow("20 commas kept whole")
            << "cut" << QStringLiteral("c,").repeated(20) << QStringLiteral("c,").repeated(20);
        QTest::newRow("address end after .com") << "domain"
                                                << "a,b,x@y.com,555"
                                                << "a,b,x@y.com";
        QTest::newRow("country domain cut") << "domain"
                                            << "a,b,x@y.com.au"
                                            << "a,b,x@y.com";
        QTest::newRow(".net tested after .com") << "domain"
                                                << "a,x@y.com,see z.net,q"
                                                << "a,x@y.com,see z.net";
        QTest::newRow(".net anywhere overrides") << "domain"
                                                 << "Net.net,x@y.com"
                                                 << "Net.net";
        QTest::newRow(".mil last of all") << "domain"
                                          << "x@y.mil,x@y.org"
                                          << "x@y.mil";
        QTest::newRow("capitals are no domain") << "domain"
                                                << "a,b,x@Y.COM"
                                                << "<skip>";
        QTest::newRow("line feeds repaired") << "repair"
                                             << "a\nb\n"
                                             << "a\r\nb\r\n";
        QTest::newRow("left alone beside CR LF") << "repair"
                                                 << "a\r\nb\nc"
                                                 << "a\r\nb\nc";
    }
    void textSteps()
    {
        QFETCH(QString, step);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QString result = input;
        if (step == "cut")
            result = columnCut(input);
        else if (step == "repair")
            result = lineFeedRepair(input);
        else if (!addressEndCut(result))
            result = QStringLiteral("<skip>");
        QCOMPARE(result, expected);
    }

    void prepareHeader_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("prepared"); // "<incompatible>" or "<error N>"
        QTest::newRow("list cut after e-mail")
            << 3 << "First Name,Last Name,Name,E-mail Address,Home Street,Home City,Home Postal Code"
            << "First Name,Last Name,Name,E-mail Address,Home Street,Home Cit";
        QTest::newRow("list starts at First Name") << 3 << "Title,First Name,Name,E-mail Address,x"
                                                   << "First Name,Name,E-mail Address,x";
        QTest::newRow("list without First Name") << 3 << "Name,E-mail Address,Notes"
                                                 << "<error 5>";
        QTest::newRow("names cut after the e-mail name") << 5 << "\"First\",\"Last\",\"E-mail\",\"Phone\""
                                                         << "First,Last,E-mail";
        QTest::newRow("later e-mail name wins") << 5 << "Name,Email,E-mail,x"
                                                << "Name,Email";
        QTest::newRow("names without e-mail") << 5 << "Name,Phone"
                                              << "<incompatible>";
        QTest::newRow("mail program keeps quotes") << 2 << "\"First Name\",Web Page"
                                                   << "\"First Name\",Web Page";
    }
    void prepareHeader()
    {
        QFETCH(int, layout);
        QFETCH(QString, header);
        QFETCH(QString, prepared);
        const Result<PreparedHeader> result = quillet::prepareHeader(static_cast<ImportLayout>(layout), header);
        const QString got = !result              ? QStringLiteral("<error %1>").arg(result.error().number)
                            : result->compatible ? result->text
                                                 : QStringLiteral("<incompatible>");
        QCOMPARE(got, prepared);
    }

    void cleanValue_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, CleaningRule rule, const QString& value, const QString& expected) {
            QTest::newRow(name) << static_cast<int>(rule) << value << expected;
        };
        row("slash #/#/####", CleaningRule::SlashDates, "1/2/1990", "19900102");
        row("slash #/##/####", CleaningRule::SlashDates, "1/12/1990", "19900112");
        row("slash ##/#/####", CleaningRule::SlashDates, "12/1/1990", "19901201");
        row("slash full", CleaningRule::SlashDates, "12/25/1990", "19901225");
        row("slash on a dash date", CleaningRule::SlashDates, "1990-12-25", "2-25190-");
        row("slash on empty", CleaningRule::SlashDates, "", "");
        row("dash #-#-####", CleaningRule::DashDates, "4-1-1980", "19800401");
        row("dash export form", CleaningRule::DashDates, "04-10-1980", "19800410");
        row("century 19", CleaningRule::CenturyTest, "19900102", "19900102");
        row("century 21 cleared", CleaningRule::CenturyTest, "21010102", "");
        row("century garbage cleared", CleaningRule::CenturyTest, "2-25190-", "");
        row("upper case", CleaningRule::UpperCase, "ca", "CA");
        row("last four kept", CleaningRule::LastFourTest, "555-1234", "555-1234");
        row("last four short number", CleaningRule::LastFourTest, "555", "555");
        row("last four text cleared", CleaningRule::LastFourTest, "ext", "");
        row("short street cleared", CleaningRule::ShortStreet, "Box 5", "");
        row("street of six kept", CleaningRule::ShortStreet, "Box 55", "Box 55");
        row("digit in city", CleaningRule::DigitTest, "Apt 4", "");
        row("mark test digit", CleaningRule::MarkTest, "C4", "");
        row("mark test hash", CleaningRule::MarkTest, "Area #2", "");
        row("mark test country", CleaningRule::MarkTest, "USA", "USA");
        row("state too long", CleaningRule::StateLength, "CALIF", "");
        row("zip plus four", CleaningRule::FirstFiveTest, "92101-1234", "92101-1234");
        row("zip of letters", CleaningRule::FirstFiveTest, "ABCDE", "");
        row("phone marks (area)", CleaningRule::PhoneMarks, "(555) 123-4567", "555 123-4567");
        row("phone marks (plus)", CleaningRule::PhoneMarks, "+1 555 123 4567", "1 555 123 4567");
    }
    void cleanValue()
    {
        QFETCH(int, rule);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QCOMPARE(quillet::cleanValue(static_cast<CleaningRule>(rule), value), expected);
    }

    void homeFromWork_data()
    {
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("work");
        QTest::addColumn<QString>("storedHome");
        QTest::newRow("empty home takes work") << ""
                                               << "555-9876"
                                               << "555-9876";
        QTest::newRow("home kept") << "555-1111"
                                   << "555-9876"
                                   << "555-1111";
        QTest::newRow("both empty") << ""
                                    << ""
                                    << "";
    }
    void homeFromWork()
    {
        QFETCH(QString, home);
        QFETCH(QString, work);
        QFETCH(QString, storedHome);
        ContactRecord working;
        working.set(Field::HomePhone, home);
        working.set(Field::WorkPhone, work);
        applyCleaning(cleaningSteps(ImportLayout::WebPortal), working);
        QCOMPARE(working.value(Field::HomePhone), storedHome);
        QCOMPARE(working.value(Field::WorkPhone), work);
    }

    void columnTables_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected"); // First|MI|Last|Email, or "<error N>"
        QTest::newRow("MI takes the first character") << 4 << quilletHeader << "Ann,Quincy,Lee,,,,,,,,,,a@b.com,,,"
                                                      << "Ann|Q|Lee|a@b.com";
        QTest::newRow("later row overwrites") << 5 << "First,First Name,Email"
                                              << "one,two,x@y.com"
                                              << "one|||x@y.com";
        QTest::newRow("row past the header is no match") << 2 << "First Name,Middle Name,Last Name"
                                                         << "Ann,B,Lee"
                                                         << "Ann|B|Lee|";
        QTest::newRow("e-mail from the last column") << 3 << "First Name,Last Name,Middle Name,Name,E-mail Address"
                                                     << "Uma,Ulm,Ursula,Uma U Ulm,x,uma@y.org"
                                                     << "Uma|U|Ulm|uma@y.org";
        QTest::newRow("missing data column") << 4 << quilletHeader << "Ann,B,Lee"
                                             << "<error 9>";
    }
    void columnTables()
    {
        QFETCH(int, layout);
        QFETCH(QString, header);
        QFETCH(QString, line);
        QFETCH(QString, expected);
        const ImportLayout id = static_cast<ImportLayout>(layout);
        ContactRecord working;
        const Status status =
            fillFromColumns(matchHeader(id, quillet::splitColumns(header)), quillet::splitColumns(line), working);
        const QString got = status ? QStringList{working.value(Field::FirstName), working.value(Field::MI),
                                                 working.value(Field::LastName), working.value(Field::Email)}
                                         .join(u'|')
                                   : QStringLiteral("<error %1>").arg(status.error().number);
        QCOMPARE(got, expected);
    }

    void skippedByColumns_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected"); // "skip", "keep" or "<error N>"
        const QString fifteen = QStringLiteral("a,b,c,,,,,,,,,,,,e");
        QTest::newRow("mail program kept") << 2 << fifteen << "keep";
        QTest::newRow("mail program without last name") << 2 << QString(fifteen).replace("c", "") << "skip";
        QTest::newRow("mail program without e-mail") << 2 << QString(fifteen).chopped(1) << "skip";
        QTest::newRow("mail program short line") << 2 << "a,b,c"
                                                 << "<error 9>";
        QTest::newRow("names without last name") << 5 << "Di,,di@x.com"
                                                 << "skip";
        QTest::newRow("names e-mail only") << 5 << "di@x.com"
                                           << "<error 9>";
        QTest::newRow("own export has no column skip") << 4 << "x"
                                                       << "keep";
    }
    void skippedByColumns()
    {
        QFETCH(int, layout);
        QFETCH(QString, line);
        QFETCH(QString, expected);
        const Result<bool> skipped =
            quillet::skippedByColumns(static_cast<ImportLayout>(layout), quillet::splitColumns(line));
        const QString got = !skipped ? QStringLiteral("<error %1>").arg(skipped.error().number)
                                     : QString::fromLatin1(*skipped ? "skip" : "keep");
        QCOMPARE(got, expected);
    }

    void duplicateRule_data()
    {
        QTest::addColumn<QStringList>("existing"); // first, last, e-mail
        QTest::addColumn<QStringList>("imported");
        QTest::addColumn<bool>("duplicate");
        QTest::newRow("names contained") << QStringList{"Jonathan", "Smithers", "j@x.com"}
                                         << QStringList{"Jon", "Smith", "other@x.com"} << true;
        QTest::newRow("names not contained")
            << QStringList{"Jon", "Smith", "jon@x.com"} << QStringList{"John", "Smith", "john@x.com"} << false;
        QTest::newRow("same e-mail") << QStringList{"A", "B", "same@x.com"} << QStringList{"C", "D", "same@x.com"}
                                     << true;
        QTest::newRow("two empty e-mails do not match")
            << QStringList{"A", "B", ""} << QStringList{"C", "D", ""} << false;
        QTest::newRow("no names match nothing") << QStringList{"A", "B", "a@x.com"} << QStringList{"", "", ""} << false;
        QTest::newRow("first name alone") << QStringList{"Anna", "Lee", ""} << QStringList{"Ann", "", ""} << true;
        QTest::newRow("nothing in an empty last name")
            << QStringList{"Anna", "", ""} << QStringList{"Ann", "Lee", ""} << false;
        QTest::newRow("case matters") << QStringList{"ann", "lee", ""} << QStringList{"Ann", "Lee", ""} << false;
    }
    void duplicateRule()
    {
        QFETCH(QStringList, existing);
        QFETCH(QStringList, imported);
        QFETCH(bool, duplicate);
        QCOMPARE(isDuplicateOf({existing[0], existing[1], existing[2]}, {imported[0], imported[1], imported[2]}),
                 duplicate);
    }

    // The index must answer exactly as reading every record again does: short names
    // from a tiny alphabet, names of one or two letters, and a surname most share.
    void duplicateIndex_agreesWithRereading_data()
    {
        QTest::addColumn<int>("longestFirst");
        QTest::addColumn<int>("longestLast");
        QTest::addColumn<QString>("commonLast");
        QTest::addColumn<int>("letters");
        QTest::newRow("short names") << 5 << 6 << QString() << 3;
        QTest::newRow("two letters") << 2 << 2 << QString() << 6;
        QTest::newRow("a common surname") << 6 << 6 << QStringLiteral("Smith") << 3;
    }
    void duplicateIndex_agreesWithRereading()
    {
        QFETCH(int, longestFirst);
        QFETCH(int, longestLast);
        QFETCH(QString, commonLast);
        QFETCH(int, letters);
        QTemporaryDir dir;
        ContactsFile file;
        QVERIFY(file.open(dir.filePath("dup.DAT"), quillet::Creation::CreateIfMissing).ok());
        QRandomGenerator random(20240611);
        const auto name = [&random, letters](int longest) {
            QString text;
            for (int i = random.bounded(longest + 1); i > 0; --i)
                text += QChar(u'a' + random.bounded(letters));
            return text;
        };
        const auto contact = [&](bool spaces) {
            ContactRecord record;
            record.set(Field::FirstName, (spaces ? QStringLiteral(" ") : QString()) + name(longestFirst));
            const bool common = !commonLast.isEmpty() && random.bounded(2) == 0;
            record.set(Field::LastName, common ? commonLast : name(longestLast));
            record.set(Field::Email, random.bounded(3) == 0 ? QString() : name(2) + "@x.com");
            return record;
        };
        for (int i = 0; i < 300; ++i)
            QVERIFY(file.append(contact(true)).ok());
        DuplicateIndex index;
        RereadDuplicateTest reread;
        QVERIFY(index.start(file, 250).ok());
        QVERIFY(reread.start(file, 250).ok());
        int duplicates = 0;
        for (int i = 0; i < 2000; ++i) {
            const ComparedFields working = comparedFields(contact(i % 2 == 0).toBytes());
            const Result<bool> byIndex = index.test(working);
            const Result<bool> byReading = reread.test(working);
            QVERIFY(byIndex.ok() && byReading.ok());
            QCOMPARE(*byIndex, *byReading);
            duplicates += *byIndex ? 1 : 0;
        }
        // Both answers occur often enough for the comparison to mean something.
        QVERIFY(duplicates > 200 && duplicates < 1800);
    }
};

QTEST_GUILESS_MAIN(TestImportRules)
#include "tst_importrules.moc"
