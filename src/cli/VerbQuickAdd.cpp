#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/ContactOptions.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"
#include "core/editing/QuickAddParser.h"

namespace quillet::cli {
namespace {

int runQuickAdd(const QCommandLineParser& args)
{
    const QStringList positional = args.positionalArguments();
    ContactsFile file;
    if (!openContactsFile(file, positional.at(0), OpenMode::ExistingOnly))
        return console::exitFailed;
    const QuickAddResult result = parseLabelLines(positional.mid(1));
    if (result.lineOneNeedsSpace)
        return console::error(lineOneNeedsSpaceText);
    ContactForm form;
    for (FormField field : allFormFields()) {
        if (const std::optional<QString>& text = result.value(field)) {
            form[field] = *text;
            console::printLine(formFieldCaption(field) + QStringLiteral(": ") + *text);
        }
    }
    // Nothing is saved when the fields it would save from could not be shown.
    if (args.isSet(QStringLiteral("dry-run")) || !console::outputOk())
        return console::exitDone;
    return addContact(file, form);
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("quick-add"),
    .synopsis = QStringLiteral("Add a contact from up to five address lines"),
    .usage = QStringLiteral("FILE LINE1 [LINE2 ... LINE5] [--dry-run]"),
    .description = QStringLiteral("Splits typed label lines into name, street, second street line, city, state and\n"
                                  "ZIP code as the main window's Add Contact does, prints the fields it fills as\n"
                                  "\"Caption: value\" lines, and saves them with the Add Contact checks. With\n"
                                  "--dry-run nothing is saved. Missing lines count as empty. Use -- before lines\n"
                                  "that begin with \"-\".\n"),
    .options = {{{QStringLiteral("n"), QStringLiteral("dry-run")}, QStringLiteral("show the fields, save nothing")}},
    .arguments = {QStringLiteral("FILE")},
    .maxArguments = 6,
    .tooManyArguments = "at most five lines can be given",
    .run = runQuickAdd,
}};

} // namespace
} // namespace quillet::cli
