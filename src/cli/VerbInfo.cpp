#include "cli/CliSupport.h"
#include "cli/Console.h"
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

int runInfo(const QCommandLineParser& args)
{
    ContactsFile file;
    if (!openContactsFile(file, args.positionalArguments().at(0), OpenMode::ExistingOnly))
        return console::exitFailed;
    const Result<reminders::Switch> reminderSwitch = reminders::switchAtOpening(file);
    if (!reminderSwitch)
        return fileError(QStringLiteral("cannot read contacts file"), file.path(), reminderSwitch.error());
    console::printLine(QStringLiteral("Records: %1").arg(file.count()));
    console::printLine(QStringLiteral("Reminders: %1").arg(switchText(*reminderSwitch)));
    if (file.isReadOnly())
        console::printLine(QStringLiteral("Read-only: yes"));
    return console::exitDone;
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("info"),
    .synopsis = QStringLiteral("Show a contacts file's record count and reminder switch"),
    .usage = QStringLiteral("FILE"),
    .description = QStringLiteral("Prints the record count and the birthday reminder switch as File > Open sets it:\n"
                                  "on or off from record 1's ReminderFlag, none for a file without records.\n"
                                  "Adds \"Read-only: yes\" when the file can only be read.\n"),
    .options = {},
    .arguments = {QStringLiteral("FILE")},
    .run = runInfo,
}};

} // namespace
} // namespace quillet::cli
