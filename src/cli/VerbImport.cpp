#include "cli/CliSupport.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"
#include "core/exchange/ImportRun.h"
#include "core/reminders/Reminders.h"

namespace quillet::cli {
namespace {

// Takes every "--map HEADER=FIELD" (or "--map=HEADER=FIELD") out of args.
bool takeMappings(QStringList& args, ImportOptions& options, QString& error)
{
    for (qsizetype i = 0; i < args.size();) {
        QString choice;
        if (args.at(i) == u"--map" && i + 1 < args.size()) {
            choice = args.takeAt(i + 1);
            args.removeAt(i);
        } else if (args.at(i).startsWith(QStringLiteral("--map="))) {
            choice = args.takeAt(i).mid(6);
        } else {
            ++i;
            continue;
        }
        const qsizetype equals = choice.lastIndexOf(u'=');
        const std::optional<ImportField> field = equals > 0 ? fieldFromKeyword(choice.mid(equals + 1)) : std::nullopt;
        if (!field) {
            error = QStringLiteral("--map wants \"HEADER=FIELD\" with FIELD one of first, mi, last, name, company, "
                                   "street, street2, city, state, zip, country, home, cell, work, email, birthdate, "
                                   "category, notes, ignore; got \"%1\"")
                        .arg(choice);
            return false;
        }
        options.columnChoices.emplace_back(choice.left(equals), *field);
    }
    return true;
}

int reportOutcome(const ImportSummary& summary, bool dryRun)
{
    if (summary.stoppedBy) {
        printError(errorBoxText(*summary.stoppedBy, ErrorEnding::Quillet));
        if (summary.imported > 0 && !dryRun)
            printError(QStringLiteral("%1 contacts were imported before the failure.").arg(summary.imported));
        return 1;
    }
    if (summary.outcome != ImportSummary::Outcome::Imported) {
        printError(QStringLiteral("the CSV file's header fits none of the import layouts, and ") +
                   noNameColumnText(summary.headers));
        return 1;
    }
    printLine(dryRun ? QStringLiteral("%1 contacts would be imported.").arg(summary.imported)
                     : importedCountText(summary.imported));
    for (const QString& line : summaryLines(summary))
        printLine(line);
    return 0;
}

int runImport(const QStringList& given)
{
    QString error;
    QStringList args = given;
    ImportOptions options;
    if (!takeMappings(args, options, error))
        return usageError(QStringLiteral("import"), error);
    const std::optional<ParsedArgs> parsed =
        parseArgs(args, {QStringLiteral("--dry-run"), QStringLiteral("--force")}, {}, 2, 2, &error);
    if (!parsed)
        return usageError(QStringLiteral("import"), error);
    ContactsFile file;
    if (!openContactsFile(file, parsed->positional.at(0), OpenMode::ExistingOnly))
        return 1;
    file.setSplittingLinksAllowed(parsed->has(QStringLiteral("--force")));
    // New records carry the reminder switch as File > Open would set it for this file.
    options.reminderFlag = reminders::flagFor(reminders::switchAtOpening(file));
    options.dryRun = parsed->has(QStringLiteral("--dry-run"));
    QStringList wouldStore;
    if (options.dryRun)
        options.onContact = [&wouldStore](const ContactRecord& record, const ContactChanges& changes) {
            wouldStore << dryRunLine(record, changes);
        };
    const Result<ImportSummary> summary = importContacts(parsed->positional.at(1), file, options);
    if (!summary) {
        printError(errorBoxText(summary.error(), ErrorEnding::Quillet));
        if (summary.error().description == errors::fileHasLinks().description)
            printError(QStringLiteral("add --force to rewrite it anyway; the other names keep the old contents"));
        return 1;
    }
    if (const QString reading = readingText(*summary); !reading.isEmpty())
        printLine(reading);
    for (const QString& line : wouldStore)
        printLine(line);
    return reportOutcome(*summary, options.dryRun);
}

const VerbRegistration registration{Verb{
    QStringLiteral("import"),
    QStringLiteral("Import contacts from a CSV, vCard or LDIF file"),
    QStringLiteral("Usage: quillet-cli import FILE SOURCE [--map \"HEADER=FIELD\"]... [--dry-run] [--force]\n"
                   "Appends the contacts of SOURCE to the contacts file FILE as the Import Contacts window does.\n"
                   "The reading is chosen from the content: vCard (2.1, 3.0, 4.0), LDIF as Thunderbird writes it,\n"
                   "or CSV, read in one of the five classic layouts when one fits the whole file, else with its\n"
                   "columns matched by their header names. Values are cleaned, contacts that look like ones\n"
                   "already on file and contacts without a name or e-mail are left out. Prints the reading\n"
                   "chosen, the number of contacts imported and, when some were left out, how many.\n"
                   "  --map \"HEADER=FIELD\"  reads the column HEADER as FIELD: first, mi, last, name (a whole\n"
                   "                      name), company, street, street2, city, state, zip, country, home,\n"
                   "                      cell, work, email, birthdate, category, notes or ignore (repeatable)\n"
                   "  --dry-run           writes nothing: prints each contact as it would be stored (sixteen\n"
                   "                      fields separated by \"|\", then in brackets what the clean-up\n"
                   "                      changed) and how many would be imported\n"
                   "Exits with 1 and the message when no column gives a name or e-mail (the file's columns are\n"
                   "listed) or the import fails; contacts imported before a failure stay in the file.\n"
                   "  --force             rewrites a contacts file that has other names (hard links); the other\n"
                   "                      names keep the old contents\n"),
    runImport,
}};

} // namespace
} // namespace quillet::cli
