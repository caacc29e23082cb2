#include "core/common/Settings.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QSettings>

namespace quillet::settings {

namespace {

QSettings open()
{
    return QSettings(organisationName, applicationName);
}

} // namespace

void nameApplication()
{
    QCoreApplication::setOrganizationName(organisationName);
    QCoreApplication::setApplicationName(applicationName);
}

// Queue names may hold characters QSettings reads as group separators.
SettingKey<QString> printerOffset(const QString& printer)
{
    return {QStringLiteral("PrinterOffsets/") + QString::fromLatin1(printer.toUtf8().toPercentEncoding())};
}

SettingKey<QStringList> importMapping(const QStringList& headers)
{
    const QByteArray hash = QCryptographicHash::hash(headers.join(u'\n').toUtf8(), QCryptographicHash::Sha1);
    return {QStringLiteral("ImportMappings/") + QString::fromLatin1(hash.toHex())};
}

QVariant storedValue(const QString& name)
{
    return open().value(name);
}

void store(const QString& name, const QVariant& value)
{
    open().setValue(name, value);
}

void removeStored(const QString& name)
{
    open().remove(name);
}

} // namespace quillet::settings
