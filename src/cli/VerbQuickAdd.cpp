#include "cli/CliSupport.h"
#include "cli/ContactOptions.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"
#include "core/editing/QuickAddParser.h"

namespace quillet::cli {
namespace {

int runQuickAdd(const QStringList& args)
{
    const QString verb = QStringLiteral("quick-add");
    QString error;
    const std::optional<ParsedArgs> parsed = parseArgs(args, {QStringLiteral("--dry-run")}, {}, 1, 6, &error);
    if (!parsed)
        return usageError(verb, error);
    ContactsFile file;
    if (!openContactsFile(file, parsed->positional.at(0), OpenMode::ExistingOnly))
        return 1;
    const QuickAddResult result = parseLabelLines(parsed->positional.mid(1));
    if (result.lineOneNeedsSpace) {
        printError(lineOneNeedsSpaceText);
        return 1;
    }
    ContactForm form;
    for (FormField field : allFormFields()) {
        if (const std::optional<QString>& text = result.value(field)) {
            form[field] = *text;
            printLine(formFieldCaption(field) + QStringLiteral(": ") + *text);
        }
    }
    if (parsed->has(QStringLiteral("--dry-run")))
        return 0;
    return addContact(file, form);
}

const VerbRegistration registration{Verb{
    QStringLiteral("quick-add"),
    QStringLiteral("Add a contact from up to five address lines"),
    QStringLiteral("Usage: quillet-cli quick-add FILE LINE1 [LINE2 ... LINE5] [--dry-run]\n"
                   "Splits typed label lines into name, street, second street line, city, state and\n"
                   "ZIP code as the main window's Add Contact does, prints the fields it fills as\n"
                   "\"Caption: value\" lines, and saves them with the Add Contact checks. With\n"
                   "--dry-run nothing is saved. Missing lines count as empty.\n"),
    runQuickAdd,
}};

} // namespace
} // namespace quillet::cli
