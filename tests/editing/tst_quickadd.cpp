#include "core/editing/QuickAddParser.h"

#include <QtTest>

using namespace quillet;
using F = FormField;

namespace {

// "field=value" for every field the parse filled, in form order; unfilled fields are absent.
QStringList filled(const QuickAddResult& result)
{
    QStringList out;
    for (FormField field : allFormFields()) {
        if (result.value(field))
            out << formFieldObjectName(field) + u'=' + *result.value(field);
    }
    return out;
}

QStringList parse(const QStringList& lines)
{
    return filled(parseLabelLines(lines));
}

} // namespace

class TestQuickAdd : public QObject
{
    Q_OBJECT
private slots:
    void examples_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("full address with apartment")
            << QStringList{"John Q. Public", "123 Main Street Apt 4", "San Diego, CA 92101"}
            << QStringList{
                   "txtACFName=John",    "txtACMiddleInit=Q",   "txtACLName=Public", "txtACFStreet=123 Main Street",
                   "txtACSStreet=Apt 4", "txtACCity=San Diego", "txtACState=CA",     "txtACZip=92101"};
        QTest::newRow("road without comma in city line")
            << QStringList{"Jane Smith", "42 Elm Rd", "Portland OR 97201"}
            << QStringList{"txtACFName=Jane",    "txtACLName=Smith", "txtACFStreet=42 Elm Rd", "txtACSStreet=",
                           "txtACCity=Portland", "txtACState=OR",    "txtACZip=97201"};
        QTest::newRow("ZIP+4 keeps ten characters")
            << QStringList{"Ann Lee", "7 Oak Way", "New York, NY 10001-1234"}
            << QStringList{"txtACFName=Ann",     "txtACLName=Lee", "txtACFStreet=7 Oak Way", "txtACSStreet=",
                           "txtACCity=New York", "txtACState=NY",  "txtACZip=10001-1234"};
        QTest::newRow("title stays in the last name")
            << QStringList{"Mr. John Smith"} << QStringList{"txtACFName=John", "txtACLName=John Smith"};
        QTest::newRow("capital Ave matches no group")
            << QStringList{"Al Bo", "12 Oak Ave Unit 5"}
            << QStringList{"txtACFName=Al", "txtACLName=Bo", "txtACFStreet=12 Oak Ave Unit 5", "txtACSStreet="};
        QTest::newRow("apartment sign") << QStringList{"", "9 Pine St #12"}
                                        << QStringList{"txtACFStreet=9 Pine St", "txtACSStreet=#12"};
        QTest::newRow("dot removed before the search")
            << QStringList{"", "5 Main St. Apt 2"} << QStringList{"txtACFStreet=5 Main St Apt 2", "txtACSStreet=2"};
        QTest::newRow("street not starting with a digit") << QStringList{"Al Bo", "PO Box 12", "San Diego, CA 92101"}
                                                          << QStringList{"txtACFName=Al", "txtACLName=Bo"};
        QTest::newRow("line 3 as second street") << QStringList{"", "10 Elm Street", "Apt 7", "Reno, NV 89501"}
                                                 << QStringList{"txtACFStreet=10 Elm Street", "txtACSStreet=Apt 7",
                                                                "txtACCity=Reno", "txtACState=NV", "txtACZip=89501"};
        QTest::newRow("short city line") << QStringList{"", "10 Elm Street", "Reno NV"}
                                         << QStringList{"txtACFStreet=10 Elm Street", "txtACSStreet="};
        QTest::newRow("five empty lines") << QStringList{"", "", "", "", ""} << QStringList{};
        QTest::newRow("empty street line ends the parse")
            << QStringList{"", "", "San Diego, CA 92101"} << QStringList{};
        QTest::newRow("last initial code wins")
            << QStringList{"Al B C Dee"} << QStringList{"txtACFName=Al", "txtACMiddleInit=C", "txtACLName=C Dee"};
        QTest::newRow("underscore initial is empty")
            << QStringList{"Al _ Dee"} << QStringList{"txtACFName=Al", "txtACMiddleInit=", "txtACLName=_ Dee"};
        QTest::newRow("dotted street rest loses the street's last letter")
            << QStringList{"", "1 N. Main Rd Apt 2"} << QStringList{"txtACFStreet=1 N Main Rd", "txtACSStreet=Apt 2"};
    }
    void examples()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, expected);
        QCOMPARE(parse(lines), expected);
    }

    void lineOneWithoutSpace()
    {
        const QuickAddResult result = parseLabelLines({"Madonna", "123 Main Street"});
        QVERIFY(result.lineOneNeedsSpace);
        QCOMPARE(filled(result), QStringList{});
        QVERIFY(!parseLabelLines({"", "123 Main Street"}).lineOneNeedsSpace);
    }

    // The street part for each suffix group: exact-case tests, the locate text in
    // any case from its start position, and the characters kept after it.
    void suffixGroups_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("street");
        QTest::addColumn<QString>("rest");
        auto row = [](const char* line, const char* street, const char* rest) {
            QTest::newRow(line) << QString::fromLatin1(line) << QString::fromLatin1(street)
                                << QString::fromLatin1(rest);
        };
        row("12 Oak ave N", "12 Oak ave", "N");
        row("12 Grand AVENUE Apt 3", "12 Grand AVENUE", "Apt 3");
        row("4 Elm st Rear", "4 Elm st", "Rear");
        row("100 Long street East", "100 Long street", "East");
        row("5 Sunset Blvd", "5 Sun", "set Blvd");
        row("5 Sunset blvd West", "5 Sunset blvd", "West");
        row("77 Ocean Boulevard Ste 9", "77 Ocean Boulevard", "Ste 9");
        row("3 Ring cir 2", "3 Ring cir", "2");
        row("3 Round CIRCLE", "3 Round CIRCLE", "");
        row("8 Oak CT", "8 O", "ak CT");
        row("8 Oak Court 5", "8 Oak Court", "5");
        row("9 Hill Dr Unit 1", "9 Hill Dr", "Unit 1");
        row("9 Lake Drive", "9 Lake Drive", "");
        row("1 Old HWY 9", "1 Old HWY", "9");
        row("1 Coast Highway", "1 Coast Highway", "");
        row("6 Elm ln B", "6 Elm ln", "B");
        row("6 Elm Lane", "6 Elm Lane", "");
        row("2 Bay PKWY", "2 Bay PKWY", "");
        row("2 Bay Parkway", "2 Bay Parkway", "");
        row("3 Elm PL 4", "3 Elm PL", "4");
        row("3 Elm Place", "3 Elm Place", "");
        row("42 Elm Rd", "42 Elm Rd", "");
        row("42 Long Road 5", "42 Long Road", "5");
        row("7 Vista ter 3", "7 Vista ter", "3");
        row("7 Vista Terrace", "7 Vista Terrace", "");
        row("7 Milky Way", "7 Milky Way", "");
        row("7 A Way", "7 A Way", "");
        row("12 Main St, Apt 3", "12 Main St", "Apt 3");
    }
    void suffixGroups()
    {
        QFETCH(QString, line);
        QFETCH(QString, street);
        QFETCH(QString, rest);
        const QuickAddResult result = parseLabelLines({QString(), line});
        QCOMPARE(result.value(F::Street), std::optional<QString>(street));
        QCOMPARE(result.value(F::Street2), std::optional<QString>(rest));
    }

    // Where the rules point before the start of a line, the field stays unfilled
    // and the rest of the parse goes on.
    void unparseableFieldsStayUnfilled_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no space in the first 18 characters")
            << QStringList{"Dr. Alexandrianopolous Smith", "4 Elm Rd", "Portland OR 97201"}
            << QStringList{"txtACFStreet=4 Elm Rd", "txtACSStreet=", "txtACCity=Portland", "txtACState=OR",
                           "txtACZip=97201"};
        QTest::newRow("comma only in positions 1-5")
            << QStringList{"Al Bo", "1 A, Elm Rd", "Portland OR 97201"}
            << QStringList{"txtACFName=Al", "txtACLName=Bo", "txtACCity=Portland", "txtACState=OR", "txtACZip=97201"};
        QTest::newRow("hash only in positions 1-5")
            << QStringList{"", "12 #4 Elm", "Portland OR 97201"}
            << QStringList{"txtACCity=Portland", "txtACState=OR", "txtACZip=97201"};
        QTest::newRow("city line without comma or space")
            << QStringList{"", "4 Elm Rd", "Springfield62701"}
            << QStringList{"txtACFStreet=4 Elm Rd", "txtACSStreet=", "txtACState=pr", "txtACZip=62701"};
        QTest::newRow("city comma only in positions 1-2")
            << QStringList{"", "4 Elm Rd", ",Springfield IL 62701"}
            << QStringList{"txtACFStreet=4 Elm Rd", "txtACSStreet=", "txtACState=IL", "txtACZip=62701"};
    }
    void unparseableFieldsStayUnfilled()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, expected);
        const QuickAddResult result = parseLabelLines(lines);
        QVERIFY(!result.lineOneNeedsSpace);
        QCOMPARE(filled(result), expected);
    }
};

QTEST_GUILESS_MAIN(TestQuickAdd)
#include "tst_quickadd.moc"
