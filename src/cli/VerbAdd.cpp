#include "cli/CliSupport.h"
#include "cli/ContactOptions.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"

namespace quillet::cli {
namespace {

int runAdd(const QStringList& args)
{
    const QString verb = QStringLiteral("add");
    QString error;
    const std::optional<ParsedArgs> parsed = parseArgs(args, {}, contactFieldOptions(), 1, 1, &error);
    if (!parsed)
        return usageError(verb, error);
    ContactsFile file;
    if (!openContactsFile(file, parsed->positional.at(0), OpenMode::ExistingOnly))
        return 1;
    ContactForm form;
    applyFieldOptions(*parsed, form);
    return addContact(file, form);
}

const VerbRegistration registration{Verb{
    QStringLiteral("add"),
    QStringLiteral("Add a contact with the Add Contact checks"),
    QStringLiteral("Usage: quillet-cli add FILE [FIELD OPTIONS]\n"
                   "Checks and cleans the fields as the Add Contact window does and appends the\n"
                   "contact as a new record. A refused field prints the window's message and exits 1.\n"
                   "Only the last name is required.\n\nField options:\n") +
        contactFieldOptionsHelp(),
    runAdd,
}};

} // namespace
} // namespace quillet::cli
