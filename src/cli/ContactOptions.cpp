#include "cli/ContactOptions.h"

#include "cli/CliSupport.h"
#include "contacts/ContactsFile.h"
#include "editing/ContactValidation.h"
#include "shell/Reminders.h"

namespace quillet::cli {

namespace {

struct FieldOption
{
    const char* name;
    FormField field;
};

constexpr FieldOption fieldOptions[] = {
    {"--first", FormField::FirstName},     {"--mi", FormField::MiddleInitial}, {"--last", FormField::LastName},
    {"--street", FormField::Street},       {"--street2", FormField::Street2},  {"--city", FormField::City},
    {"--state", FormField::State},         {"--zip", FormField::Zip},          {"--country", FormField::Country},
    {"--birthdate", FormField::Birthdate}, {"--home", FormField::HomePhone},   {"--cell", FormField::CellPhone},
    {"--work", FormField::WorkPhone},      {"--email", FormField::Email},      {"--category", FormField::Category},
    {"--notes", FormField::Notes},
};

} // namespace

QStringList contactFieldOptions()
{
    QStringList names;
    for (const FieldOption& option : fieldOptions)
        names << QString::fromLatin1(option.name);
    return names;
}

void applyFieldOptions(const ParsedArgs& args, ContactForm& form)
{
    for (const FieldOption& option : fieldOptions) {
        const QString name = QString::fromLatin1(option.name);
        if (args.values.contains(name))
            form[option.field] = args.value(name);
    }
}

QString contactFieldOptionsHelp()
{
    QString help;
    for (const FieldOption& option : fieldOptions) {
        const QString value =
            option.field == FormField::Birthdate ? QStringLiteral("MM/DD/YYYY") : QStringLiteral("TEXT");
        help += QStringLiteral("  %1 %2").arg(QString::fromLatin1(option.name), value).leftJustified(26) +
                formFieldCaption(option.field) + u'\n';
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
    // Reminders count as on while "Enable Birthday Reminders" would be disabled.
    return reminders::menuItemsAtOpening(file).onItemEnabled ? QStringLiteral("0") : QStringLiteral("1");
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
