#include "core/printing/PrintPreferences.h"

#include "core/common/Settings.h"

#include <algorithm>

namespace quillet::printprefs {

QString lastPrinter()
{
    return settings::value(settings::lastPrinter);
}

void setLastPrinter(const QString& printer)
{
    settings::setValue(settings::lastPrinter, printer);
}

QPointF clampOffset(QPointF offsetMm)
{
    return QPointF(std::clamp(offsetMm.x(), -maxOffsetMm, maxOffsetMm),
                   std::clamp(offsetMm.y(), -maxOffsetMm, maxOffsetMm));
}

QPointF printerOffset(const QString& printer)
{
    const QStringList parts = settings::value(settings::printerOffset(printer)).split(QLatin1Char(','));
    if (parts.size() != 2)
        return {};
    return clampOffset(QPointF(parts[0].toDouble(), parts[1].toDouble()));
}

void setPrinterOffset(const QString& printer, QPointF offsetMm)
{
    const QPointF kept = clampOffset(offsetMm);
    const SettingKey<QString> key = settings::printerOffset(printer);
    if (kept.isNull())
        settings::remove(key);
    else
        settings::setValue(key, QString::number(kept.x()) + QLatin1Char(',') + QString::number(kept.y()));
}

QString labelSheet()
{
    return settings::value(settings::labelSheet);
}

void setLabelSheet(const QString& name)
{
    settings::setValue(settings::labelSheet, name);
}

} // namespace quillet::printprefs
