#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/OptionValues.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"
#include "core/reminders/Reminders.h"

#include <QDate>

namespace quillet::cli {
namespace {

constexpr QLatin1String onName("on");
constexpr QLatin1String offName("off");
constexpr QLatin1String todayName("today");

int switchReminders(ContactsFile& file, bool on)
{
    if (Status status = reminders::setAll(file, on); !status)
        return rewriteError(QStringLiteral("cannot write contacts file"), file.path(), status.error());
    console::printLine(on ? reminders::turnedOnText : reminders::turnedOffText);
    return console::exitDone;
}

Result<QDate> todayValue(const QCommandLineParser& args)
{
    if (!args.isSet(todayName))
        return QDate::currentDate();
    const QDate today = QDate::fromString(args.value(todayName), Qt::ISODate);
    if (!today.isValid())
        return usageProblem(QStringLiteral("--today takes a date YYYY-MM-DD, not '%1'").arg(args.value(todayName)));
    return today;
}

int runReminders(const QCommandLineParser& args)
{
    if (int(args.isSet(onName)) + int(args.isSet(offName)) + int(args.isSet(todayName)) > 1)
        return console::usageError(QStringLiteral("--on, --off and --today exclude each other"));
    const Result<QDate> today = todayValue(args);
    if (!today)
        return usageError(today.error());
    ContactsFile file;
    if (!openContactsFile(file, args.positionalArguments().at(0), OpenMode::ExistingOnly))
        return console::exitFailed;
    file.setSplittingLinksAllowed(args.isSet(QStringLiteral("force")));
    if (args.isSet(onName) || args.isSet(offName))
        return switchReminders(file, args.isSet(onName));
    const Result<QStringList> announcements = reminders::runPass(file, *today);
    if (!announcements)
        return fileError(QStringLiteral("cannot read contacts file"), file.path(), announcements.error());
    for (const QString& text : *announcements)
        console::printLine(text);
    return console::exitDone;
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("reminders"),
    .synopsis = QStringLiteral("List due birthday reminders, or switch reminders on or off"),
    .usage = QStringLiteral("FILE [--today YYYY-MM-DD]\n"
                            "       quillet-cli reminders FILE --on|--off [--force]"),
    .description =
        QStringLiteral("Without a switch, prints the birthday announcements File > Open would show, one per\n"
                       "line in record order (birthdays 1 to %1 days after today, this year).\n"
                       "--on and --off write ReminderFlag 1 or 0 into every record, as the File menu does,\n"
                       "all at once; a file with other names (hard links) is refused unless --force is given.\n")
            .arg(reminders::reminderWindowDays),
    .options = {{{QStringLiteral("t"), todayName},
                 QStringLiteral("the day to count from (default: today)"),
                 QStringLiteral("YYYY-MM-DD")},
                {onName, QStringLiteral("switch reminders on for every contact")},
                {offName, QStringLiteral("switch reminders off for every contact")},
                {{QStringLiteral("f"), QStringLiteral("force")},
                 QStringLiteral("rewrite a file that has other names (hard links) too")}},
    .arguments = {QStringLiteral("FILE")},
    .run = runReminders,
}};

} // namespace
} // namespace quillet::cli
