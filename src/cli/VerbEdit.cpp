#include "cli/CliSupport.h"
#include "cli/ContactOptions.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"
#include "core/editing/ContactValidation.h"

namespace quillet::cli {
namespace {

int runEdit(const QStringList& args)
{
    const QString verb = QStringLiteral("edit");
    QString error;
    const std::optional<ParsedArgs> parsed = parseArgs(args, {}, contactFieldOptions(), 2, 2, &error);
    if (!parsed)
        return usageError(verb, error);
    const QString path = parsed->positional.at(0);
    ContactsFile file;
    const std::optional<int> number = openAtRecord(verb, path, parsed->positional.at(1), file);
    if (!number)
        return 1;
    const Result<QByteArray> shown = file.readBytes(*number);
    if (!shown)
        return fileError(QStringLiteral("cannot read contacts file"), path, shown.error());
    // The fields as the Contact Information window shows them, then the changes.
    ContactForm form = formFromRecord(ContactRecord::fromBytes(*shown));
    applyFieldOptions(*parsed, form);
    const ValidationResult result = validateContact(form, saveChangesRules);
    if (!result.ok())
        return reportRefusal(*result.rejection);
    // Written only over the record read: another program may have moved or changed it since.
    const ContactRecord changed = recordFromForm(result.form, reminderFlagFor(file));
    if (Status written = file.writeIfUnchanged(*number, *shown, changed); !written)
        return fileError(QStringLiteral("cannot write contacts file"), path, written.error());
    printLine(QStringLiteral("Saved record %1").arg(*number));
    return 0;
}

const VerbRegistration registration{Verb{
    QStringLiteral("edit"),
    QStringLiteral("Change fields of a contact with the Save changes checks"),
    QStringLiteral("Usage: quillet-cli edit FILE N [FIELD OPTIONS]\n"
                   "Changes the given fields of record N (from 1), keeps the others, checks and\n"
                   "cleans all of them as Save changes in the Contact Information window does, and\n"
                   "writes the record in place. A refused field prints the window's message and exits 1.\n\n"
                   "Field options:\n") +
        contactFieldOptionsHelp(),
    runEdit,
}};

} // namespace
} // namespace quillet::cli
