#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/ContactOptions.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"

namespace quillet::cli {
namespace {

int runAdd(const QCommandLineParser& args)
{
    ContactsFile file;
    if (!openContactsFile(file, args.positionalArguments().at(0), OpenMode::ExistingOnly))
        return console::exitFailed;
    ContactForm form;
    applyFieldOptions(args, form);
    return addContact(file, form);
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("add"),
    .synopsis = QStringLiteral("Add a contact with the Add Contact checks"),
    .usage = QStringLiteral("FILE [FIELD OPTIONS]"),
    .description = QStringLiteral("Checks and cleans the fields as the Add Contact window does and appends the\n"
                                  "contact as a new record. A refused field prints the window's message and exits 1.\n"
                                  "Only the last name is required. Prints \"Saved as record N\".\n"),
    .options = contactFieldOptions(),
    .arguments = {QStringLiteral("FILE")},
    .run = runAdd,
}};

} // namespace
} // namespace quillet::cli
