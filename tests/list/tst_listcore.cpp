#include "ListTestData.h"
#include "core/contacts/ContactsFile.h"
#include "core/list/ListClipboard.h"
#include "core/list/ListLine.h"
#include "core/list/ListModel.h"
#include "core/list/ListOrder.h"
#include "core/list/ListSearch.h"

#include <QCollator>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using quillet::test::contact;
using quillet::test::person;

namespace {

using Fields = QList<QPair<Field, QString>>;

QString spaces(int count)
{
    return QString(count, QLatin1Char(' '));
}

// A list line from its name part and the six stored columns, padded to their widths.
QString line(const QString& name, const QString& city = {}, const QString& state = {}, const QString& zip = {},
             const QString& home = {}, const QString& cell = {}, const QString& email = {})
{
    const auto phone = [](const QString& p) { return p.isEmpty() ? spaces(22) : p.leftJustified(15); };
    return QStringList{name,        city.leftJustified(16), state.leftJustified(2), zip.leftJustified(10), phone(home),
                       phone(cell), email.leftJustified(50)}
        .join(QLatin1Char('\t'));
}

QStringList texts(const std::vector<ListEntry>& entries)
{
    QStringList result;
    for (const ListEntry& entry : entries)
        result << entry.text;
    return result;
}

} // namespace

class TestListCore : public QObject
{
    Q_OBJECT
private slots:
    void listLine_data()
    {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<int>("order");
        QTest::addColumn<QString>("expected");
        const Fields john{{Field::FirstName, QStringLiteral("John")},
                          {Field::MI, QStringLiteral("J")},
                          {Field::LastName, QStringLiteral("Smith")}};
        Fields lowerMi = john;
        lowerMi[1].second = QStringLiteral("j");
        const Fields ann{{Field::FirstName, QStringLiteral("Ann")}, {Field::LastName, QStringLiteral("Lee")}};
        QTest::newRow("capital initial") << john << 0 << line(QStringLiteral("John J. Smith"));
        QTest::newRow("lower-case initial left out") << lowerMi << 0 << line(QStringLiteral("John Smith"));
        QTest::newRow("by last name with initial") << john << 1 << line(QStringLiteral("Smith, John J. "));
        QTest::newRow("by last name without initial") << ann << 1 << line(QStringLiteral("Lee, Ann "));
        QTest::newRow("by first name without initial") << ann << 0 << line(QStringLiteral("Ann Lee"));
        QTest::newRow("digit as initial left out")
            << Fields{{Field::FirstName, QStringLiteral("Al")}, {Field::MI, QStringLiteral("7")}} << 0
            << line(QStringLiteral("Al "));
        QTest::newRow("blank record") << Fields{} << 0 << line(QStringLiteral(" "));
        QTest::newRow("accented, by last name")
            << Fields{{Field::FirstName, QStringLiteral("Émile")}, {Field::LastName, QStringLiteral("Zoë")}} << 1
            << line(QStringLiteral("Zoë, Émile "));
        QTest::newRow("stored widths kept")
            << Fields{{Field::FirstName, QStringLiteral("Ann")},
                      {Field::City, QStringLiteral("New York")},
                      {Field::State, QStringLiteral("NY")},
                      {Field::Zip, QStringLiteral("10001")},
                      {Field::Email, QStringLiteral("ann@example.com")}}
            << 0
            << line(QStringLiteral("Ann "), QStringLiteral("New York"), QStringLiteral("NY"), QStringLiteral("10001"),
                    {}, {}, QStringLiteral("ann@example.com"));
        QTest::newRow("phones by their leading number")
            << Fields{{Field::HomePhone, QStringLiteral("555-123-4567")},
                      {Field::CellPhone, QStringLiteral("+1 555-0100")}}
            << 0
            << line(QStringLiteral(" "), {}, {}, {}, QStringLiteral("555-123-4567"), QStringLiteral("+1 555-0100"));
        QTest::newRow("phones without a number show blank")
            << Fields{{Field::HomePhone, QStringLiteral("(555) 123-4567")}, {Field::CellPhone, QStringLiteral("0000")}}
            << 0 << line(QStringLiteral(" "));
        QTest::newRow("a fraction with an exponent is no number")
            << Fields{{Field::HomePhone, QStringLiteral("0.5e1")}} << 0 << line(QStringLiteral(" "));
    }
    void listLine()
    {
        QFETCH(Fields, fields);
        QFETCH(int, order);
        QFETCH(QString, expected);
        const ContactRecord record = contact(fields);
        QCOMPARE(quillet::listLine(record, static_cast<SortOrder>(order)), expected);
        QCOMPARE(quillet::listLine(QByteArrayView(record.toBytes()), static_cast<SortOrder>(order)), expected);
        QByteArray bytes("kept ");
        appendListLine(bytes, record.toBytes(), static_cast<SortOrder>(order));
        QCOMPARE(bytes, "kept " + expected.toLatin1()); // every test text is Latin-1, as Windows-1252 stores it
    }

    void matches_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        const auto city = [](const char* value) { return Fields{{Field::City, QString::fromUtf8(value)}}; };
        const auto zip = [](const char* value) { return Fields{{Field::Zip, QString::fromUtf8(value)}}; };
        const int cityCode = int(SearchField::City);
        const int zipCode = int(SearchField::Zip);
        QTest::newRow("york in New York") << cityCode << city("New York") << "york" << true;
        QTest::newRow("york in YORK") << cityCode << city("YORK") << "york" << true;
        QTest::newRow("other city") << cityCode << city("Leeds") << "york" << false;
        QTest::newRow("zip is case-sensitive") << zipCode << zip("K1A 0B1") << "k1a" << false;
        QTest::newRow("zip exact case") << zipCode << zip("K1A 0B1") << "K1A" << true;
        QTest::newRow("empty text finds a filled field") << cityCode << city("Paris") << "" << true;
        QTest::newRow("empty text misses a blank field") << cityCode << city("") << "" << false;
        QTest::newRow("text misses a blank field") << cityCode << city("") << "a" << false;
        QTest::newRow("stored padding is not searched") << cityCode << city("Paris") << "Paris " << false;
        QTest::newRow("view all takes blank records") << int(SearchField::All) << Fields{} << "zzz" << true;
        QTest::newRow("state ignores case")
            << int(SearchField::State) << Fields{{Field::State, QStringLiteral("NY")}} << "ny" << true;
        QTest::newRow("category substring")
            << int(SearchField::Category) << Fields{{Field::Category, QStringLiteral("Friends|Work")}} << "WORK"
            << true;
        QTest::newRow("first name searched, not last")
            << int(SearchField::FirstName) << Fields{{Field::LastName, QStringLiteral("Ann")}} << "ann" << false;
        QTest::newRow("email ignores case")
            << int(SearchField::Email) << Fields{{Field::Email, QStringLiteral("ANN@EXAMPLE.COM")}} << "ann@" << true;
        QTest::newRow("typed as the record stores it")
            << int(SearchField::LastName) << Fields{{Field::LastName, QStringLiteral("Nguyen")}}
            << QStringLiteral("Nguyễn") << true;
    }
    void matches()
    {
        QFETCH(int, field);
        QFETCH(Fields, fields);
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(matchesSearch(contact(fields), static_cast<SearchField>(field), text), expected);
    }

    void order_ignoresCase_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("C") << QStringLiteral("C");
        QTest::newRow("en_US") << QStringLiteral("en_US");
        QTest::newRow("de_DE") << QStringLiteral("de_DE");
    }
    void order_ignoresCase()
    {
        QFETCH(QString, locale);
        const ListOrder order{QLocale(locale)};
        std::vector<ListEntry> entries{{QStringLiteral("bob"), 1},       {QStringLiteral("ann smith"), 2},
                                       {QStringLiteral("Bill"), 3},      {QStringLiteral("Ann Smith"), 4},
                                       {QStringLiteral("ANN SMITH"), 5}, {QStringLiteral("Anna"), 6},
                                       {QStringLiteral("ann"), 7}};
        order.sort(entries);
        QCOMPARE(texts(entries), (QStringList{"ann", "ann smith", "Ann Smith", "ANN SMITH", "Anna", "Bill", "bob"}));
        QCOMPARE(entries[1].recordNumber, 2); // equal lines keep record order
        QCOMPARE(order.insertionPoint(entries, QStringLiteral("ANN SMITH")), std::size_t(4));
        QCOMPARE(order.insertionPoint(entries, QString()), std::size_t(0));
    }

    // The C locale's order is computed here rather than by QCollator; it must agree.
    void order_cLocaleAgreesWithCollator_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        const auto row = [](const char* a, const char* b) {
            QTest::addRow("%s|%s", a, b) << QString::fromUtf8(a) << QString::fromUtf8(b);
        };
        row("abc", "ABD");
        row("John J. Smith\tYork", "john j. smith\tyork");
        row("John J. Smith\tYork", "john j. smith\tYorkshire");
        row("[", "a");
        row("[", "Z");
        row("_x", "Ax");
        row("a\tb", "a b");
        row("", "a");
        row("Émile", "émile");
        row("Émile", "Emile");
        row("Éa", "f");
        row("Straße", "STRASSE");
        row("ǅ", "ǆ");
        row("x𐐀y", "x𐐨z");
        row("x𐐀z", "x𐐨y");
        row("a\xEE\x80\x80", "a𐐀");
    }
    void order_cLocaleAgreesWithCollator()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QCollator collator{QLocale::c()};
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        const ListOrder order{QLocale::c()};
        const auto sign = [](int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); };
        QCOMPARE(sign(order.compare(a, b)), sign(collator.compare(a, b)));
        QCOMPARE(sign(order.compare(b, a)), sign(collator.compare(b, a)));
    }

    void order_followsLocale()
    {
        std::vector<ListEntry> entries{
            {QStringLiteral("Fred"), 1}, {QStringLiteral("Émile"), 2}, {QStringLiteral("Eddy"), 3}};
        ListOrder(QLocale(QStringLiteral("en_US"))).sort(entries);
        QCOMPARE(texts(entries), (QStringList{"Eddy", "Émile", "Fred"}));
    }

    void loadList_searchesSortsAndCarriesNumbers()
    {
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath(QStringLiteral("Friends.DAT"));
        QVERIFY(test::writeContactsFile(path, {person("zoe", "Adams", "York"), person("Al", "Young", "New York"),
                                               person("Bea", "Cole", "Leeds"), person("al", "Brown", "YORK")}));
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        const ListQuery byFirst{SearchField::City, QStringLiteral("york"), SortOrder::FirstName};
        const Partial<std::vector<ListEntry>> found = loadList(file, byFirst, ListOrder());
        QVERIFY(found.complete());
        QList<int> numbers;
        for (const ListEntry& entry : found.value)
            numbers << entry.recordNumber;
        QCOMPARE(numbers, (QList<int>{4, 2, 1})); // "al Brown", "Al Young", "zoe Adams"
        const ListQuery byLast{SearchField::All, QString(), SortOrder::LastName};
        const Partial<std::vector<ListEntry>> all = loadList(file, byLast, ListOrder());
        QVERIFY(all.complete());
        const std::vector<ListEntry>& entries = all.value;
        QCOMPARE(entries.size(), std::size_t(4));
        QVERIFY(entries.front().text.startsWith(QStringLiteral("Adams, zoe \t")));
        QCOMPARE(entries.front().recordNumber, 1);
        QCOMPARE(entries.back().recordNumber, 2);
    }

    void pasted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("copied lines") << "\r\nA\r\nB" << QStringList{"", "A", "B"};
        QTest::newRow("one line") << "A" << QStringList{"A"};
        QTest::newRow("empty clipboard") << "" << QStringList{""};
        QTest::newRow("trailing break") << "A\r\n" << QStringList{"A", ""};
        QTest::newRow("lone line feeds stay") << "A\nB\rC" << QStringList{"A\nB\rC"};
    }
    void pasted()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(pastedLines(text), lines);
    }

    void model_mergesInsertsAndRemoves()
    {
        ListModel model;
        model.addSorted({{QStringLiteral("b"), 2}, {QStringLiteral("d"), 4}});
        model.addSorted({{QStringLiteral("a"), 1}, {QStringLiteral("B"), 5}, {QStringLiteral("e"), 6}});
        QCOMPARE(model.lines(), (QStringList{"a", "b", "B", "d", "e"}));
        QCOMPARE(model.insert({QStringLiteral("c"), 0}), 3);
        QCOMPARE(model.insert({QString(), 0}), 0);
        QCOMPARE(model.lines(), (QStringList{"", "a", "b", "B", "c", "d", "e"}));
        QCOMPARE(model.data(model.index(3, 0), ListModel::RecordNumberRole).toInt(), 5);
        model.removeRowsAt({6, 1, 3, 4, 3, 99, -1});
        QCOMPARE(model.lines(), (QStringList{"", "b", "d"}));
        QCOMPARE(model.entry(1).recordNumber, 2);
    }
};

QTEST_GUILESS_MAIN(TestListCore)
#include "tst_listcore.moc"
