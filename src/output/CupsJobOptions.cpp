#include "output/CupsJobOptions.h"

#include <cups/cups.h>

#include <cmath>

namespace quillet {

namespace {

// PWG sizes are in hundredths of a millimetre.
int hundredthsOfMm(double points)
{
    return int(std::lround(points / pointsPerInch * 2540));
}

QByteArray mediaName(const Paper& paper)
{
    const pwg_media_t* media = pwgMediaForSize(hundredthsOfMm(paper.width), hundredthsOfMm(paper.height));
    return media ? QByteArray(media->pwg) : QByteArray();
}

QByteArray sides(Duplex duplex, PageOrientation firstPage)
{
    switch (duplex) {
    case Duplex::None:
        return "one-sided";
    case Duplex::Auto:
        return firstPage == PageOrientation::Portrait ? "two-sided-long-edge" : "two-sided-short-edge";
    case Duplex::LongEdge:
        return "two-sided-long-edge";
    case Duplex::ShortEdge:
        return "two-sided-short-edge";
    default:
        return {};
    }
}

// The job fixes the paper; a printer option that sets it is left out.
bool setsPaper(const QString& option)
{
    static const QStringList paperOptions{QStringLiteral("media"), QStringLiteral("PageSize"),
                                          QStringLiteral("PageRegion"), QStringLiteral("orientation-requested"),
                                          QStringLiteral("landscape")};
    return paperOptions.contains(option, Qt::CaseInsensitive);
}

} // namespace

std::vector<CupsOption> cupsJobOptions(const PrinterSettings& settings, const Paper& paper, PageOrientation firstPage)
{
    std::vector<CupsOption> options;
    const auto add = [&options](const QByteArray& name, const QByteArray& value) {
        if (!value.isEmpty())
            options.push_back({name, value});
    };
    add("media", mediaName(paper));
    add("sides", sides(settings.duplex, firstPage));
    for (qsizetype i = 0; i + 1 < settings.cupsOptions.size(); i += 2) {
        if (!setsPaper(settings.cupsOptions[i]))
            options.push_back({settings.cupsOptions[i].toUtf8(), settings.cupsOptions[i + 1].toUtf8()});
    }
    return options;
}

} // namespace quillet
