#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/PrintOutput.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"
#include "core/editing/ContactPrinting.h"
#include "ports/PrintTarget.h"

#include <QDate>

namespace quillet::cli {
namespace {

int runDetails(const QCommandLineParser& args)
{
    const QString path = args.positionalArguments().at(0);
    const Result<int> number = recordNumberValue(args.positionalArguments().at(1));
    if (!number)
        return usageError(number.error());
    const Result<PrintOutput> output = PrintOutput::fromArgs(args, PrintOutput::Offset::Refused);
    if (!output)
        return usageError(output.error());
    ContactsFile file;
    if (const int opened = openAtRecord(path, *number, file); opened != console::exitDone)
        return opened;
    const Result<ContactRecord> record = file.read(*number);
    if (!record)
        return fileError(QStringLiteral("cannot read contacts file"), path, record.error());
    const ContactForm form = formFromRecord(*record);
    const QString today = detailsDateText(QDate::currentDate());
    // The copies are pages of one document, as the window prints them.
    return output->run([&](const PrintChoice& choice, PrintTarget& target) {
        return target.print(contactDetailsDocument(form, today, choice.copies),
                            PrintJob::from(choice, contactDetailsJobTitle(form)));
    });
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("details"),
    .synopsis = QStringLiteral("Print a contact's details page"),
    .usage = QStringLiteral("FILE N (--printer NAME | --pdf FILE | --grid) [--copies K]"),
    .description = QStringLiteral("Prints the Contact Details page of record N (from 1), dated today.\n"),
    .options = PrintOutput::options(PrintOutput::Offset::Refused),
    .arguments = {QStringLiteral("FILE"), QStringLiteral("N")},
    .run = runDetails,
}};

} // namespace
} // namespace quillet::cli
