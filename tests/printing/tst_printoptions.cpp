#include "core/printing/EnvelopeSizes.h"
#include "core/printing/JobTitle.h"
#include "core/printing/LabelPositionEntry.h"
#include "core/printing/LabelSheet.h"
#include "core/printing/PrintMargins.h"
#include "core/printing/PrintOptionsChoice.h"

#include <QtTest>

using namespace quillet;

using OptionalMargins = std::optional<GridMargins>;

namespace quillet {
char* toString(const OptionalMargins& margins)
{
    return QTest::toString(margins ? QStringLiteral("%1/%2").arg(margins->indents).arg(margins->padRows)
                                   : QStringLiteral("none"));
}
} // namespace quillet
Q_DECLARE_METATYPE(OptionalMargins)
Q_DECLARE_METATYPE(labelposition::Outcome)

class TestPrintOptions : public QObject
{
    Q_OBJECT
private slots:
    void envelopeListInOrder()
    {
        const QStringList& names = envelopes::sizeNames();
        QCOMPARE(names.size(), 7);
        QCOMPARE(names.first(), QStringLiteral("#10 Standard Business envelope (4 1/8 in x 9 1/2 in)"));
        QCOMPARE(names[4], QStringLiteral("#A8 Std Greeting Card envelope (5.5 in x 8 1/8 in)"));
        QCOMPARE(names.last(), QStringLiteral("Custom (edit Left and Top margin boxes)"));
    }

    void envelopePresets_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<OptionalMargins>("onSize");
        QTest::addColumn<OptionalMargins>("onEnvelope");
        QTest::newRow("1 #10") << 1 << OptionalMargins{{38, 33}} << OptionalMargins{{43, 39}};
        QTest::newRow("2 #6 3/4") << 2 << OptionalMargins{{23, 32}} << OptionalMargins{{28, 39}};
        QTest::newRow("3 #A2") << 3 << OptionalMargins{{20, 32}} << OptionalMargins{{24, 37}};
        QTest::newRow("4 #A7") << 4 << OptionalMargins{{28, 30}} << OptionalMargins{{34, 36}};
        QTest::newRow("5 #A8") << 5 << OptionalMargins{{30, 30}} << OptionalMargins{{36, 36}};
        QTest::newRow("6 #A10") << 6 << OptionalMargins{{36, 25}} << OptionalMargins{{44, 30}};
        QTest::newRow("7 Custom") << 7 << OptionalMargins{{30, 30}} << OptionalMargins{{36, 36}};
        QTest::newRow("0 none") << 0 << OptionalMargins{} << OptionalMargins{};
        QTest::newRow("8 none") << 8 << OptionalMargins{} << OptionalMargins{};
    }
    void envelopePresets()
    {
        QFETCH(int, size);
        QFETCH(OptionalMargins, onSize);
        QFETCH(OptionalMargins, onEnvelope);
        QCOMPARE(envelopes::presetOnChoosingSize(size), onSize);
        QCOMPARE(envelopes::presetOnChoosingEnvelope(size), onEnvelope);
    }

    // Every position of the sheet against the printed sheet's own margins.
    void positionMargins_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("indents");
        QTest::addColumn<QString>("padRows");
        const char* const expected[] = {
            "2 3",   "35 3",  "68 3",  "2 10",  "35 10", "68 10", "2 16",  "35 16", "68 16", "2 23",
            "35 23", "68 23", "2 30",  "35 30", "68 30", "2 36",  "35 36", "68 36", "2 43",  "35 43",
            "68 43", "2 50",  "35 50", "68 50", "2 56",  "35 56", "68 56", "2 63",  "35 63", "68 63",
        };
        for (int position = 1; position <= 30; ++position) {
            const QStringList margins = QString::fromLatin1(expected[position - 1]).split(u' ');
            QTest::addRow("%d", position) << position << margins[0] << margins[1];
        }
    }
    void positionMargins()
    {
        QFETCH(int, position);
        QFETCH(QString, indents);
        QFETCH(QString, padRows);
        const GridMargins margins = labelsheet::positionMargins(position);
        QCOMPARE(margins.indentsText(), indents);
        QCOMPARE(margins.padRowsText(), padRows);
    }

    void positionAnswer_data()
    {
        using labelposition::Outcome;
        const QString tooLarge = QStringLiteral("Cannot be greater than 30");
        const QString between = QStringLiteral("Enter a number between 1 and 30");
        const QString thirty = QStringLiteral("There are 30 labels on label sheet");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<OptionalMargins>("margins");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("messageTitle");
        QTest::newRow("5") << "5" << Outcome::Accepted << OptionalMargins{{35, 10}} << "Label Position 5"
                           << ""
                           << "";
        QTest::newRow("05") << "05" << Outcome::Accepted << OptionalMargins{{35, 10}} << "Label Position 5"
                            << ""
                            << "";
        QTest::newRow("30") << "30" << Outcome::Accepted << OptionalMargins{{68, 63}} << "Label Position 30"
                            << ""
                            << "";
        QTest::newRow("28") << "28" << Outcome::Accepted << OptionalMargins{{2, 63}} << "Label Position 28"
                            << ""
                            << "";
        QTest::newRow("31") << "31" << Outcome::AskAgain << OptionalMargins{} << "" << tooLarge << between;
        QTest::newRow("100") << "100" << Outcome::AskAgain << OptionalMargins{} << "" << tooLarge << between;
        QTest::newRow("1.5") << "1.5" << Outcome::AskAgain << OptionalMargins{} << "" << between << thirty;
        QTest::newRow("abc") << "abc" << Outcome::AskAgain << OptionalMargins{} << "" << between << thirty;
        QTest::newRow("005 sets the preset, then asks again")
            << "005" << Outcome::AskAgain << OptionalMargins{{35, 10}} << "" << between << thirty;
        QTest::newRow("negative") << "-3" << Outcome::AskAgain << OptionalMargins{} << "" << between << thirty;
        QTest::newRow("two letters") << "ab" << Outcome::NoPosition << OptionalMargins{} << ""
                                     << ""
                                     << "";
        QTest::newRow("cancelled") << "" << Outcome::NoPosition << OptionalMargins{} << ""
                                   << ""
                                   << "";
        QTest::newRow("zero") << "0" << Outcome::NoPosition << OptionalMargins{} << ""
                              << ""
                              << "";
    }
    void positionAnswer()
    {
        QFETCH(QString, answer);
        QFETCH(labelposition::Outcome, outcome);
        QFETCH(OptionalMargins, margins);
        QFETCH(QString, caption);
        QFETCH(QString, message);
        QFETCH(QString, messageTitle);
        const labelposition::Answer result = labelposition::checkAnswer(answer);
        QCOMPARE(result.outcome, outcome);
        QCOMPARE(result.margins, margins);
        QCOMPARE(result.caption, caption);
        QCOMPARE(result.message, message);
        QCOMPARE(result.messageTitle, messageTitle);
    }

    // A run of choices, each step's preset margins put into the fields, and what the
    // options show at the end: medium, orientation, EnvelopeSizeNo, list, Bold, caption.
    void optionChoices_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("margins");
        auto row = [](const char* name, const QString& steps, const char* shown, const char* margins) {
            QTest::newRow(name) << steps.split(u' ') << QString::fromLatin1(shown) << QString::fromLatin1(margins);
        };
        row("start", "start", "none portrait '' list:no bold:no caption:no ''", "2/3");
        row("label position 5", "start label 5", "label portrait '' list:no bold:no caption:yes 'Label Position 5'",
            "35/10");
        row("cancelled position", "start label empty", "none portrait '' list:no bold:no caption:no ''", "2/3");
        row("asked again keeps label", "start label 31", "label portrait '' list:no bold:no caption:no ''", "2/3");
        row("portrait after a position drops the caption", "start label 5 landscape portrait",
            "label portrait '' list:no bold:no caption:no ''", "2/3");
        row("envelope without a size", "start envelope", "envelope landscape '0' list:yes bold:no caption:no ''",
            "2/3");
        row("size 2 shows Bold", "start envelope size2", "envelope landscape '2' list:yes bold:yes caption:no ''",
            "23/32");
        row("envelope again with size 2", "start envelope size2 envelope",
            "envelope landscape '2' list:yes bold:yes caption:no ''", "28/39");
        row("envelope empties the caption", "start label 5 envelope",
            "envelope landscape '0' list:yes bold:no caption:yes ''", "35/10");
        row("label after envelope", "start envelope size2 bold label 30",
            "label portrait '2' list:no bold:no caption:yes 'Label Position 30'", "68/63");
        row("clear form keeps the orientation", "start envelope size6 bold clear",
            "none landscape '0' list:no bold:no caption:no ''", "2/3");
    }
    void optionChoices()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, shown);
        QFETCH(QString, margins);
        PrintOptionsChoice choice;
        GridMargins fields{-1, -1};
        const auto put = [&fields](const std::optional<GridMargins>& preset) {
            if (preset)
                fields = *preset;
        };
        for (const QString& step : steps) {
            if (step == QLatin1String("start"))
                put(choice.start());
            else if (step == QLatin1String("label"))
                put(choice.beginLabelStock());
            else if (step == QLatin1String("envelope"))
                put(choice.chooseEnvelope());
            else if (step.startsWith(QLatin1String("size")))
                put(choice.chooseEnvelopeSize(step.mid(4).toInt() - 1));
            else if (step == QLatin1String("portrait"))
                put(choice.choosePortrait());
            else if (step == QLatin1String("landscape"))
                choice.chooseLandscape();
            else if (step == QLatin1String("bold"))
                choice.setBold(true);
            else if (step == QLatin1String("clear"))
                put(choice.clear());
            else
                put(choice.answerPosition(step == QLatin1String("empty") ? QString() : step).margins);
        }
        const PrintOptionsState& s = choice.state();
        const char* media[] = {"none", "label", "envelope"};
        const auto yes = [](bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); };
        const QString bold = s.boldShown ? (s.bold ? QStringLiteral("checked") : QStringLiteral("yes")) : "no";
        QCOMPARE(QStringLiteral("%1 %2 '%3' list:%4 bold:%5 caption:%6 '%7'")
                     .arg(QLatin1String(media[int(s.media)]),
                          s.orientation == PageOrientation::Portrait ? "portrait" : "landscape", s.envelopeSizeNo,
                          yes(s.envelopeListShown), bold, yes(s.positionShown), s.positionCaption),
                 shown);
        QCOMPARE(fields.indentsText() + u'/' + fields.padRowsText(), margins);
    }

    void marginField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<int>>("value");
        QTest::newRow("35") << "35" << std::optional<int>(35);
        QTest::newRow("abc") << "abc" << std::optional<int>(0);
        QTest::newRow("2.5") << "2.5" << std::optional<int>(2);
        QTest::newRow("3.5") << "3.5" << std::optional<int>(4);
        QTest::newRow("point and exponent") << ".5e1" << std::optional<int>(5);
        QTest::newRow("largest") << "32767" << std::optional<int>(32767);
        QTest::newRow("smallest") << "-32768" << std::optional<int>(-32768);
        QTest::newRow("rounds past the largest") << "32767.5" << std::optional<int>();
        QTest::newRow("70000") << "70000" << std::optional<int>();
        QTest::newRow("-32769") << "-32769" << std::optional<int>();
        QTest::newRow("huge exponent") << "1e999" << std::optional<int>();
    }
    void marginField()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<int>, value);
        QCOMPARE(readMarginField(text), value);
    }

    void centringSpaces_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("spaces");
        QTest::newRow("0") << 0 << 15;
        QTest::newRow("1") << 1 << 14;
        QTest::newRow("3") << 3 << 14;
        QTest::newRow("5") << 5 << 12;
        QTest::newRow("7") << 7 << 12;
        QTest::newRow("30") << 30 << 0;
        QTest::newRow("31") << 31 << 0;
        QTest::newRow("45") << 45 << 0;
    }
    void centringSpaces()
    {
        QFETCH(int, length);
        QFETCH(int, spaces);
        QCOMPARE(labelsheet::centringSpaces(length), spaces);
    }

    void jobTitles_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<int>("contacts"); // -1: no count
        QTest::addColumn<QString>("title");
        QTest::newRow("a list, grouped in thousands") << "Labels"
                                                      << "Friends" << 1234 << "Labels – Friends (1,234 contacts)";
        QTest::newRow("one contact") << "Report"
                                     << "Friends" << 1 << "Report – Friends (1 contact)";
        QTest::newRow("no contacts") << "Report"
                                     << "Friends" << 0 << "Report – Friends (0 contacts)";
        QTest::newRow("a name, its spaces tidied") << "Label"
                                                   << "  John   Smith " << -1 << "Label – John Smith";
        QTest::newRow("nothing typed") << "Envelope"
                                       << "   " << -1 << "Envelope";
    }
    void jobTitles()
    {
        QFETCH(QString, what);
        QFETCH(QString, subject);
        QFETCH(int, contacts);
        QFETCH(QString, title);
        QCOMPARE(jobTitle(what, subject, contacts < 0 ? std::nullopt : std::optional<qsizetype>(contacts)), title);
    }
};

QTEST_MAIN(TestPrintOptions)
#include "tst_printoptions.moc"
