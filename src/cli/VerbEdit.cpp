#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/ContactOptions.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"
#include "core/editing/ContactValidation.h"

namespace quillet::cli {
namespace {

// "Saved record 2: Ann Lee", with the name it had when the change renamed it.
QString savedText(int number, const ContactRecord& before, const ContactRecord& after)
{
    QString text = QStringLiteral("Saved record %1").arg(number);
    if (!contactName(after).isEmpty())
        text += QStringLiteral(": ") + contactName(after);
    if (contactName(after) != contactName(before) && !contactName(before).isEmpty())
        text += QStringLiteral(" (was %1)").arg(contactName(before));
    return text;
}

int runEdit(const QCommandLineParser& args)
{
    const QString path = args.positionalArguments().at(0);
    const Result<int> number = recordNumberValue(args.positionalArguments().at(1));
    if (!number)
        return usageError(number.error());
    ContactsFile file;
    if (const int opened = openAtRecord(path, *number, file); opened != console::exitDone)
        return opened;
    const Result<QByteArray> shown = file.readBytes(*number);
    if (!shown)
        return fileError(QStringLiteral("cannot read contacts file"), path, shown.error());
    const ContactRecord before = ContactRecord::fromBytes(*shown);
    if (!isNamedContact(args, before))
        return reportOtherContact(*number, before);
    // The fields as the Contact Information window shows them, then the changes.
    ContactForm form = formFromRecord(before);
    applyFieldOptions(args, form);
    const ValidationResult result = validateContact(form, saveChangesRules);
    if (!result.ok())
        return reportRefusal(*result.rejection);
    // Written only over the record read, checked under the write's lock: another
    // program may have moved or changed it since, and --if-name was checked on it.
    const Result<QString> flag = reminderFlagFor(file);
    if (!flag)
        return fileError(QStringLiteral("cannot read contacts file"), path, flag.error());
    const ContactRecord changed = recordFromForm(result.form, *flag);
    if (Status written = file.writeIfUnchanged(*number, *shown, changed); !written)
        return fileError(QStringLiteral("cannot write contacts file"), path, written.error());
    console::printLine(savedText(*number, before, changed));
    return console::exitDone;
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("edit"),
    .synopsis = QStringLiteral("Change fields of a contact with the Save changes checks"),
    .usage = QStringLiteral("FILE N [--if-name \"FIRST LAST\"] [FIELD OPTIONS]"),
    .description =
        QStringLiteral("Changes the given fields of record N (from 1), keeps the others, checks and\n"
                       "cleans all of them as Save changes in the Contact Information window does, and\n"
                       "writes the record in place. A refused field prints the window's message and exits 1.\n"
                       "Prints \"Saved record N: FIRST LAST\". A record another program changed or moved\n"
                       "meanwhile is not overwritten (exit status 1).\n"),
    .options = contactFieldOptions() << ifNameOption(),
    .arguments = {QStringLiteral("FILE"), QStringLiteral("N")},
    .run = runEdit,
}};

} // namespace
} // namespace quillet::cli
