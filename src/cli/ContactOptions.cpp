#include "cli/ContactOptions.h"

#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "core/contacts/ContactsFile.h"
#include "core/editing/ContactValidation.h"
#include "core/reminders/Reminders.h"

namespace quillet::cli {

namespace {

QString optionName(FormField field)
{
    return QString::fromLatin1(formFieldInfo(field).cliOption).mid(2); // without "--"
}

QString simplifiedSpaces(const QString& text)
{
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts).join(QLatin1Char(' '));
}

} // namespace

QList<QCommandLineOption> contactFieldOptions()
{
    QList<QCommandLineOption> options;
    for (FormField field : allFormFields()) {
        const QString value = field == FormField::Birthdate ? QStringLiteral("MM/DD/YYYY") : QStringLiteral("TEXT");
        options << QCommandLineOption(optionName(field), formFieldCaption(field), value);
    }
    return options;
}

void applyFieldOptions(const QCommandLineParser& args, ContactForm& form)
{
    for (FormField field : allFormFields()) {
        if (args.isSet(optionName(field)))
            form[field] = args.value(optionName(field));
    }
}

const QCommandLineOption& ifNameOption()
{
    static const QCommandLineOption option(
        QStringLiteral("if-name"),
        QStringLiteral("change record N only if it is this contact (first and last name,\n"
                       "as the verb prints them); another contact there is refused"),
        QStringLiteral("\"FIRST LAST\""));
    return option;
}

QString contactName(const ContactRecord& record)
{
    return simplifiedSpaces(record.trimmed(Field::FirstName) + QLatin1Char(' ') + record.trimmed(Field::LastName));
}

bool isNamedContact(const QCommandLineParser& args, const ContactRecord& record)
{
    return !args.isSet(ifNameOption()) || simplifiedSpaces(args.value(ifNameOption())) == contactName(record);
}

int reportOtherContact(int number, const ContactRecord& record)
{
    return console::error(QStringLiteral("record %1 is %2, not the contact --if-name names; nothing was changed")
                              .arg(number)
                              .arg(contactName(record).isEmpty()
                                       ? QStringLiteral("a contact without a name")
                                       : QLatin1Char('"') + contactName(record) + QLatin1Char('"')));
}

int reportRefusal(const Rejection& rejection)
{
    return console::error(rejection.message);
}

Result<QString> reminderFlagFor(const ContactsFile& file)
{
    const Result<reminders::Switch> state = reminders::switchAtOpening(file);
    if (!state)
        return state.status();
    return reminders::flagFor(*state);
}

int addContact(ContactsFile& file, const ContactForm& form)
{
    const ValidationResult result = validateContact(form, addContactRules);
    if (!result.ok())
        return reportRefusal(*result.rejection);
    // One lock from reading the switch to the append: one wait while the file is in
    // use, and the flag is that of the file appended to.
    const ContactsFileLock locked(file, LockKind::Exclusive, WriteCheck::Writable);
    if (!locked.status())
        return fileError(QStringLiteral("cannot write contacts file"), file.path(), locked.status().error());
    const Result<QString> flag = reminderFlagFor(file);
    if (!flag)
        return fileError(QStringLiteral("cannot read contacts file"), file.path(), flag.error());
    const Result<int> number = file.append(recordFromForm(result.form, *flag));
    if (!number)
        return fileError(QStringLiteral("cannot write contacts file"), file.path(), number.error());
    console::printLine(QStringLiteral("Saved as record %1").arg(*number));
    return console::exitDone;
}

} // namespace quillet::cli
