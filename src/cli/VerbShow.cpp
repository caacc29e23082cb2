#include "cli/CliSupport.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"

namespace quillet::cli {
namespace {

int runShow(const QStringList& args)
{
    const QString verb = QStringLiteral("show");
    QString error;
    const std::optional<ParsedArgs> parsed = parseArgs(args, {}, {}, 2, 2, &error);
    if (!parsed)
        return usageError(verb, error);
    const QString path = parsed->positional.at(0);
    ContactsFile file;
    const std::optional<int> number = openAtRecord(verb, path, parsed->positional.at(1), file);
    if (!number)
        return 1;
    const Result<ContactRecord> record = file.readChecked(*number);
    if (!record)
        return fileError(QStringLiteral("cannot read contacts file"), path, record.error());
    for (Field field : allFields) {
        const QString value =
            field == Field::Birthdate ? birthdateToDisplay(record->value(field)) : record->trimmed(field);
        printLine(fieldName(field) + QStringLiteral(": ") + value);
    }
    return 0;
}

const VerbRegistration registration{Verb{
    QStringLiteral("show"),
    QStringLiteral("Show one contact"),
    QStringLiteral("Usage: quillet-cli show FILE N\n"
                   "Prints record N (from 1) as \"Field: value\" lines: the sixteen fields trimmed,\n"
                   "the birthdate in display form MM/DD/YYYY, then the ReminderFlag. A number past\n"
                   "the last record is refused.\n"),
    runShow,
}};

} // namespace
} // namespace quillet::cli
