#include "output/PrinterSettingsAccess.h"

#include <QPrintEngine>
#include <QPrinter>

namespace quillet {

namespace {

// Where Qt's CUPS support keeps the options of the print dialog's Properties page.
const auto cupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

bool setsPaper(const QString& option)
{
    static const QStringList paperOptions{QStringLiteral("media"), QStringLiteral("PageSize"),
                                          QStringLiteral("PageRegion"), QStringLiteral("orientation-requested"),
                                          QStringLiteral("landscape")};
    return paperOptions.contains(option, Qt::CaseInsensitive);
}

} // namespace

PrinterSettings readPrinterSettings(QPrinter& printer)
{
    PrinterSettings settings;
    settings.duplex = int(printer.duplex());
    settings.paperSource = int(printer.paperSource());
    settings.colorMode = int(printer.colorMode());
    if (QPrintEngine* engine = printer.printEngine())
        settings.cupsOptions = engine->property(cupsOptionsKey).toStringList();
    return settings;
}

void applyPrinterSettings(const PrinterSettings& settings, QPrinter& printer)
{
    if (settings.duplex)
        printer.setDuplex(QPrinter::DuplexMode(*settings.duplex));
    if (settings.paperSource)
        printer.setPaperSource(QPrinter::PaperSource(*settings.paperSource));
    if (settings.colorMode)
        printer.setColorMode(QPrinter::ColorMode(*settings.colorMode));
    QStringList options;
    for (qsizetype i = 0; i + 1 < settings.cupsOptions.size(); i += 2) {
        if (!setsPaper(settings.cupsOptions[i]))
            options << settings.cupsOptions[i] << settings.cupsOptions[i + 1];
    }
    if (!options.isEmpty() && printer.printEngine())
        printer.printEngine()->setProperty(cupsOptionsKey, options);
}

} // namespace quillet
