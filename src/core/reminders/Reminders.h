#pragma once

#include "core/common/AppError.h"
#include "core/common/Result.h"
#include "core/contacts/ContactRecord.h"

#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quillet {

class ContactsFile;

namespace reminders {

// The texts the birthday reminder commands show.
inline const QString announcementTitle = QStringLiteral("Birthday reminder");
inline const QString turnedOnText = QStringLiteral("Birthday Reminders have been turned on.");
inline const QString turnedOnTitle = QStringLiteral("Birthday reminders enabled");
inline const QString turnedOffText = QStringLiteral("Birthday Reminders have been turned off.");
inline const QString turnedOffTitle = QStringLiteral("Birthday reminders disabled");

// The file-wide reminder switch. A file without records has no setting yet; new
// records then carry "1", as with reminders on.
enum class Switch { None, On, Off };
// As File > Open sets it: None for a file without records, else record 1's
// ReminderFlag decides ("1" on, anything else off). File > New sets On. A record 1
// that cannot be read gives its error, never a switch.
Result<Switch> switchAtOpening(const ContactsFile& file);
// The ReminderFlag a new or changed record stores: "0" only when switched off.
QString flagFor(Switch state);

// The enabled states of "Enable Birthday Reminders" (mnuFileBdayOn) and
// "Disable Birthday Reminders" (mnuFileBdayOff) that show the switch: on disables
// Enable, off disables Disable, none disables both.
struct MenuItems
{
    bool onItemEnabled = false;
    bool offItemEnabled = false;
    bool operator==(const MenuItems&) const = default;
};
MenuItems menuItemsFor(Switch state);

// A birthday is due from the day after today to this many days ahead.
inline constexpr int reminderWindowDays = 15;

// A birthday due soon: whose, when, and the announcement's text.
struct DueBirthday
{
    QString name;      // "<First> <Last>", each trimmed
    QDate date;        // this year's birthday
    int daysAhead = 0; // 1 to reminderWindowDays
    QString text;      // the announcement
};

// Up to this many due birthdays are announced one box each; more are listed in one window.
inline constexpr int separateAnnouncementsAtMost = 5;
inline const QString listTitle = QStringLiteral("Birthday reminders");

// The birthdays of `due` sorted by date (then by record order).
QList<DueBirthday> sortedByDate(QList<DueBirthday> due);

// The announcement for one record, if its birthday is due: ReminderFlag "1" and the
// birthday this year 1 to reminderWindowDays days after `today` (the year does not wrap).
// "<First> <Last> has a birthday coming up on MM/DD". A Birthdate that does not give
// a date this year (29 February outside a leap year, a damaged field) gives none.
std::optional<QString> announcementFor(const ContactRecord& record, const QDate& today);
std::optional<QString> announcementFor(QByteArrayView recordBytes, const QDate& today);

// The reminder pass File > Open runs: the announcements of records 1 to count(),
// in record order. A record whose Birthdate is not a date is skipped and the pass
// goes on; only a failure to read the file stops it.
Result<QStringList> runPass(const ContactsFile& file, const QDate& today);
// The same pass giving each due birthday with its name, date and days ahead.
Result<QList<DueBirthday>> dueBirthdays(const ContactsFile& file, const QDate& today);

// Enable/Disable Birthday Reminders: writes "1" or "0" into every record's
// ReminderFlag and changes no other byte, all records at once (a new copy of the
// file takes its place under the exclusive lock). A short last record is completed.
Status setAll(ContactsFile& file, bool on);

} // namespace reminders
} // namespace quillet
