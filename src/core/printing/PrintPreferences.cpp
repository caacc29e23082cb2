#include "core/printing/PrintPreferences.h"

#include <QSettings>

#include <algorithm>

namespace quillet::printprefs {

namespace {

QSettings settings()
{
    return QSettings(QStringLiteral("Quillet"), QStringLiteral("Quillet"));
}

const QString lastPrinterKey = QStringLiteral("Settings/LastPrinter");
const QString labelSheetKey = QStringLiteral("Settings/LabelSheet");

// Queue names may hold characters QSettings reads as group separators.
QString offsetKey(const QString& printer)
{
    return QStringLiteral("PrinterOffsets/") + QString::fromLatin1(printer.toUtf8().toPercentEncoding());
}

} // namespace

QString lastPrinter()
{
    return settings().value(lastPrinterKey).toString();
}

void setLastPrinter(const QString& printer)
{
    settings().setValue(lastPrinterKey, printer);
}

QPointF clampOffset(QPointF offsetMm)
{
    return QPointF(std::clamp(offsetMm.x(), -maxOffsetMm, maxOffsetMm),
                   std::clamp(offsetMm.y(), -maxOffsetMm, maxOffsetMm));
}

QPointF printerOffset(const QString& printer)
{
    const QStringList parts = settings().value(offsetKey(printer)).toString().split(QLatin1Char(','));
    if (parts.size() != 2)
        return {};
    return clampOffset(QPointF(parts[0].toDouble(), parts[1].toDouble()));
}

void setPrinterOffset(const QString& printer, QPointF offsetMm)
{
    const QPointF kept = clampOffset(offsetMm);
    QSettings store = settings();
    if (kept.isNull())
        store.remove(offsetKey(printer));
    else
        store.setValue(offsetKey(printer), QString::number(kept.x()) + QLatin1Char(',') + QString::number(kept.y()));
}

QString labelSheet()
{
    return settings().value(labelSheetKey).toString();
}

void setLabelSheet(const QString& name)
{
    settings().setValue(labelSheetKey, name);
}

} // namespace quillet::printprefs
