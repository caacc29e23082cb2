#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/ServerOptions.h"
#include "cli/Verb.h"
#include "core/common/ProgramFolder.h"
#include "core/contacts/ContactsFile.h"
#include "core/exchange/ExportWriter.h"
#include "core/exchange/ServerExport.h"
#include "output/carddav/CardDavClient.h"
#include "output/carddav/CardDavExport.h"

namespace quillet::cli {
namespace {

constexpr QLatin1String outputName("output");
constexpr QLatin1String carddavName("carddav");

Result<ExportKind> kindFromArgs(const QCommandLineParser& args)
{
    const bool csv = args.isSet(QStringLiteral("csv"));
    const bool text = args.isSet(QStringLiteral("txt"));
    const bool vcard = args.isSet(QStringLiteral("vcard"));
    if (int(csv) + int(text) + int(vcard) + int(args.isSet(carddavName)) != 1)
        return AppError{errors::invalidProcedureCall().number,
                        QStringLiteral("give one of --csv, --txt, --vcard and --carddav")};
    if (const QString option = givenServerOption(args); !option.isEmpty())
        return AppError{errors::invalidProcedureCall().number, option + QStringLiteral(" goes with --carddav")};
    return csv ? ExportKind::Csv : text ? ExportKind::Text : ExportKind::VCard;
}

int serverFailure(const AppError& error)
{
    console::error(errorBoxText(error, ErrorEnding::Quillet));
    if (const QString hint = serverHint(error); !hint.isEmpty())
        console::error(hint);
    return console::exitFailed;
}

// Every contact to the server's book; the contacts file is only read.
int exportToServer(const QCommandLineParser& args)
{
    if (args.isSet(outputName))
        return console::usageError(QStringLiteral("--output goes with --csv, --txt and --vcard"));
    const Result<DavAccount> account = accountFromArgs(args.value(carddavName), args);
    if (!account)
        return usageError(account.error());
    ContactsFile file;
    if (!openContactsFile(file, args.positionalArguments().at(0), OpenMode::ExistingOnly))
        return console::exitFailed;
    const Result<DavAccount> withLogin = withPassword(*account);
    if (!withLogin)
        return serverFailure(withLogin.error());
    CardDavClient client(*withLogin);
    const Result<QUrl> book = chosenBook(client, args);
    if (!book)
        return serverFailure(book.error());
    const Result<ServerExportSummary> summary = exportToAddressBook(client, *book, file);
    if (!summary)
        return serverFailure(summary.error());
    console::printLine(book->toDisplayString());
    console::printLine(serverExportText(*summary));
    return summary->refused > 0 ? console::exitFailed : console::exitDone;
}

// The export's failure, blaming the file that caused it: a locked contacts file is
// not a fault of the export file.
int exportError(const ContactsFile& file, const QString& target, const AppError& error)
{
    if (error.description == fileInUseText)
        return fileError(QStringLiteral("cannot read contacts file"), file.path(), error);
    return fileError(QStringLiteral("cannot write export file"), target, error);
}

int noContacts(int written)
{
    return written == 0 ? console::error(exportNoContactsText) : console::exitDone;
}

int exportToStandardOutput(const ContactsFile& file, ExportKind kind)
{
    const Result<int> written = writeExport(file, kind, [](QByteArrayView bytes) {
        console::write(bytes);
        return Status::success();
    });
    if (!written)
        return exportError(file, QStringLiteral("-"), written.error());
    return noContacts(*written);
}

int runExport(const QCommandLineParser& args)
{
    if (args.isSet(carddavName) && !args.isSet(QStringLiteral("csv")) && !args.isSet(QStringLiteral("txt")) &&
        !args.isSet(QStringLiteral("vcard")))
        return exportToServer(args);
    const Result<ExportKind> kind = kindFromArgs(args);
    if (!kind)
        return usageError(kind.error());
    const QString output = args.value(outputName);
    if (args.isSet(outputName) && output.isEmpty())
        return console::usageError(QStringLiteral("--output needs a file name, or - for standard output"));
    ContactsFile file;
    if (!openContactsFile(file, args.positionalArguments().at(0), OpenMode::ExistingOnly))
        return console::exitFailed;
    if (output == QLatin1String("-"))
        return exportToStandardOutput(file, *kind);
    const QString target = output.isEmpty() ? exportPath(*kind, file.path(), programFolder()) : output;
    const Result<ExportSummary> summary = exportContactsTo(file, *kind, target);
    if (!summary)
        return exportError(file, target, summary.error());
    console::printLine(summary->path);
    return noContacts(summary->written);
}

QList<QCommandLineOption> exportOptions()
{
    const QList<QCommandLineOption> options{
        {QStringLiteral("csv"), QStringLiteral("QLTC_<name>.csv, comma-separated")},
        {QStringLiteral("txt"), QStringLiteral("QLTT_<name>.txt, separated by \"|\"")},
        {QStringLiteral("vcard"),
         QStringLiteral("QLTV_<name>.vcf, vCard 3.0 in UTF-8, which other address books import")},
        {{QStringLiteral("o"), outputName},
         QStringLiteral("write the export to PATH instead, - for standard output; a link\n"
                        "or a device under that name is refused, an older file replaced"),
         QStringLiteral("PATH")},
        {carddavName, QStringLiteral("put the contacts into the CardDAV address book at URL"), QStringLiteral("URL")}};
    return options + serverOptions();
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("export"),
    .synopsis = QStringLiteral("Export all contacts to a CSV, text or vCard file, or an address book server"),
    .usage = QStringLiteral("FILE (--csv | --txt | --vcard) [-o PATH]\n"
                            "       quillet-cli export FILE --carddav URL [--user NAME] [--book NAME]"),
    .description =
        QStringLiteral("Writes every contact of FILE, in record order, as the Export Contacts window does, into\n"
                       "the program's folder ($QUILLET_HOME, else Documents/Quillet) under the name the window\n"
                       "gives it, or into PATH, or with -o - on standard output. <name> is FILE's name without\n"
                       "its folder and without \".DAT\". Prints the path of the file written. A file without\n"
                       "contacts gives a header-only file (an empty one for --vcard), the message and exit\n"
                       "status 1.\n"
                       "With --carddav every contact goes into a CardDAV address book (or the one of a server) as\n"
                       "a vCard 3.0 card whose UID is made from its name and e-mail: a new card, or an update of a\n"
                       "card Quillet made before. Prints the book and what was done.\n") +
        serverExportPromise + QStringLiteral("\n"),
    .options = exportOptions(),
    .arguments = {QStringLiteral("FILE")},
    .run = runExport,
}};

} // namespace
} // namespace quillet::cli
