#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/ImportSource.h"
#include "cli/OptionValues.h"
#include "cli/ServerOptions.h"
#include "cli/Verb.h"
#include "core/common/Cp1252.h"
#include "core/contacts/ContactsFile.h"
#include "core/exchange/ImportRun.h"
#include "core/exchange/ImportText.h"
#include "core/reminders/Reminders.h"
#include "output/carddav/CardDavClient.h"
#include "output/carddav/CardDavImport.h"

namespace quillet::cli {
namespace {

constexpr QLatin1String mapName("map");

int reportFailure(const AppError& error)
{
    console::error(errorBoxText(error, ErrorEnding::Quillet));
    if (error.description == errors::fileHasLinks().description)
        console::error(QStringLiteral("add --force to rewrite it anyway; the other names keep the old contents"));
    else if (const QString hint = serverHint(error); !hint.isEmpty())
        console::error(hint);
    return console::exitFailed;
}

int reportOutcome(const ImportSummary& summary, bool dryRun)
{
    if (summary.stoppedBy) {
        console::error(errorBoxText(*summary.stoppedBy, ErrorEnding::Quillet));
        if (summary.imported > 0 && !dryRun)
            console::error(QStringLiteral("%1 contacts were imported before the failure.").arg(summary.imported));
        return console::exitFailed;
    }
    if (summary.outcome != ImportSummary::Outcome::Imported) {
        return console::error(QStringLiteral("the CSV file's header fits none of the import layouts, and ") +
                              noNameColumnText(summary.headers));
    }
    console::printLine(dryRun ? QStringLiteral("%1 contacts would be imported.").arg(summary.imported)
                              : importedCountText(summary.imported));
    for (const QString& line : summaryLines(summary))
        console::printLine(line);
    return console::exitDone;
}

Result<ImportOptions> optionsFromArgs(const QCommandLineParser& args)
{
    ImportOptions options;
    for (const QString& value : args.values(mapName)) {
        const Result<ColumnChoice> choice = mapValue(value);
        if (!choice)
            return choice.status();
        options.columnChoices.emplace_back(choice->header, choice->field);
    }
    options.dryRun = args.isSet(QStringLiteral("dry-run"));
    return options;
}

using ImportFrom = std::function<Result<ImportSummary>(ContactsFile&, const ImportOptions&)>;

// Into FILE from what `importFrom` reads, with the rules every source shares.
int importInto(const QCommandLineParser& args, ImportOptions options, const ImportFrom& importFrom)
{
    ContactsFile file;
    if (!openContactsFile(file, args.positionalArguments().at(0), OpenMode::ExistingOnly))
        return console::exitFailed;
    file.setSplittingLinksAllowed(args.isSet(QStringLiteral("force")));
    // New records carry the reminder switch as File > Open would set it for this file.
    const Result<reminders::Switch> reminderSwitch = reminders::switchAtOpening(file);
    if (!reminderSwitch)
        return fileError(QStringLiteral("cannot read contacts file"), file.path(), reminderSwitch.error());
    options.reminderFlag = reminders::flagFor(*reminderSwitch);
    QStringList wouldStore;
    if (options.dryRun)
        options.onContact = [&wouldStore](QByteArrayView record, const ContactChanges& changes) {
            wouldStore << dryRunLine(record, changes);
        };
    const Result<ImportSummary> summary = importFrom(file, options);
    if (!summary)
        return reportFailure(summary.error());
    if (const QString reading = readingText(*summary); !reading.isEmpty())
        console::printLine(reading);
    for (const QString& line : wouldStore)
        console::printLine(line);
    return reportOutcome(*summary, options.dryRun);
}

// The whole book is read and checked before the file is touched, then imported as a vCard file is.
int importFromServer(const QCommandLineParser& args, const ImportOptions& options)
{
    if (!options.columnChoices.empty())
        return console::usageError(QStringLiteral("--map applies to CSV files whose columns are matched by name; "
                                                  "the source is an address book server"));
    const Result<DavAccount> account = accountFromArgs(args.positionalArguments().at(1), args);
    if (!account)
        return usageError(account.error());
    return importInto(args, options, [&](ContactsFile& file, const ImportOptions& chosen) -> Result<ImportSummary> {
        const Result<DavAccount> withLogin = withPassword(*account);
        if (!withLogin)
            return withLogin.status();
        CardDavClient client(*withLogin);
        const Result<QUrl> book = chosenBook(client, args);
        if (!book)
            return book.status();
        return importAddressBook(client, *book, file, chosen);
    });
}

int runImport(const QCommandLineParser& args)
{
    const Result<ImportOptions> options = optionsFromArgs(args);
    if (!options)
        return usageError(options.error());
    if (isServerAddress(args.positionalArguments().at(1)))
        return importFromServer(args, *options);
    if (const QString option = givenServerOption(args); !option.isEmpty())
        return console::usageError(option + QStringLiteral(" goes with an address book URL"));
    const Result<ImportSource> source = ImportSource::open(args.positionalArguments().at(1));
    if (!source)
        return reportFailure(source.error());
    if (const Result<QString> unmapped = source->unmappedColumn(*options); !unmapped)
        return reportFailure(unmapped.error());
    else if (!unmapped->isEmpty())
        return console::usageError(*unmapped);
    return importInto(args, *options, [&source](ContactsFile& file, const ImportOptions& chosen) {
        return importContacts(source->path(), file, chosen);
    });
}

QList<QCommandLineOption> importOptions()
{
    QList<QCommandLineOption> options{
        {{QStringLiteral("m"), mapName},
         QStringLiteral("read the column HEADER as FIELD: first, mi, last, name (a whole\n"
                        "name), company, street, street2, city, state, zip, country, home,\n"
                        "cell, work, email, birthdate, category, notes or ignore (repeatable);\n"
                        "for CSV files whose columns are matched by name"),
         QStringLiteral("\"HEADER=FIELD\"")},
        {{QStringLiteral("n"), QStringLiteral("dry-run")},
         QStringLiteral("write nothing: print each contact as it would be stored (sixteen\n"
                        "fields separated by \"|\") and how many would be imported")},
        {{QStringLiteral("f"), QStringLiteral("force")},
         QStringLiteral("rewrite a contacts file that has other names (hard links); the\n"
                        "other names keep the old contents")}};
    return options + serverOptions();
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("import"),
    .synopsis = QStringLiteral("Import contacts from a CSV, vCard or LDIF file, or an address book server"),
    .usage = QStringLiteral("FILE SOURCE [--map \"HEADER=FIELD\"]... [--dry-run] [--force]\n"
                            "       quillet-cli import FILE URL [--user NAME] [--book NAME] [--dry-run] [--force]"),
    .description =
        QStringLiteral("Appends the contacts of SOURCE (- for standard input) to the contacts file FILE as the\n"
                       "Import Contacts window does. The reading is chosen from the content: vCard (2.1, 3.0, 4.0),\n"
                       "LDIF as Thunderbird writes it, or CSV, read in one of the five classic layouts when one\n"
                       "fits the whole file, else with its columns matched by their header names. Values are\n"
                       "cleaned, contacts that look like ones already on file and contacts without a name or\n"
                       "e-mail are left out. Prints the reading chosen, the number of contacts imported and, when\n"
                       "some were left out, how many. Exits with 1 and the message when no column gives a name\n"
                       "or e-mail (the file's columns are listed) or the import fails; contacts imported before\n"
                       "a failure stay in the file.\n"
                       "A URL (https://...) is a CardDAV address book, or a server whose address books are found\n"
                       "(RFC 6764). The whole book is read and checked before FILE is touched, then imported as a\n"
                       "vCard file is; a second import of the same book adds nothing. Plain HTTP is used only for\n"
                       "localhost or with --allow-http; a certificate that is not valid is refused with its\n"
                       "fingerprint, which --trust-certificate accepts.\n"),
    .options = importOptions(),
    .arguments = {QStringLiteral("FILE"), QStringLiteral("SOURCE")},
    .run = runImport,
}};

} // namespace
} // namespace quillet::cli
