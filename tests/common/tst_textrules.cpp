#include "core/common/TextRules.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace quillet;

class TestTextRules : public QObject
{
    Q_OBJECT
private slots:
    void trimSpaces_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("both");
        QTest::addColumn<QString>("leading");
        QTest::addColumn<QString>("trailing");
        QTest::newRow("spaces") << "  a b  "
                                << "a b"
                                << "a b  "
                                << "  a b";
        QTest::newRow("tabs stay") << "\ta\t"
                                   << "\ta\t"
                                   << "\ta\t"
                                   << "\ta\t";
        QTest::newRow("line breaks stay") << " \n x \r\n "
                                          << "\n x \r\n"
                                          << "\n x \r\n "
                                          << " \n x \r\n";
        QTest::newRow("all spaces") << "    "
                                    << ""
                                    << ""
                                    << "";
        QTest::newRow("empty") << ""
                               << ""
                               << ""
                               << "";
        QTest::newRow("no-break space stays") << QStringLiteral("\u00a0a ") << QStringLiteral("\u00a0a")
                                              << QStringLiteral("\u00a0a ") << QStringLiteral("\u00a0a");
    }
    void trimSpaces()
    {
        QFETCH(QString, text);
        QFETCH(QString, both);
        QFETCH(QString, leading);
        QFETCH(QString, trailing);
        QCOMPARE(text::trimSpaces(text), both);
        QCOMPARE(text::trimLeadingSpaces(text), leading);
        QCOMPARE(text::trimTrailingSpaces(text), trailing);
    }

    void contains_data()
    {
        QTest::addColumn<QString>("haystack");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<bool>("expected");
        QTest::newRow("empty in empty") << ""
                                        << "" << false;
        QTest::newRow("text in empty") << ""
                                       << "a" << false;
        QTest::newRow("empty in text") << "abc"
                                       << "" << true;
        QTest::newRow("inside") << "abc"
                                << "bc" << true;
        QTest::newRow("case matters") << "abc"
                                      << "B" << false;
        QTest::newRow("longer needle") << "abc"
                                       << "abcd" << false;
        QTest::newRow("space haystack") << " "
                                        << "" << true;
    }
    void contains()
    {
        QFETCH(QString, haystack);
        QFETCH(QString, needle);
        QFETCH(bool, expected);
        QCOMPARE(text::contains(haystack, needle), expected);
    }

    void substrings_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("valid");
        // Over "Hello": counts past the end clamp, negative ones and start 0 are invalid calls.
        QTest::newRow("left 2") << "left" << 2 << 0 << "He" << true;
        QTest::newRow("left 0") << "left" << 0 << 0 << "" << true;
        QTest::newRow("left past end") << "left" << 99 << 0 << "Hello" << true;
        QTest::newRow("left negative") << "left" << -1 << 0 << "" << false;
        QTest::newRow("right 3") << "right" << 3 << 0 << "llo" << true;
        QTest::newRow("right past end") << "right" << 9 << 0 << "Hello" << true;
        QTest::newRow("right negative") << "right" << -2 << 0 << "" << false;
        QTest::newRow("mid 2") << "mid" << 2 << -1 << "ello" << true;
        QTest::newRow("mid 2,3") << "mid" << 2 << 3 << "ell" << true;
        QTest::newRow("mid 5,9") << "mid" << 5 << 9 << "o" << true;
        QTest::newRow("mid 6") << "mid" << 6 << -1 << "" << true;
        QTest::newRow("mid 60,2") << "mid" << 60 << 2 << "" << true;
        QTest::newRow("mid 0") << "mid" << 0 << -1 << "" << false;
        QTest::newRow("mid 1,-1") << "mid" << 1 << -2 << "" << false;
    }
    void substrings()
    {
        QFETCH(QString, call);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(QString, expected);
        QFETCH(bool, valid);
        const QString hello = QStringLiteral("Hello");
        bool ok = !valid;
        QString result;
        if (call == QLatin1String("left"))
            result = text::left(hello, a, &ok);
        else if (call == QLatin1String("right"))
            result = text::right(hello, a, &ok);
        else if (b == -1)
            result = text::mid(hello, a, &ok);
        else
            result = text::mid(hello, a, b == -2 ? -1 : b, &ok);
        QCOMPARE(result, expected);
        QCOMPARE(ok, valid);
    }

    void positionOf_data()
    {
        QTest::addColumn<QString>("haystack");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("valid");
        QTest::newRow("first") << "a,b,c"
                               << "," << 1 << 2 << true;
        QTest::newRow("from 3") << "a,b,c"
                                << "," << 3 << 4 << true;
        QTest::newRow("from 5") << "a,b,c"
                                << "," << 5 << 0 << true;
        QTest::newRow("absent") << "abc"
                                << "x" << 1 << 0 << true;
        QTest::newRow("start past end") << "abc"
                                        << "c" << 4 << 0 << true;
        QTest::newRow("empty haystack") << ""
                                        << "" << 1 << 0 << true;
        QTest::newRow("empty needle") << "abc"
                                      << "" << 2 << 2 << true;
        QTest::newRow("empty needle past end") << "abc"
                                               << "" << 5 << 0 << true;
        QTest::newRow("start 0") << "abc"
                                 << "a" << 0 << 0 << false;
    }
    void positionOf()
    {
        QFETCH(QString, haystack);
        QFETCH(QString, needle);
        QFETCH(int, start);
        QFETCH(int, expected);
        QFETCH(bool, valid);
        bool ok = !valid;
        QCOMPARE(text::positionOf(haystack, needle, start, &ok), expected);
        QCOMPARE(ok, valid);
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blank") << "        " << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("stored date") << "19800410" << 19800410.0;
        QTest::newRow("blanks between digits") << "  1 2.5x" << 12.5;
        QTest::newRow("tab and line feed") << "\t\n7" << 7.0;
        QTest::newRow("minus") << "-3" << -3.0;
        QTest::newRow("plus") << "+4" << 4.0;
        QTest::newRow("blank after sign") << "- 5" << -5.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("D exponent") << "1D2" << 100.0;
        QTest::newRow("bare E stops") << "2e" << 2.0;
        QTest::newRow("E with sign only stops") << "2e+x" << 2.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("one") << "00000001" << 1.0;
        QTest::newRow("digits then letters") << "12ab34" << 12.0;
        QTest::newRow("comma stops") << "1,000" << 1.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(text::leadingNumber(text), expected);
    }

    void leadingWholeNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("fraction and exponent stop") << "0.5e1" << 0.0;
        QTest::newRow("leading point") << ".5" << 0.0;
        QTest::newRow("phone") << " 5 55-123-4567" << 555.0;
        QTest::newRow("sign") << "-12x" << -12.0;
        QTest::newRow("exponent stops") << "1e3" << 1.0;
    }
    void leadingWholeNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(text::leadingWholeNumber(text), expected);
    }

    void leadingNumber_overflowIsInfinite() { QVERIFY(std::isinf(text::leadingNumber(QStringLiteral("1e999")))); }

    void isNumeric_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blank") << "   " << false;
        QTest::newRow("digits") << "1234" << true;
        QTest::newRow("surrounded") << " -12.5 " << true;
        QTest::newRow("plus point") << "+.5" << true;
        QTest::newRow("trailing point") << "5." << true;
        QTest::newRow("point only") << "." << false;
        QTest::newRow("thousands") << "1,000" << true;
        QTest::newRow("double comma") << "1,,0" << false;
        QTest::newRow("leading comma") << ",1" << false;
        QTest::newRow("exponent") << "1e5" << true;
        QTest::newRow("signed exponent") << "1E-5" << true;
        QTest::newRow("bare exponent") << "1e" << false;
        QTest::newRow("letters") << "abc" << false;
        QTest::newRow("digits then letter") << "12a" << false;
        QTest::newRow("two signs") << "--5" << false;
        QTest::newRow("phone") << "555-1234" << false;
        QTest::newRow("arabic-indic digits") << QStringLiteral("\u0661\u0662") << false;
    }
    void isNumeric()
    {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(text::isNumeric(text), expected);
    }

    void rounding_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("rounded");
        QTest::addColumn<bool>("fits16");
        QTest::newRow("0.5") << 0.5 << 0.0 << true;
        QTest::newRow("1.5") << 1.5 << 2.0 << true;
        QTest::newRow("2.5") << 2.5 << 2.0 << true;
        QTest::newRow("3.5") << 3.5 << 4.0 << true;
        QTest::newRow("2.4") << 2.4 << 2.0 << true;
        QTest::newRow("2.6") << 2.6 << 3.0 << true;
        QTest::newRow("-1.5") << -1.5 << -2.0 << true;
        QTest::newRow("-2.5") << -2.5 << -2.0 << true;
        QTest::newRow("32767.4") << 32767.4 << 32767.0 << true;
        QTest::newRow("32767.5 overflows") << 32767.5 << 32768.0 << false;
        QTest::newRow("-32768.5 fits") << -32768.5 << -32768.0 << true;
        QTest::newRow("-32769") << -32769.0 << -32769.0 << false;
    }
    void rounding()
    {
        QFETCH(double, value);
        QFETCH(double, rounded);
        QFETCH(bool, fits16);
        QCOMPARE(text::roundHalfEven(value), rounded);
        const std::optional<int> small = text::roundToInt16(value);
        QCOMPARE(small.has_value(), fits16);
        if (fits16)
            QCOMPARE(*small, int(rounded));
        QCOMPARE(text::roundToInt32(value).value_or(-1), int(rounded));
    }

    void rounding_rejectsWhatIsNoNumber()
    {
        QVERIFY(!text::roundToInt16(std::numeric_limits<double>::quiet_NaN()));
        QVERIFY(!text::roundToInt16(std::numeric_limits<double>::infinity()));
        QVERIFY(!text::roundToInt32(2147483647.5));
        QCOMPARE(text::roundToInt32(-2147483648.4).value_or(0), std::numeric_limits<int>::min());
    }

    void caseMapping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::newRow("ascii") << "usa, inc"
                               << "USA, INC"
                               << "usa, inc";
        QTest::newRow("sharp s stays one")
            << QStringLiteral("straße") << QStringLiteral("STRAßE") << QStringLiteral("straße");
        QTest::newRow("accents") << QStringLiteral("école") << QStringLiteral("ÉCOLE") << QStringLiteral("école");
        QTest::newRow("ligature stays one")
            << QStringLiteral("\ufb01x") << QStringLiteral("\ufb01X") << QStringLiteral("\ufb01x");
        QTest::newRow("outside the BMP") << QStringLiteral("\U00010428a") << QStringLiteral("\U00010400A")
                                         << QStringLiteral("\U00010428a");
    }
    void caseMapping()
    {
        QFETCH(QString, text);
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        QCOMPARE(text::upperCase(text), upper);
        QCOMPARE(text::lowerCase(upper), lower);
        QCOMPARE(text::upperCase(text).size(), text.size());
    }

    void keywords()
    {
        QVERIFY(text::isKeyword(u"Quoted-Printable", QLatin1StringView("QUOTED-PRINTABLE")));
        QVERIFY(!text::isKeyword(u"BEGINS", QLatin1StringView("BEGIN")));
        QVERIFY(!text::isKeyword(u"", QLatin1StringView("N")));
        QVERIFY(text::holdsKeyword(u"internet,HOME,", QLatin1StringView("home")));
        QVERIFY(text::holdsKeyword(u"pref", QLatin1StringView("pref")));
        QVERIFY(!text::holdsKeyword(u"hom", QLatin1StringView("home")));
        // Only ASCII letters match without case: the Kelvin sign is not a "k".
        QVERIFY(!text::isKeyword(u"\u212A", QLatin1StringView("k")));
        QCOMPARE(text::find(u"a;b;c", u';', 2), 3);
        QCOMPARE(text::find(u"abc", u';'), -1);
        QCOMPARE(text::find(u"abc", u'a', 5), -1);
    }
};

QTEST_GUILESS_MAIN(TestTextRules)
#include "tst_textrules.moc"
