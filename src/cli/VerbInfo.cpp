#include "cli/CliSupport.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"
#include "core/reminders/Reminders.h"

namespace quillet::cli {
namespace {

QString switchText(reminders::Switch state)
{
    switch (state) {
    case reminders::Switch::On:
        return QStringLiteral("on");
    case reminders::Switch::Off:
        return QStringLiteral("off");
    case reminders::Switch::None:
        break;
    }
    return QStringLiteral("none");
}

int runInfo(const QStringList& args)
{
    QString error;
    const std::optional<ParsedArgs> parsed = parseArgs(args, {}, {}, 1, 1, &error);
    if (!parsed)
        return usageError(QStringLiteral("info"), error);
    ContactsFile file;
    if (!openContactsFile(file, parsed->positional.first(), OpenMode::ExistingOnly))
        return 1;
    printLine(QStringLiteral("Records: %1").arg(file.count()));
    printLine(QStringLiteral("Reminders: %1").arg(switchText(reminders::switchAtOpening(file))));
    if (file.isReadOnly())
        printLine(QStringLiteral("Read-only: yes"));
    return 0;
}

const VerbRegistration registration{Verb{
    QStringLiteral("info"),
    QStringLiteral("Show a contacts file's record count and reminder switch"),
    QStringLiteral("Usage: quillet-cli info FILE\n"
                   "Prints the record count and the birthday reminder switch as File > Open sets it:\n"
                   "on or off from record 1's ReminderFlag, none for a file without records.\n"
                   "Adds \"Read-only: yes\" when the file can only be read.\n"),
    runInfo,
}};

} // namespace
} // namespace quillet::cli
