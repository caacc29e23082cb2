#include "output/CupsJobOptions.h"

#include <QtTest>

using namespace quillet;

namespace {

QStringList named(const std::vector<CupsOption>& options)
{
    QStringList list;
    for (const CupsOption& option : options)
        list << QString::fromUtf8(option.name + '=' + option.value);
    return list;
}

} // namespace

// What a printer job asks of CUPS: the names are IPP's (PWG 5100.1, 5101.1).
class TestCupsJobOptions : public QObject
{
    Q_OBJECT
private slots:
    void options_data()
    {
        QTest::addColumn<PrinterSettings>("settings");
        QTest::addColumn<Paper>("paper");
        QTest::addColumn<PageOrientation>("firstPage");
        QTest::addColumn<QStringList>("expected");
        const auto portrait = PageOrientation::Portrait;
        const auto landscape = PageOrientation::Landscape;
        QTest::newRow("Letter, the queue's defaults")
            << PrinterSettings{} << Paper::letter() << portrait << QStringList{"media=na_letter_8.5x11in"};
        QTest::newRow("a catalogue's own paper: 100 mm x 4 in")
            << PrinterSettings{} << Paper{"Other", 100 * pointsPerMm, 4 * 72.0} << portrait
            << QStringList{"media=custom_100x101.6mm_100x101.6mm"};
        QTest::newRow("automatic duplex, portrait")
            << PrinterSettings{Duplex::Auto, {}} << Paper::letter() << portrait
            << QStringList{"media=na_letter_8.5x11in", "sides=two-sided-long-edge"};
        QTest::newRow("automatic duplex, landscape")
            << PrinterSettings{Duplex::Auto, {}} << Paper::letter() << landscape
            << QStringList{"media=na_letter_8.5x11in", "sides=two-sided-short-edge"};
        QTest::newRow("one-sided, the lower tray")
            << PrinterSettings{Duplex::None, {"media-source", "bottom"}} << Paper::letter() << portrait
            << QStringList{"media=na_letter_8.5x11in", "sides=one-sided", "media-source=bottom"};
        QTest::newRow("the printer's options, less those setting the paper")
            << PrinterSettings{Duplex::ShortEdge,
                               {"PageSize", "A4", "InputSlot", "Tray2", "landscape", "", "media", "A5", "Resolution",
                                "600dpi", "orientation-requested", "4", "pagesize", "Legal"}}
            << Paper::letter() << portrait
            << QStringList{"media=na_letter_8.5x11in", "sides=two-sided-short-edge", "InputSlot=Tray2",
                           "Resolution=600dpi"};
    }
    void options()
    {
        QFETCH(PrinterSettings, settings);
        QFETCH(Paper, paper);
        QFETCH(PageOrientation, firstPage);
        QFETCH(QStringList, expected);
        QCOMPARE(named(cupsJobOptions(settings, paper, firstPage)), expected);
    }
};

QTEST_MAIN(TestCupsJobOptions)
#include "tst_cupsjoboptions.moc"
