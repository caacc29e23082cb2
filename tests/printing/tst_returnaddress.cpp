#include "core/printing/GridTranscript.h"
#include "core/printing/ReturnAddress.h"
#include "support/ScriptedPlatform.h"

#include <QtTest>

using namespace quillet;

using Lines = std::array<QString, 5>;
Q_DECLARE_METATYPE(Lines)

namespace {

QStringList sheet(const Lines& lines)
{
    return gridTranscript(returnaddress::compose(lines)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The text line of a label row's first line: five empty lines at the top, four
// lines a row, one more after rows 8 and 13.
int rowStart(int row)
{
    return 6 + 4 * (row - 1) + (row > 8 ? 1 : 0) + (row > 13 ? 1 : 0);
}

QString fourAcross(int number, const QString& text)
{
    QString line = QStringLiteral("%1 8 |").arg(number);
    const int prefix = line.size();
    for (int column : returnaddress::labelColumns) {
        line = line.leftJustified(prefix + column - 1, QLatin1Char(' '));
        line += text;
    }
    return line;
}

} // namespace

class TestReturnAddress : public QObject
{
    Q_OBJECT
private slots:
    void checks_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("focusLine");
        QTest::newRow("nothing typed") << Lines{} << "Fill in Lines 1, 2, and 3"
                                       << "Missing Data" << 1;
        QTest::newRow("only line 4") << Lines{"", "", "", "x", ""} << "Fill in Lines 1, 2, and 3"
                                     << "Missing Data" << 1;
        QTest::newRow("line 5 filled") << Lines{"a", "b", "c", "", "x"} << "Leave Lines 4 and 5 blank"
                                       << "Small label can fit only 3 lines" << 4;
        QTest::newRow("line 4 filled") << Lines{"a", "", "", "x", ""} << "Leave Lines 4 and 5 blank"
                                       << "Small label can fit only 3 lines" << 4;
        QTest::newRow("an empty middle line is allowed") << Lines{"a", "", "c", "", ""} << ""
                                                         << "" << 0;
    }
    void checks()
    {
        QFETCH(Lines, lines);
        QFETCH(QString, message);
        QFETCH(QString, title);
        QFETCH(int, focusLine);
        const std::optional<PrintRejection> rejection = returnaddress::check(lines);
        QCOMPARE(rejection ? rejection->message : QString(), message);
        QCOMPARE(rejection ? rejection->title : QString(), title);
        QCOMPARE(rejection ? rejection->focusLine : 0, focusLine);
    }

    void sheetOfEightyLabels()
    {
        const QStringList lines = sheet({"Ann Lee", "", "Troy, NY", "", ""});
        QCOMPARE(lines.size(), 1 + 87);
        QCOMPARE(lines[0], QStringLiteral("page 1 portrait"));
        QCOMPARE(lines[87], QStringLiteral("87 8 |"));
        int labels = 0;
        for (int row = 1; row <= 20; ++row) {
            const int first = rowStart(row);
            QCOMPARE(lines[first], fourAcross(first, "Ann Lee"));
            QCOMPARE(lines[first + 1], QStringLiteral("%1 8 |").arg(first + 1)); // the empty middle line
            QCOMPARE(lines[first + 2], fourAcross(first + 2, "Troy, NY"));
            QCOMPARE(lines[first + 3], QStringLiteral("%1 8 |").arg(first + 3));
            labels += lines[first].count(QStringLiteral("Ann Lee"));
        }
        QCOMPARE(labels, 80);
        QCOMPARE(lines[38], QStringLiteral("38 8 |")); // the extra line after row 8
        QCOMPARE(lines[59], QStringLiteral("59 8 |")); // and after row 13
    }

    void longLineMovesToTheNextLine()
    {
        // Line 1 overruns the gap to the next label column (33 characters from
        // column 3 reach column 36): each further copy lands on the following line.
        const QString longLine(33, QLatin1Char('x'));
        const QStringList lines = sheet({longLine, "b", "c", "", ""});
        const QString pad = QStringLiteral(" ");
        QCOMPARE(lines[6], QStringLiteral("6 8 |  ") + longLine);
        QCOMPARE(lines[7], QStringLiteral("7 8 |") + pad.repeated(34) + longLine);
        QCOMPARE(lines[8], QStringLiteral("8 8 |") + pad.repeated(65) + longLine);
        QCOMPARE(lines[9], QStringLiteral("9 8 |") + pad.repeated(96) + longLine);
        QCOMPARE(lines[10], fourAcross(10, "b"));
        const QString text = lines.join(QLatin1Char('\n'));
        QCOMPARE(text.count(longLine), 80);               // nothing is shortened or lost
        QCOMPARE(text.count(QStringLiteral("page ")), 2); // 147 lines run onto a second page
    }

    void gapWideEnoughStaysOnItsLine()
    {
        const QString fits(31, QLatin1Char('y')); // fills the narrowest gap, 66 to 96, exactly
        QCOMPARE(sheet({fits, "b", "c", "", ""}).at(6), fourAcross(6, fits));
    }

    // Long lines push the sheet onto a second page after line 89, as they always
    // did, though the rows now sit on the paper by their labels.
    void pushedLinesBreakThePageAtLine89()
    {
        const QString line(40, u'x');
        const QString transcript = gridTranscript(returnaddress::compose({line, line, line, "", ""}));
        QVERIFY(QRegularExpression(QStringLiteral("\n89 8 \\|[^\n]*\npage 2 portrait\n")).match(transcript).hasMatch());
    }

    void copiesAreSeparateJobs()
    {
        RecordingPrintTarget target;
        PrintChoice choice;
        choice.cancelled = false;
        choice.copies = 3;
        QVERIFY(returnaddress::print({"a", "b", "c", "", ""}, choice, target).ok());
        QCOMPARE(target.jobs.size(), 3);
        QCOMPARE(gridTranscript(target.jobs[2].document),
                 gridTranscript(returnaddress::compose({"a", "b", "c", "", ""})));
    }
};

QTEST_MAIN(TestReturnAddress)
#include "tst_returnaddress.moc"
