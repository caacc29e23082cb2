#include "cli/CliSupport.h"
#include "cli/Verb.h"
#include "core/common/ProgramFolder.h"
#include "core/contacts/ContactsFile.h"
#include "core/exchange/ExportWriter.h"

namespace quillet::cli {
namespace {

int runExport(const QStringList& args)
{
    QString error;
    const std::optional<ParsedArgs> parsed = parseArgs(
        args, {QStringLiteral("--csv"), QStringLiteral("--txt"), QStringLiteral("--vcard")}, {}, 1, 1, &error);
    if (!parsed)
        return usageError(QStringLiteral("export"), error);
    const int kinds = int(parsed->has(QStringLiteral("--csv"))) + int(parsed->has(QStringLiteral("--txt"))) +
                      int(parsed->has(QStringLiteral("--vcard")));
    if (kinds != 1)
        return usageError(QStringLiteral("export"), QStringLiteral("give one of --csv, --txt and --vcard"));
    const ExportKind kind = parsed->has(QStringLiteral("--csv"))   ? ExportKind::Csv
                            : parsed->has(QStringLiteral("--txt")) ? ExportKind::Text
                                                                   : ExportKind::VCard;
    ContactsFile file;
    if (!openContactsFile(file, parsed->positional.first(), OpenMode::ExistingOnly))
        return 1;
    const Result<ExportSummary> summary = exportContacts(file, kind, programFolder());
    if (!summary)
        return fileError(QStringLiteral("cannot write export file"), exportPath(kind, file.path(), programFolder()),
                         summary.error());
    printLine(summary->path);
    if (summary->written == 0) {
        printError(exportNoContactsText);
        return 1;
    }
    return 0;
}

const VerbRegistration registration{Verb{
    QStringLiteral("export"),
    QStringLiteral("Export all contacts to a CSV, text or vCard file"),
    QStringLiteral("Usage: quillet-cli export FILE (--csv | --txt | --vcard)\n"
                   "Writes every contact of FILE, in record order, into the program's folder\n"
                   "($QUILLET_HOME, else Documents/Quillet) as the Export Contacts window does:\n"
                   "  --csv    QLTC_<name>.csv, comma-separated\n"
                   "  --txt    QLTT_<name>.txt, separated by \"|\"\n"
                   "  --vcard  QLTV_<name>.vcf, vCard 3.0 in UTF-8, which other address books import\n"
                   "where <name> is FILE's name without its folder and without \".DAT\". Prints the path\n"
                   "of the file written. A file without contacts gives a header-only file (an empty one\n"
                   "for --vcard), the message and exit status 1.\n"),
    runExport,
}};

} // namespace
} // namespace quillet::cli
