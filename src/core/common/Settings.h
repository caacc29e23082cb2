#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <type_traits>

namespace quillet {

// One value the program keeps between runs in the per-user settings: where it is
// stored, its type, and what it reads as while nothing is stored.
template <typename T> struct SettingKey
{
    QString name;
    T fallback{};
};

// The per-user settings: every key the program stores, and the one place that
// opens the settings file, ~/.config/Quillet/Quillet.conf.
namespace settings {

inline const QString organisationName = QStringLiteral("Quillet");
inline const QString applicationName = QStringLiteral("Quillet");
// Gives the running program those names too, for what else Qt keeps per program.
void nameApplication();

// The main window's frame at shutdown, in twips; nothing reads it back.
inline const SettingKey<int> mainLeft{QStringLiteral("Settings/MainLeft")};
inline const SettingKey<int> mainTop{QStringLiteral("Settings/MainTop")};
inline const SettingKey<int> mainWidth{QStringLiteral("Settings/MainWidth")};
inline const SettingKey<int> mainHeight{QStringLiteral("Settings/MainHeight")};
// The printer chosen last in the print dialog.
inline const SettingKey<QString> lastPrinter{QStringLiteral("Settings/LastPrinter")};
// The sheet the list window prints its labels on ("BRAND PART"); empty for the built-in one.
inline const SettingKey<QString> labelSheet{QStringLiteral("Settings/LabelSheet")};
// The contact list's column widths, as its header saves them.
inline const SettingKey<QByteArray> listColumns{QStringLiteral("Settings/ListColumns")};
// The address book server last used, the user on it, and whether the password is
// kept in the desktop's secret store (never in these settings).
inline const SettingKey<QString> addressBookServer{QStringLiteral("Settings/AddressBookServer")};
inline const SettingKey<QString> addressBookUser{QStringLiteral("Settings/AddressBookUser")};
inline const SettingKey<bool> addressBookRemember{QStringLiteral("Settings/AddressBookRemember")};
// A print queue's offset in millimetres, "x,y"; one key per queue.
SettingKey<QString> printerOffset(const QString& printer);
// The field keyword chosen for each column of a CSV header; one key per header.
SettingKey<QStringList> importMapping(const QStringList& headers);

QVariant storedValue(const QString& name);
void store(const QString& name, const QVariant& value);
void removeStored(const QString& name);

template <typename T> T value(const SettingKey<T>& key)
{
    const QVariant stored = storedValue(key.name);
    return stored.isValid() ? stored.value<T>() : key.fallback;
}

// Numbers are stored as decimal text.
template <typename T> void setValue(const SettingKey<T>& key, const T& value)
{
    if constexpr (std::is_arithmetic_v<T>)
        store(key.name, QString::number(value));
    else
        store(key.name, QVariant::fromValue(value));
}

template <typename T> void remove(const SettingKey<T>& key)
{
    removeStored(key.name);
}

} // namespace settings
} // namespace quillet
