#include "core/editing/ContactPrinting.h"
#include "core/printing/GridTranscript.h"

#include <QtTest>

using namespace quillet;
using F = FormField;

namespace {

struct Run
{
    int column;
    QString text;
};

// A transcript line: texts placed at their 1-based columns, trailing spaces dropped.
QString line(int number, int size, const QList<Run>& runs = {})
{
    QString text;
    for (const Run& run : runs) {
        text = text.leftJustified(run.column - 1, u' ');
        text += run.text;
    }
    while (text.endsWith(u' '))
        text.chop(1);
    return QStringLiteral("%1 %2 |").arg(number).arg(size) + text;
}

ContactForm sample()
{
    ContactForm form;
    form[F::FirstName] = QStringLiteral(" John ");
    form[F::MiddleInitial] = QStringLiteral("Q");
    form[F::LastName] = QStringLiteral("Public");
    form[F::Street] = QStringLiteral("123 Main Street");
    form[F::Street2] = QStringLiteral("Apt 4");
    form[F::City] = QStringLiteral("San Diego");
    form[F::State] = QStringLiteral("CA");
    form[F::Zip] = QStringLiteral("92101");
    form[F::Country] = QStringLiteral("USA");
    form[F::Birthdate] = QStringLiteral("04/10/1980");
    form[F::HomePhone] = QStringLiteral("555-123-4567");
    form[F::CellPhone] = QStringLiteral("555-765-4321");
    form[F::WorkPhone] = QStringLiteral("555-111-2222");
    form[F::Email] = QStringLiteral("john@example.com");
    form[F::Category] = QStringLiteral("Golf");
    form[F::Notes] = QStringLiteral("Likes tea");
    return form;
}

QStringList transcriptLines(const GridDocument& document)
{
    QStringList lines = gridTranscript(document).split(u'\n');
    lines.removeLast(); // after the final line break
    return lines;
}

const QString rule = QString(70, u'_');

} // namespace

class TestContactPrinting : public QObject
{
    Q_OBJECT
private slots:
    void detailsPage_columnsAndSizes()
    {
        const QStringList expected{
            QStringLiteral("page 1 portrait"),
            line(1, 12),
            line(2, 12),
            line(3, 12),
            line(4, 16, {{22, "Quillet"}}),
            line(5, 16),
            line(6, 14, {{27, "Contact Details"}}),
            line(7, 14),
            line(8, 14),
            line(9, 14),
            line(10, 10, {{35, "Date of report:"}, {51, "6/15/26"}}),
            line(11, 12),
            line(12, 12, {{8, rule}}),
            line(13, 12),
            line(14, 12),
            line(15, 12, {{8, "John Q Public"}}),
            line(16, 12),
            line(17, 12, {{8, "123 Main Street  Apt 4"}}),
            line(18, 12),
            line(19, 12, {{8, "San Diego, CA  92101"}}),
            line(20, 12),
            line(21, 12),
            line(22, 12, {{8, "Country:"}, {18, "USA"}, {40, "Birthdate:"}, {52, "04/10/1980"}}),
            line(23, 12),
            line(24, 12),
            line(25, 12,
                 {{8, "Home Phone:"},
                  {21, "555-123-4567"},
                  {37, "Cell:"},
                  {44, "555-765-4321"},
                  {60, "Work:"},
                  {67, "555-111-2222"}}),
            line(26, 12),
            line(27, 12),
            line(28, 12, {{8, "Email Address:"}, {24, "john@example.com"}}),
            line(29, 12),
            line(30, 12),
            line(31, 12, {{8, "Category:"}, {19, "Golf"}}),
            line(32, 12),
            line(33, 12),
            line(34, 12),
            line(35, 12, {{8, "Notes:"}, {16, "Likes tea"}}),
            line(36, 12),
            line(37, 12),
            line(38, 12),
            line(39, 12, {{8, rule}}),
        };
        QCOMPARE(transcriptLines(contactDetailsDocument(sample(), QStringLiteral("6/15/26"))), expected);
    }

    // Category and notes of 80 characters: 61 on the first line, 19 on the second,
    // the notes' second line one column left of the first.
    void longTextsSplitAt61()
    {
        ContactForm form = sample();
        QString notes;
        for (int i = 0; i < 80; ++i)
            notes += QChar(u'a' + i % 26);
        form[F::Notes] = notes;
        form[F::Category] = QString(61, u'c') + QString(19, u'd');
        form[F::MiddleInitial].clear();
        const QStringList lines = transcriptLines(contactDetailsDocument(form, QStringLiteral("x")));
        QCOMPARE(lines.at(15), line(15, 12, {{8, "John  Public"}}));
        QCOMPARE(lines.at(31), line(31, 12, {{8, "Category:"}, {19, QString(61, u'c')}}));
        QCOMPARE(lines.at(32), line(32, 12, {{19, QString(19, u'd')}}));
        QCOMPARE(lines.at(35), line(35, 12, {{8, "Notes:"}, {16, notes.left(61)}}));
        QCOMPARE(lines.at(36), line(36, 12, {{15, notes.mid(61)}}));
    }

    void copiesArePagesOfOneDocument()
    {
        const QStringList lines = transcriptLines(contactDetailsDocument(sample(), QStringLiteral("x"), 2));
        const qsizetype second = lines.indexOf(QStringLiteral("page 2 portrait"));
        QVERIFY(second > 0);
        QCOMPARE(lines.mid(second + 1), lines.mid(1, second - 1));
        QVERIFY(!lines.contains(QStringLiteral("page 3 portrait")));
    }

    void selectionOnly()
    {
        const QStringList expected{QStringLiteral("page 1 portrait"), line(1, 12), line(2, 12, {{1, "Main"}})};
        QCOMPARE(transcriptLines(selectionDocument(QStringLiteral("Main"))), expected);
    }

    void labelLines_data()
    {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("street2");
        QTest::addColumn<QString>("city");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no second street")
            << "Q"
            << ""
            << "San Diego" << QStringList{"John Q Public", "123 Main Street", "San Diego, CA  92101", "", ""};
        QTest::newRow("second street") << "Q"
                                       << "Apt 4"
                                       << "San Diego"
                                       << QStringList{"John Q Public", "123 Main Street", "Apt 4",
                                                      "San Diego, CA  92101", ""};
        QTest::newRow("neither second street nor city")
            << "Q"
            << ""
            << "" << QStringList{"John Q Public", "123 Main Street", "", "", ""};
        QTest::newRow("no middle initial")
            << ""
            << ""
            << "San Diego" << QStringList{"John Public", "123 Main Street", "San Diego, CA  92101", "", ""};
    }
    void labelLines()
    {
        QFETCH(QString, initial);
        QFETCH(QString, street2);
        QFETCH(QString, city);
        QFETCH(QStringList, expected);
        ContactForm form = sample();
        form[F::MiddleInitial] = initial;
        form[F::Street2] = street2;
        form[F::City] = city;
        QCOMPARE(labelLinesFor(form), expected);
    }

    // Pairs of spaces become one, found from the left without overlapping.
    void labelNameSpaces()
    {
        ContactForm form;
        form[F::FirstName] = QStringLiteral("Mary  Ann");
        form[F::LastName] = QStringLiteral("Lee");
        QCOMPARE(labelLinesFor(form).first(), QStringLiteral("Mary Ann Lee"));
        form[F::FirstName] = QStringLiteral("A    B");
        QCOMPARE(labelLinesFor(form).first(), QStringLiteral("A  B Lee"));
    }
};

QTEST_MAIN(TestContactPrinting)
#include "tst_contactprinting.moc"
