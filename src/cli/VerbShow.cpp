#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"

namespace quillet::cli {
namespace {

int runShow(const QCommandLineParser& args)
{
    const QString path = args.positionalArguments().at(0);
    const Result<int> number = recordNumberValue(args.positionalArguments().at(1));
    if (!number)
        return usageError(number.error());
    ContactsFile file;
    if (const int opened = openAtRecord(path, *number, file); opened != console::exitDone)
        return opened;
    const Result<ContactRecord> record = file.read(*number);
    if (!record)
        return fileError(QStringLiteral("cannot read contacts file"), path, record.error());
    for (Field field : allFields) {
        const QString value =
            field == Field::Birthdate ? birthdateToDisplay(record->value(field)) : record->trimmed(field);
        console::printLine(fieldName(field) + QStringLiteral(": ") + value);
    }
    return console::exitDone;
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("show"),
    .synopsis = QStringLiteral("Show one contact"),
    .usage = QStringLiteral("FILE N"),
    .description = QStringLiteral("Prints record N (from 1) as \"Field: value\" lines: the sixteen fields trimmed,\n"
                                  "the birthdate in display form MM/DD/YYYY, then the ReminderFlag. A number past\n"
                                  "the last record is refused.\n"),
    .options = {},
    .arguments = {QStringLiteral("FILE"), QStringLiteral("N")},
    .run = runShow,
}};

} // namespace
} // namespace quillet::cli
