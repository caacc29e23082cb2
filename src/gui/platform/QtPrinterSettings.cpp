#include "gui/platform/QtPrinterSettings.h"

#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>

namespace quillet {

namespace {

// Where Qt's CUPS support keeps the options of the print dialog's Properties page.
const auto cupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

Duplex duplex(QPrinter::DuplexMode mode)
{
    switch (mode) {
    case QPrinter::DuplexNone:
        return Duplex::None;
    case QPrinter::DuplexAuto:
        return Duplex::Auto;
    case QPrinter::DuplexLongSide:
        return Duplex::LongEdge;
    case QPrinter::DuplexShortSide:
        return Duplex::ShortEdge;
    }
    return Duplex::QueueDefault;
}

// IPP's name for a paper source; empty for the printer's own choice and for
// sources IPP has no name for. (Upper is OnlyOne, a printer with one tray.)
QString tray(QPrinter::PaperSource source)
{
    switch (source) {
    case QPrinter::Lower:
        return QStringLiteral("bottom");
    case QPrinter::Middle:
        return QStringLiteral("middle");
    case QPrinter::Manual:
    case QPrinter::EnvelopeManual:
        return QStringLiteral("manual");
    case QPrinter::Envelope:
        return QStringLiteral("envelope");
    case QPrinter::LargeCapacity:
        return QStringLiteral("large-capacity");
    default:
        return {};
    }
}

} // namespace

PrinterSettings readPrinterSettings(QPrinter& printer)
{
    PrinterSettings settings;
    settings.duplex = duplex(printer.duplex());
    settings.tray = tray(printer.paperSource());
    // Only a colour mode the user changed: the queue keeps its own default otherwise.
    if (printer.colorMode() != QPrinter::ColorMode(QPrinterInfo(printer).defaultColorMode()))
        settings.colorMode =
            printer.colorMode() == QPrinter::GrayScale ? QStringLiteral("monochrome") : QStringLiteral("color");
    if (QPrintEngine* engine = printer.printEngine())
        settings.cupsOptions = engine->property(cupsOptionsKey).toStringList();
    return settings;
}

} // namespace quillet
