#include "cli/CliSupport.h"
#include "cli/PrintOutput.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"
#include "core/editing/ContactPrinting.h"
#include "ports/PrintTarget.h"

#include <QDate>
#include <QLocale>

namespace quillet::cli {
namespace {

const QString verbName = QStringLiteral("details");

int runDetails(const QStringList& args)
{
    PrintOutput output;
    QStringList positional;
    for (qsizetype i = 0; i < args.size();) {
        QString error;
        if (output.take(args, i, error)) {
            if (!error.isEmpty())
                return usageError(verbName, error);
        } else if (args[i].startsWith(QLatin1String("--"))) {
            return usageError(verbName, QStringLiteral("unknown option ") + args[i]);
        } else {
            positional << args[i++];
        }
    }
    if (positional.size() != 2)
        return usageError(verbName, QStringLiteral("give the contacts file and a record number"));
    if (const QString error = output.validate(); !error.isEmpty())
        return usageError(verbName, error);
    ContactsFile file;
    const std::optional<int> number = openAtRecord(verbName, positional.at(0), positional.at(1), file);
    if (!number)
        return 1;
    const Result<ContactRecord> record = file.readChecked(*number);
    if (!record)
        return fileError(QStringLiteral("cannot read contacts file"), positional.at(0), record.error());
    const ContactForm form = formFromRecord(*record);
    const QString today = detailsDateText(QDate::currentDate());
    // The copies are pages of one document, as the window prints them.
    return output.run([&](const PrintChoice& choice, PrintTarget& target) {
        return target.print(contactDetailsDocument(form, today, choice.copies),
                            PrintJob::from(choice, QStringLiteral("Contact Details")));
    });
}

const VerbRegistration registration{Verb{
    verbName,
    QStringLiteral("Print a contact's details page"),
    QStringLiteral("Usage: quillet-cli details FILE N (--printer NAME | --pdf FILE | --grid) [--copies K]\n"
                   "Prints the Contact Details page of record N (from 1), dated today.\n") +
        PrintOutput::helpText(),
    runDetails,
}};

} // namespace
} // namespace quillet::cli
