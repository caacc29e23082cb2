#include "gui/platform/QtPrinterSettings.h"

#include <QPrintEngine>
#include <QPrinter>

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

} // namespace

PrinterSettings readPrinterSettings(QPrinter& printer)
{
    PrinterSettings settings;
    settings.duplex = duplex(printer.duplex());
    if (QPrintEngine* engine = printer.printEngine())
        settings.cupsOptions = engine->property(cupsOptionsKey).toStringList();
    return settings;
}

} // namespace quillet
