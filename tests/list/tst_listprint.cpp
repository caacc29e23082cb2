#include "ListTestData.h"
#include "core/contacts/ContactsFile.h"
#include "core/list/ListLabels.h"
#include "core/list/ListReport.h"
#include "core/printing/GridTranscript.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;

namespace {

// A transcript line: the items at their columns, trailing spaces dropped as the transcript does.
QString gridLine(int number, int size, const QList<QPair<int, QString>>& items)
{
    QString text;
    for (const auto& [column, item] : items)
        text = text.leftJustified(column - 1) + item;
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return QStringLiteral("%1 %2 |").arg(number).arg(size) + text;
}

QString emptyLine(int number, int size)
{
    return QStringLiteral("%1 %2 |").arg(number).arg(size);
}

QStringList transcript(const GridDocument& document)
{
    return gridTranscript(document).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Contact n: "Fn Ln" / "n Main St " / "Cn, ST  Zn".
ContactRecord numbered(int n)
{
    const QString number = QString::number(n);
    return test::contact({{Field::FirstName, QLatin1Char('F') + number},
                          {Field::LastName, QLatin1Char('L') + number},
                          {Field::Street1, number + QStringLiteral(" Main St")},
                          {Field::City, QLatin1Char('C') + number},
                          {Field::State, QStringLiteral("ST")},
                          {Field::Zip, QLatin1Char('Z') + number}});
}

// Rows of labels as they print: contact n is "Fn Ln" / "n Main St " / "Cn, ST  Zn",
// the three labels of a row at columns 2, 35 and 67.
const QStringList contact1{gridLine(5, 10, {{2, "F1 L1"}}), gridLine(6, 10, {{2, "1 Main St "}}),
                           gridLine(7, 10, {{2, "C1, ST  Z1"}})};
const QStringList contacts1to3{gridLine(5, 10, {{2, "F1 L1"}, {35, "F2 L2"}, {67, "F3 L3"}}),
                               gridLine(6, 10, {{2, "1 Main St "}, {35, "2 Main St "}, {67, "3 Main St "}}),
                               gridLine(7, 10, {{2, "C1, ST  Z1"}, {35, "C2, ST  Z2"}, {67, "C3, ST  Z3"}})};
const QStringList contact4{gridLine(12, 10, {{2, "F4 L4"}}), gridLine(13, 10, {{2, "4 Main St "}}),
                           gridLine(14, 10, {{2, "C4, ST  Z4"}})};
const QStringList contacts4to5{gridLine(12, 10, {{2, "F4 L4"}, {35, "F5 L5"}}),
                               gridLine(13, 10, {{2, "4 Main St "}, {35, "5 Main St "}}),
                               gridLine(14, 10, {{2, "C4, ST  Z4"}, {35, "C5, ST  Z5"}})};
const QStringList contacts4to6{gridLine(12, 10, {{2, "F4 L4"}, {35, "F5 L5"}, {67, "F6 L6"}}),
                               gridLine(13, 10, {{2, "4 Main St "}, {35, "5 Main St "}, {67, "6 Main St "}}),
                               gridLine(14, 10, {{2, "C4, ST  Z4"}, {35, "C5, ST  Z5"}, {67, "C6, ST  Z6"}})};
// The tenth row of a sheet, and the 31st contact alone on the next sheet.
const QStringList contacts28to30{gridLine(68, 10, {{2, "F28 L28"}, {35, "F29 L29"}, {67, "F30 L30"}}),
                                 gridLine(69, 10, {{2, "28 Main St "}, {35, "29 Main St "}, {67, "30 Main St "}}),
                                 gridLine(70, 10, {{2, "C28, ST  Z28"}, {35, "C29, ST  Z29"}, {67, "C30, ST  Z30"}})};
const QStringList contact31{gridLine(5, 10, {{2, "F31 L31"}}), gridLine(6, 10, {{2, "31 Main St "}}),
                            gridLine(7, 10, {{2, "C31, ST  Z31"}})};

QStringList rowGap(int at)
{
    return {emptyLine(at, 11), emptyLine(at + 1, 9), emptyLine(at + 2, 9), emptyLine(at + 3, 9)};
}

QStringList topMargin()
{
    return {emptyLine(1, 10), emptyLine(2, 10), emptyLine(3, 10), emptyLine(4, 10)};
}

} // namespace

class TestListPrint : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QList<ContactRecord> records;
        for (int n = 1; n <= 31; ++n)
            records << numbered(n);
        records << test::contact({{Field::FirstName, QStringLiteral("John")},
                                  {Field::MI, QStringLiteral("J")},
                                  {Field::LastName, QStringLiteral("Smith")},
                                  {Field::Street1, QStringLiteral("123456789012345678901234567890")},
                                  {Field::Street2, QStringLiteral("AB")}});
        records << test::contact({{Field::FirstName, QStringLiteral("Ann")},
                                  {Field::LastName, QStringLiteral("Lee")},
                                  {Field::Street1, QStringLiteral("123456789012345678901234567890")},
                                  {Field::Street2, QStringLiteral("ABC")}});
        const QString path = QDir(m_dir.path()).filePath(QStringLiteral("Labels.DAT"));
        QVERIFY(test::writeContactsFile(path, records));
        QVERIFY(m_file.open(path, quillet::Creation::CreateIfMissing).ok());
    }

    void labelTexts_data()
    {
        QTest::addColumn<QString>("mi");
        QTest::addColumn<QString>("street2");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no initial, no second street")
            << ""
            << "" << QStringList{"John Smith", "12 Oak St ", "Springfield, IL  62704"};
        QTest::newRow("initial without full stop")
            << "J"
            << "Apt 4" << QStringList{"John J Smith", "12 Oak St Apt 4", "Springfield, IL  62704"};
    }
    void labelTexts()
    {
        QFETCH(QString, mi);
        QFETCH(QString, street2);
        QFETCH(QStringList, expected);
        const LabelTexts texts = quillet::labelTexts(test::contact({{Field::FirstName, QStringLiteral("John")},
                                                                    {Field::MI, mi},
                                                                    {Field::LastName, QStringLiteral("Smith")},
                                                                    {Field::Street1, QStringLiteral("12 Oak St")},
                                                                    {Field::Street2, street2},
                                                                    {Field::City, QStringLiteral("Springfield")},
                                                                    {Field::State, QStringLiteral("IL")},
                                                                    {Field::Zip, QStringLiteral("62704")}}));
        QCOMPARE((QStringList{texts.name, texts.street, texts.city}), expected);
    }

    void labels_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("expected");
        QStringList one{QStringLiteral("page 1 portrait")};
        one << topMargin() << contact1;
        QTest::newRow("one label") << 1 << one;
        QStringList four{QStringLiteral("page 1 portrait")};
        four << topMargin() << contacts1to3 << rowGap(8) << contact4;
        QTest::newRow("a row and one") << 4 << four;
        QStringList five{QStringLiteral("page 1 portrait")};
        five << topMargin() << contacts1to3 << rowGap(8) << contacts4to5;
        QTest::newRow("a row and two") << 5 << five;
        QStringList six{QStringLiteral("page 1 portrait")};
        six << topMargin() << contacts1to3 << rowGap(8) << contacts4to6 << rowGap(15);
        QTest::newRow("two full rows") << 6 << six;
    }
    void labels()
    {
        QFETCH(int, count);
        QFETCH(QStringList, expected);
        QList<int> numbers;
        for (int n = 1; n <= count; ++n)
            numbers << n;
        GridDocument document;
        QVERIFY(composeListLabels(m_file, numbers, document).ok());
        QCOMPARE(transcript(document), expected);
    }

    void labels_newPageAfterThirty_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("pages");
        QTest::newRow("30 labels fill one sheet, no blank sheet after") << 30 << 1;
        QTest::newRow("the 31st starts a second sheet") << 31 << 2;
    }
    void labels_newPageAfterThirty()
    {
        QFETCH(int, count);
        QFETCH(int, pages);
        QList<int> numbers;
        for (int n = 1; n <= count; ++n)
            numbers << n;
        GridDocument document;
        QVERIFY(composeListLabels(m_file, numbers, document).ok());
        const QStringList lines = transcript(document);
        QCOMPARE(lines.count(QStringLiteral("page 2 portrait")), pages - 1);
        QCOMPARE(lines.count(QStringLiteral("page 3 portrait")), 0);
        // Ten rows of seven lines under the four-line margin; the last blank line of
        // the tenth row's gap falls below a Letter page and is not kept.
        const qsizetype secondPage = lines.indexOf(QStringLiteral("page 2 portrait"));
        QCOMPARE(lines.mid(1, 7), topMargin() + contacts1to3);
        QCOMPARE(lines.mid(1 + 4 + 63, 6), contacts28to30 + rowGap(71).mid(0, 3));
        if (pages == 2)
            QCOMPARE(lines.mid(secondPage), QStringList{"page 2 portrait"} + topMargin() + contact31);
        else
            QCOMPARE(lines.size(), 1 + 73);
    }

    void labels_longStreetPushesNextSlot()
    {
        GridDocument document;
        QVERIFY(composeListLabels(m_file, {32, 33, 1}, document).ok());
        const QStringList lines = transcript(document);
        const QString exact = QStringLiteral("123456789012345678901234567890 AB");    // 33 characters
        const QString tooLong = QStringLiteral("123456789012345678901234567890 ABC"); // 34 characters
        QCOMPARE(lines.mid(5, 1), QStringList{gridLine(5, 10, {{2, "John J Smith"}, {35, "Ann Lee"}, {67, "F1 L1"}})});
        // Slot 2 right after slot 1's 33 characters; slot 2's 34 characters push slot 3 down a line.
        QCOMPARE(lines.mid(6, 2),
                 (QStringList{gridLine(6, 10, {{2, exact}, {35, tooLong}}), gridLine(7, 10, {{67, "1 Main St "}})}));
        QCOMPARE(lines.at(8), gridLine(8, 10, {{2, ",   "}, {35, ",   "}, {67, "C1, ST  Z1"}}));
        QCOMPARE(lines.at(9), emptyLine(9, 11));
    }

    void labels_failOnLineWithoutRecord()
    {
        GridDocument document;
        const Status status = composeListLabels(m_file, {1, 0, 2}, document);
        QVERIFY(!status.ok());
        QCOMPARE(status.error().number, errors::badRecordNumber().number);
    }

    void estimatedPages_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pages");
        QTest::newRow("empty") << 0 << 1;
        QTest::newRow("27: 1.5 to 2") << 27 << 2;
        QTest::newRow("81: 2.5 to 2") << 81 << 2;
        QTest::newRow("100") << 100 << 3;
        QTest::newRow("189: 4.5 to 4") << 189 << 4;
        QTest::newRow("135: 3.5 to 4") << 135 << 4;
    }
    void estimatedPages()
    {
        QFETCH(int, lines);
        QFETCH(int, pages);
        QCOMPARE(estimatedReportPages(lines), pages);
    }

    void report_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("printed");
        const QString blank22(22, QLatin1Char(' '));
        QTest::newRow("columns trimmed at their places")
            << QStringList{"Ann Lee", "York      ", "NY", "10001   ", "555-1234   ", "555-9876   ", "a@b.c   "}.join(
                   '\t')
            << QStringList{gridLine(7, 10,
                                    {{2, "Ann Lee"},
                                     {30, "York"},
                                     {48, "NY"},
                                     {52, "10001"},
                                     {64, "555-1234"},
                                     {78, "555-9876"},
                                     {92, "a@b.c"}})};
        QTest::newRow("blank phone columns print nothing, the rest follows")
            << QStringList{"Ann Lee", "York", "NY", "10001", blank22, blank22, "a@b.c"}.join('\t')
            << QStringList{gridLine(7, 10, {{2, "Ann Lee"}, {30, "York"}, {48, "NY"}, {52, "10001"}, {92, "a@b.c"}})};
        QTest::newRow("an empty column ends the line")
            << "Pasted\t\tC\tD" << QStringList{gridLine(7, 10, {{2, "Pasted"}})};
        QTest::newRow("an empty column ends the line before an eighth column")
            << "Pasted\t\tC\tD\tE\tF\tG\tH\tI" << QStringList{gridLine(7, 10, {{2, "Pasted"}})};
        QTest::newRow("an empty line") << "" << QStringList{emptyLine(7, 10)};
        QTest::newRow("a long name pushes the city down")
            << "Bartholomew-Fitzgerald Ozymandias\tYork"
            << QStringList{gridLine(7, 10, {{2, "Bartholomew-Fitzgerald Ozymandias"}}),
                           gridLine(8, 10, {{30, "York"}})};
    }
    void report()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, printed);
        const Result<GridDocument> document = composeReport({line}, QStringLiteral("Friends"));
        QVERIFY(document.ok());
        const QStringList header{QStringLiteral("page 1 landscape"),
                                 emptyLine(1, 10),
                                 gridLine(2, 24, {{18, "Quillet"}}),
                                 emptyLine(3, 10),
                                 gridLine(4, 10, {{48, "File: Friends"}}),
                                 emptyLine(5, 10),
                                 gridLine(6, 10,
                                          {{2, "Name"},
                                           {30, "City"},
                                           {48, "ST"},
                                           {52, "Zip"},
                                           {64, "Home"},
                                           {78, "Cell"},
                                           {92, "Email Address"}})};
        QCOMPARE(transcript(*document), header + printed + QStringList{emptyLine(7 + printed.size(), 10)});
    }

    void report_rejectsAnEighthColumn()
    {
        QVERIFY(composeReport({QStringLiteral("1\t2\t3\t4\t5\t6\t7")}, QString()).ok());
        QVERIFY(!composeReport({QStringLiteral("a"), QStringLiteral("1\t2\t3\t4\t5\t6\t7\t8")}, QString()).ok());
    }

private:
    QTemporaryDir m_dir;
    ContactsFile m_file;
};

QTEST_MAIN(TestListPrint)
#include "tst_listprint.moc"
