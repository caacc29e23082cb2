#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/ListArgs.h"
#include "cli/PrintOutput.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"
#include "core/contacts/ContactsFileNames.h"
#include "core/list/ListOrder.h"
#include "core/list/ListReport.h"
#include "core/printing/GridDocument.h"
#include "core/printing/JobTitle.h"
#include "core/printing/PrintRunner.h"

#include <QFileInfo>

namespace quillet::cli {
namespace {

int runReport(const QCommandLineParser& args)
{
    const Result<ListQuery> query = listQueryFromArgs(args);
    if (!query)
        return usageError(query.error());
    const Result<PrintOutput> output = PrintOutput::fromArgs(args, PrintOutput::Offset::Refused);
    if (!output)
        return usageError(output.error());
    const QString path = args.positionalArguments().at(0);
    ContactsFile file;
    const std::optional<ListedReport> listed = listFor<ListedReport>(
        path, file, [&query](const ContactsFile& contacts) { return listReport(contacts, *query, ListOrder()); });
    if (!listed)
        return console::exitFailed;
    const QString title = contactsFileTitle(QFileInfo(path).fileName());
    return output->run([&](const PrintChoice& choice, PrintTarget& target) {
        if (!listed->check)
            return listed->check;
        return printStreamCopies([&](int) { return reportStream(file, *listed, title); }, choice, target,
                                 jobTitle(QStringLiteral("Report"), title, listed->contacts.size()));
    });
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("report"),
    .synopsis = QStringLiteral("Print the contact list as a report"),
    .usage = QStringLiteral("FILE [--search FIELD=TEXT] [--sort first|last] [--copies K]\n"
                            "                          (--printer NAME | --pdf FILE | --grid)"),
    .description = QStringLiteral("Prints the list in landscape: the title, the file's name, a column header and one\n"
                                  "line per listed contact.\n"),
    .options = listOptions() + PrintOutput::options(PrintOutput::Offset::Refused),
    .arguments = {QStringLiteral("FILE")},
    .run = runReport,
}};

} // namespace
} // namespace quillet::cli
