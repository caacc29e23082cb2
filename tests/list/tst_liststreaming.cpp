// Print jobs over long lists: the order kept as short keys, the labels and lines
// read again a run at a time, and a file another program changes between the
// reading that lists and the printing.
#include "ListTestData.h"
#include "core/contacts/ContactsFile.h"
#include "core/list/FileLabelReader.h"
#include "core/list/ListOrder.h"
#include "core/list/ListReport.h"
#include "core/list/ListSearch.h"
#include "core/list/ListedLabels.h"
#include "core/list/SheetLabels.h"
#include "core/printing/GridTranscript.h"
#include "core/printing/pdf/GridPdfRenderer.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

using namespace quillet;
using quillet::test::contact;
using quillet::test::person;

namespace {

ContactRecord named(const QString& first, const QString& mi, const QString& last, const QString& city)
{
    return contact({{Field::FirstName, first}, {Field::MI, mi}, {Field::LastName, last}, {Field::City, city}});
}

// A transcript line at 10 points: items at their columns.
QString gridLine(int number, const QList<QPair<int, QString>>& items)
{
    QString text;
    for (const auto& [column, item] : items)
        text = text.leftJustified(column - 1) + item;
    return QStringLiteral("%1 10 |").arg(number) + text;
}

QList<int> numbersOf(const ListedContacts& listed)
{
    QList<int> numbers;
    for (qsizetype position = 0; position < listed.size(); ++position)
        numbers << listed.number(position);
    return numbers;
}

} // namespace

class TestListStreaming : public QObject
{
    Q_OBJECT

    QString write(const QString& name, const QList<ContactRecord>& records)
    {
        const QString path = QDir(m_dir.path()).filePath(name);
        return test::writeContactsFile(path, records) ? path : QString();
    }

private slots:
    // Lines equal in their first 24 characters, a key's length, are told apart
    // further on; equal lines keep record order.
    void orderOfLongLists_data()
    {
        QTest::addColumn<QList<ContactRecord>>("records");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("order");
        QTest::addColumn<QList<int>>("expected");
        const QList<ContactRecord> ties{named("Alexandrina", "", "Montgomery-Smit", "York"),
                                        named("alexandrina", "", "MONTGOMERY-SMIT", "Leeds"),
                                        named("Alexandrina", "", "Montgomery-Smit", "York"),
                                        named("Alexandrina", "", "Montgomery-Smite", "Austin"),
                                        named("Émile", "", "Zola", ""),
                                        named("Zoe", "", "Adams", ""),
                                        named("zoe", "Q", "adams", ""),
                                        named("[", "", "x", ""),
                                        named("_x", "", "", "")};
        // Case folded code points: "[" and "_" before letters, "É" after "z", a tab
        // before "e".
        QTest::newRow("C") << ties << "C" << 0 << QList<int>{8, 9, 2, 1, 3, 4, 6, 7, 5};
        // The collator puts "_" before "[" and "É" among the e's.
        QTest::newRow("en_US") << ties << "en_US" << 0 << QList<int>{9, 8, 2, 1, 3, 4, 5, 6, 7};
        QTest::newRow("C, by last name") << QList<ContactRecord>{person("Ann", "Lee"), person("Bob", "lee"),
                                                                 person("Cy", "Adams")}
                                         << "C" << 1 << QList<int>{3, 1, 2};
    }
    void orderOfLongLists()
    {
        QFETCH(QList<ContactRecord>, records);
        QFETCH(QString, locale);
        QFETCH(int, order);
        QFETCH(QList<int>, expected);
        ContactsFile file;
        QVERIFY(file.open(write(QStringLiteral("ties.DAT"), records)).ok());
        const ListQuery query{SearchField::All, {}, static_cast<SortOrder>(order)};
        const Result<ListedContacts> listed = ListedContacts::list(file, query, ListOrder(QLocale(locale)));
        QVERIFY(listed.ok());
        QCOMPARE(numbersOf(*listed), expected);
    }

    // 2,700 contacts cross the file's read chunk (2,621 records) and, read again
    // 1,000 labels at a time, three runs: every label is the one its place asks for.
    void labelsAcrossChunksAndRuns_data()
    {
        QTest::addColumn<int>("step"); // record n is named by its place (n x step) mod 2,700
        QTest::newRow("list order the reverse of the file's") << -1;
        QTest::newRow("scattered") << 1013;
    }
    void labelsAcrossChunksAndRuns()
    {
        QFETCH(int, step);
        const int count = 2700;
        QList<ContactRecord> records;
        QList<int> recordAt(count, 0); // by place in the list
        for (int n = 1; n <= count; ++n) {
            const int place = ((n * step) % count + count) % count;
            recordAt[place] = n;
            records << contact({{Field::FirstName, QStringLiteral("N%1").arg(place, 4, 10, QLatin1Char('0'))},
                                {Field::Street1, QStringLiteral("%1 Elm St").arg(n)}});
        }
        ContactsFile file;
        QVERIFY(file.open(write(QStringLiteral("many.DAT"), records)).ok());
        const Result<ListedContacts> listed = ListedContacts::list(file, ListQuery{}, ListOrder(QLocale::c()));
        QVERIFY(listed.ok());
        FileLabelReader labels(file, *listed, 1000);
        QCOMPARE(labels.size(), count);
        for (int place = 0; place < count; ++place) {
            const LabelTexts* label = labels.next();
            QVERIFY(label);
            QCOMPARE(label->name, QStringLiteral("N%1 ").arg(place, 4, 10, QLatin1Char('0')));
            QCOMPARE(label->street, QStringLiteral("%1 Elm St ").arg(recordAt[place]));
        }
        QVERIFY(!labels.next());
        QVERIFY(labels.status().ok());
    }

    // What the labels need before the first page comes from the one reading that
    // lists them: the longest line and the first label, in list order, that runs on.
    void surveyOfTheLabels()
    {
        const QString thirty(30, QLatin1Char('s'));
        ContactsFile file;
        QVERIFY(file.open(write(QStringLiteral("survey.DAT"),
                                {person("Zed", "Long", "York"),
                                 contact({{Field::FirstName, "Bo"}, {Field::Street1, thirty}, {Field::City, "York"}}),
                                 contact({{Field::Street1, "1 Elm"},
                                          {Field::City, "Leeds"},
                                          {Field::Zip, "12345678"},
                                          {Field::State, "WY"},
                                          {Field::Street2, "Apt 400"}}),
                                 contact({{Field::FirstName, "Al"}, {Field::Street1, thirty}, {Field::City, "York"}})}))
                    .ok());
        const Result<ListedLabels> listed = listLabels(file, ListQuery{}, ListOrder(QLocale::c()));
        QVERIFY(listed.ok());
        QCOMPARE(numbersOf(listed->contacts), (QList<int>{3, 4, 2, 1})); // " ", "Al ", "Bo ", "Zed Long"
        QCOMPARE(listed->survey.longest, 30);                            // the street; its trailing space takes no room
        QVERIFY(listed->survey.longLines);
        QCOMPARE(listed->survey.longLines->labels, 2);
        QCOMPARE(listed->survey.longLines->first, QStringLiteral("Al"));

        const Result<ListedLabels> york = listLabels(
            file, ListQuery{SearchField::City, QStringLiteral("york"), SortOrder::FirstName}, ListOrder(QLocale::c()));
        QVERIFY(york.ok());
        QCOMPARE(numbersOf(york->contacts), (QList<int>{4, 2, 1}));
        const Result<ListedLabels> byNumbers = listLabels(file, QList<int>{1, 3});
        QVERIFY(byNumbers.ok());
        QCOMPARE(byNumbers->survey.longest, 19); // "Leeds, WY  12345678"
        QVERIFY(!byNumbers->survey.longLines);
    }

    // A job lists the contacts, then prints; whatever another program does to the
    // listed contacts in between fails the job with its message and writes nothing.
    void changedBetweenListingAndPrinting_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("report");
        QTest::addColumn<bool>("fails");
        for (const bool report : {false, true}) {
            const char* job = report ? "report" : "labels";
            QTest::addRow("%s, a listed contact edited", job) << "edit listed" << report << true;
            QTest::addRow("%s, a contact added", job) << "add" << report << true;
            QTest::addRow("%s, the file replaced", job) << "replace" << report << true;
            QTest::addRow("%s, a contact outside the list edited", job) << "edit unlisted" << report << false;
        }
    }
    void changedBetweenListingAndPrinting()
    {
        QFETCH(QString, change);
        QFETCH(bool, report);
        QFETCH(bool, fails);
        QList<ContactRecord> records;
        for (int n = 1; n <= 40; ++n)
            records << person(QStringLiteral("P%1").arg(n), QStringLiteral("L"), n == 7 ? "Leeds" : "York");
        const QString path = write(QStringLiteral("changing.DAT"), records);
        ContactsFile file;
        QVERIFY(file.open(path).ok());
        const ListQuery york{SearchField::City, QStringLiteral("York"), SortOrder::FirstName};
        Result<ListedLabels> labels = listLabels(file, york, ListOrder(QLocale::c()));
        const Result<ListedReport> lines = listReport(file, york, ListOrder(QLocale::c()));
        QVERIFY(labels.ok() && lines.ok());
        QCOMPARE(labels->contacts.size(), 39);

        ContactsFile other;
        QVERIFY(other.open(path).ok());
        if (change == QLatin1String("edit listed"))
            QVERIFY(other.write(33, person("P33", "Changed", "York")).ok());
        else if (change == QLatin1String("edit unlisted"))
            QVERIFY(other.write(7, person("P7", "Changed", "Leeds")).ok());
        else if (change == QLatin1String("add"))
            QVERIFY(other.append(person("New", "One", "Leeds")).ok());
        else
            QVERIFY(std::rename(QFile::encodeName(write(QStringLiteral("new.DAT"), records)).constData(),
                                QFile::encodeName(path).constData()) == 0);

        const ListLabelsJob job = prepareListLabels(file, std::move(*labels), builtInSheet(), 1);
        GridStream stream = report ? reportStream(file, *lines, QStringLiteral("Changing")) : job.stream();
        QBuffer pdf;
        QVERIFY(pdf.open(QIODevice::WriteOnly));
        const Status printed = writeGridPdf(stream, pdf, PdfDocumentInfo{});
        QCOMPARE(printed.ok(), !fails);
        if (fails) {
            QCOMPARE(printed.error().description, fileChangedText);
            QVERIFY(!pdf.data().contains("%%EOF")); // never finished
        }
    }

    // A change found by a later run ends the labels there: those read before it
    // stand, and the reader says why it stopped.
    void aLaterRunFindsTheChange()
    {
        QList<ContactRecord> records;
        for (int n = 1; n <= 25; ++n)
            records << person(QStringLiteral("P%1").arg(n, 2, 10, QLatin1Char('0')), QStringLiteral("L"));
        const QString path = write(QStringLiteral("runs.DAT"), records);
        ContactsFile file;
        QVERIFY(file.open(path).ok());
        const Result<ListedContacts> listed = ListedContacts::list(file, ListQuery{}, ListOrder(QLocale::c()));
        QVERIFY(listed.ok());
        FileLabelReader labels(file, *listed, 10);
        for (int n = 1; n <= 10; ++n)
            QCOMPARE(labels.next()->name, QStringLiteral("P%1 L").arg(n, 2, 10, QLatin1Char('0')));
        ContactsFile other;
        QVERIFY(other.open(path).ok());
        QVERIFY(other.write(17, person("P17", "Changed")).ok());
        QVERIFY(!labels.next());
        QCOMPARE(labels.status().error().description, fileChangedText);
        QVERIFY(!labels.next());
    }

    // A window's list may name a contact twice: each line is a label, and a long
    // one counts each time.
    void aWindowsListNamingAContactTwice()
    {
        ContactsFile file;
        QVERIFY(file.open(write(QStringLiteral("twice.DAT"),
                                {person("Al", "Lee"),
                                 contact({{Field::FirstName, "Bo"}, {Field::Street1, QString(30, QLatin1Char('s'))}})}))
                    .ok());
        const Result<ListedLabels> listed = listLabels(file, QList<int>{2, 1, 2});
        QVERIFY(listed.ok());
        QCOMPARE(listed->survey.longLines->labels, 2);
        QCOMPARE(listed->survey.longLines->first, QStringLiteral("Bo"));
        GridDocument document;
        QVERIFY(composeListLabels(file, {2, 1, 2}, document).ok());
        const QStringList printed = gridTranscript(document).split(QLatin1Char('\n'));
        QVERIFY(printed.size() > 5);
        QCOMPARE(printed[5], gridLine(5, {{2, "Bo"}, {35, "Al Lee"}, {67, "Bo"}}));
        QCOMPARE(listLabels(file, QList<int>{1, 0}).status().error().number, 63);
    }

    // The report's lines come back from the file as they were listed; a field the
    // line shows that holds a tab would make an eighth column, one it does not show
    // is harmless.
    void reportFromTheFile()
    {
        ContactsFile file;
        QVERIFY(file.open(write(QStringLiteral("report.DAT"),
                                {contact({{Field::FirstName, "Bo"}, {Field::City, "York"}, {Field::Notes, "a\tb"}}),
                                 contact({{Field::FirstName, "Al"}, {Field::Zip, "12345"}})}))
                    .ok());
        const Result<ListedReport> listed = listReport(file, ListQuery{}, ListOrder(QLocale::c()));
        QVERIFY(listed.ok());
        QVERIFY(listed->check.ok());
        GridStream stream = reportStream(file, *listed, QStringLiteral("R"));
        const QStringList printed = gridTranscript(wholeDocument(stream)).split(QLatin1Char('\n'));
        QVERIFY(stream.status().ok());
        QCOMPARE(printed.mid(7, 2),
                 (QStringList{gridLine(7, {{2, "Al"}, {52, "12345"}}), gridLine(8, {{2, "Bo"}, {30, "York"}})}));

        ContactsFile tabbed;
        QVERIFY(tabbed.open(write(QStringLiteral("tab.DAT"), {person("A", "B", "New\tYork\tx\ty\tz")})).ok());
        const Result<ListedReport> eighth = listReport(tabbed, ListQuery{}, ListOrder(QLocale::c()));
        QVERIFY(eighth.ok());
        QCOMPARE(eighth->check.error().number, 9);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestListStreaming)
#include "tst_liststreaming.moc"
