#include "cli/CliSupport.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"
#include "core/reminders/Reminders.h"

#include <QDate>

namespace quillet::cli {
namespace {

const QString verbName = QStringLiteral("reminders");

int switchReminders(ContactsFile& file, bool on)
{
    if (Status status = reminders::setAll(file, on); !status)
        return rewriteError(QStringLiteral("cannot write contacts file"), file.path(), status.error());
    printLine(on ? reminders::turnedOnText : reminders::turnedOffText);
    return 0;
}

int runReminders(const QStringList& args)
{
    const QString on = QStringLiteral("--on");
    const QString off = QStringLiteral("--off");
    const QString todayOption = QStringLiteral("--today");
    QString error;
    const std::optional<ParsedArgs> parsed =
        parseArgs(args, {on, off, QStringLiteral("--force")}, {todayOption}, 1, 1, &error);
    if (!parsed)
        return usageError(verbName, error);
    const int modes = int(parsed->has(on)) + int(parsed->has(off)) + int(parsed->has(todayOption));
    if (modes > 1)
        return usageError(verbName, QStringLiteral("--on, --off and --today exclude each other"));
    QDate today = QDate::currentDate();
    if (parsed->has(todayOption)) {
        today = QDate::fromString(parsed->value(todayOption), Qt::ISODate);
        if (!today.isValid())
            return usageError(verbName,
                              QStringLiteral("'%1' is not a date YYYY-MM-DD").arg(parsed->value(todayOption)));
    }
    ContactsFile file;
    if (!openContactsFile(file, parsed->positional.first(), OpenMode::ExistingOnly))
        return 1;
    file.setSplittingLinksAllowed(parsed->has(QStringLiteral("--force")));
    if (parsed->has(on) || parsed->has(off))
        return switchReminders(file, parsed->has(on));
    const Result<QStringList> announcements = reminders::runPass(file, today);
    if (!announcements)
        return fileError(QStringLiteral("cannot read contacts file"), file.path(), announcements.error());
    for (const QString& text : *announcements)
        printLine(text);
    return 0;
}

const VerbRegistration registration{Verb{
    verbName,
    QStringLiteral("List due birthday reminders, or switch reminders on or off"),
    QStringLiteral("Usage: quillet-cli reminders FILE [--today YYYY-MM-DD]\n"
                   "       quillet-cli reminders FILE --on|--off [--force]\n"
                   "Without a switch, prints the birthday announcements File > Open would show, one per\n"
                   "line in record order (birthdays 1 to %1 days after today, this year).\n"
                   "--on and --off write ReminderFlag 1 or 0 into every record, as the File menu does,\n"
                   "all at once; a file with other names (hard links) is refused unless --force is given.\n")
        .arg(reminders::reminderWindowDays),
    runReminders,
}};

} // namespace
} // namespace quillet::cli
