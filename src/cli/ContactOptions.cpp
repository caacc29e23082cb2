#include "cli/ContactOptions.h"

#include "cli/CliSupport.h"
#include "core/contacts/ContactsFile.h"
#include "core/editing/ContactValidation.h"
#include "core/reminders/Reminders.h"

namespace quillet::cli {

namespace {

QString optionName(FormField field)
{
    return QString::fromLatin1(formFieldInfo(field).cliOption);
}

} // namespace

QStringList contactFieldOptions()
{
    QStringList names;
    for (FormField field : allFormFields())
        names << optionName(field);
    return names;
}

void applyFieldOptions(const ParsedArgs& args, ContactForm& form)
{
    for (FormField field : allFormFields()) {
        const QString name = optionName(field);
        if (args.values.contains(name))
            form[field] = args.value(name);
    }
}

QString contactFieldOptionsHelp()
{
    QString help;
    for (FormField field : allFormFields()) {
        const QString value = field == FormField::Birthdate ? QStringLiteral("MM/DD/YYYY") : QStringLiteral("TEXT");
        help +=
            QStringLiteral("  %1 %2").arg(optionName(field), value).leftJustified(26) + formFieldCaption(field) + u'\n';
    }
    return help;
}

int reportRefusal(const Rejection& rejection)
{
    printError(rejection.message);
    return 1;
}

QString reminderFlagFor(const ContactsFile& file)
{
    return reminders::flagFor(reminders::switchAtOpening(file));
}

int addContact(ContactsFile& file, const ContactForm& form)
{
    const ValidationResult result = validateContact(form, addContactRules);
    if (!result.ok())
        return reportRefusal(*result.rejection);
    int number = 0;
    if (Status appended = file.append(recordFromForm(result.form, reminderFlagFor(file)), &number); !appended)
        return fileError(QStringLiteral("cannot write contacts file"), file.path(), appended.error());
    printLine(QStringLiteral("Saved as record %1").arg(number));
    return 0;
}

} // namespace quillet::cli
