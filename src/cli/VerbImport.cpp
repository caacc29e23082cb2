#include "cli/CliSupport.h"
#include "cli/Verb.h"
#include "contacts/ContactsFile.h"
#include "exchange/ImportRun.h"
#include "shell/Reminders.h"

namespace quillet::cli {
namespace {

int runImport(const QStringList& args)
{
    QString error;
    const std::optional<ParsedArgs> parsed = parseArgs(args, {QStringLiteral("--force")}, {}, 2, 2, &error);
    if (!parsed)
        return usageError(QStringLiteral("import"), error);
    ContactsFile file;
    if (!openContactsFile(file, parsed->positional.at(0), OpenMode::ExistingOnly))
        return 1;
    file.setSplittingLinksAllowed(parsed->has(QStringLiteral("--force")));
    // New records carry the reminder switch as File > Open would set it for this file.
    const Result<ImportSummary> summary =
        importContacts(parsed->positional.at(1), file, reminders::flagFor(reminders::switchAtOpening(file)));
    if (!summary) {
        printError(errorBoxText(summary.error(), ErrorEnding::Quillet));
        if (summary.error().description == errors::fileHasLinks().description)
            printError(QStringLiteral("add --force to rewrite it anyway; the other names keep the old contents"));
        return 1;
    }
    if (summary->layout != ImportLayout::None)
        printLine(QStringLiteral("Recognised %1").arg(layoutDescription(summary->layout)));
    if (summary->stoppedBy) {
        printError(errorBoxText(*summary->stoppedBy, ErrorEnding::Quillet));
        if (summary->imported > 0)
            printError(QStringLiteral("%1 contacts were imported before the failure.").arg(summary->imported));
        return 1;
    }
    switch (summary->outcome) {
    case ImportSummary::Outcome::NoLayout:
        printError(QStringLiteral("the CSV file's header fits none of the import layouts; nothing imported."));
        return 1;
    case ImportSummary::Outcome::NotCompatible:
        printError(notCompatibleText);
        return 1;
    case ImportSummary::Outcome::Imported:
        break;
    }
    printLine(importedCountText(summary->imported));
    return 0;
}

const VerbRegistration registration{Verb{
    QStringLiteral("import"),
    QStringLiteral("Import contacts from a CSV file"),
    QStringLiteral("Usage: quillet-cli import FILE CSVFILE [--force]\n"
                   "Appends the contacts of CSVFILE to the contacts file FILE as the Import Contacts window does:\n"
                   "the layout is recognised from the header line (five layouts: a web portal's address book,\n"
                   "a mail program's address book or name list, Quillet's own CSV export, a list of names with\n"
                   "e-mail addresses), values are cleaned, and contacts that look like ones already on file are\n"
                   "left out. Prints the layout recognised and the number of contacts imported. Exits with 1\n"
                   "and the message when no layout fits or the import fails; contacts imported before a\n"
                   "failure stay in the file. A file with other names (hard links) is refused unless\n"
                   "--force is given.\n"),
    runImport,
}};

} // namespace
} // namespace quillet::cli
