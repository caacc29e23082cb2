#include "core/editing/ContactValidation.h"

#include "core/common/Cp1252.h"
#include "core/common/TextRules.h"

#include <QDate>

namespace quillet {

namespace {

using F = FormField;

std::optional<Rejection> reject(const QString& message, FormField focus)
{
    return Rejection{message, incorrectEntryTitle, focus};
}

// The field's length limit, from the catalogue.
int maximum(FormField field)
{
    return formFieldInfo(field).lengthLimit().value_or(0);
}

// A message that names the field's limit: "%1" in `text` becomes it.
QString withLimit(const char* text, FormField field)
{
    return QString::fromLatin1(text).arg(maximum(field));
}

// Refuses a text longer than the field's limit with `message`, "%1" standing for the limit.
std::optional<Rejection> limit(const ContactForm& form, FormField field, const char* message)
{
    if (form[field].length() > maximum(field))
        return reject(withLimit(message, field), field);
    return std::nullopt;
}

// The length and the two slashes first, then the date must be one of the calendar:
// 13/45/1980 would be stored as 19801345.
bool birthdateFormatOk(const QString& date)
{
    if (date.isEmpty())
        return true;
    if (date.length() != 10 || date.at(2) != u'/' || date.at(5) != u'/')
        return false;
    return QDate::fromString(date, QStringLiteral("MM/dd/yyyy")).isValid();
}

void removeCommas(QString& text)
{
    text.remove(u',');
}

void cleanPhone(QString& phone)
{
    phone.remove(u'(');
    phone.replace(u')', u'-');
    phone.remove(u' ');
    phone.remove(u'+');
}

std::optional<Rejection> checkLastName(ContactForm& form, const SaveRules& rules)
{
    const char* message = "Enter last name, %1 characters or less.";
    if (auto rejection = limit(form, F::LastName, message))
        return rejection;
    if (rules.lastNameCommasRemovedBeforeCheck)
        removeCommas(form[F::LastName]);
    if (form[F::LastName].isEmpty())
        return reject(withLimit(message, F::LastName), F::LastName);
    removeCommas(form[F::LastName]);
    return std::nullopt;
}

std::optional<Rejection> checkState(ContactForm& form, const SaveRules& rules)
{
    const int length = form[F::State].length();
    const int abbreviation = maximum(F::State);
    const bool wrong = rules.stateExactlyTwo ? (length != 0 && length != abbreviation) : length > abbreviation;
    if (wrong)
        return reject(withLimit("State must be %1 character abbreviation.", F::State), F::State);
    removeCommas(form[F::State]);
    return std::nullopt;
}

std::optional<Rejection> checkNameAndAddress(ContactForm& form, const SaveRules& rules)
{
    if (auto r = limit(form, F::FirstName, "First name must be %1 characters or less."))
        return r;
    removeCommas(form[F::FirstName]);
    removeCommas(form[F::MiddleInitial]);
    form[F::MiddleInitial].remove(u'.');
    if (auto r = limit(form, F::MiddleInitial, "Enter only %1 character for middle initial."))
        return r;
    if (auto r = checkLastName(form, rules))
        return r;
    if (auto r = limit(form, F::Street, "Street address must be %1 characters or less."))
        return r;
    removeCommas(form[F::Street]);
    if (auto r = limit(form, F::Street2, "Street address2 must be %1 characters or less."))
        return r;
    removeCommas(form[F::Street2]);
    // The city's commas go only after every other check (see validateContact).
    if (auto r = limit(form, F::City, "City must be %1 characters or less."))
        return r;
    if (auto r = checkState(form, rules))
        return r;
    if (auto r = limit(form, F::Zip, "Zip Code must be %1 characters or less."))
        return r;
    removeCommas(form[F::Zip]);
    if (auto r = limit(form, F::Country, "Country must be %1 characters or less. For example, USA."))
        return r;
    if (rules.countryCommaToSpace)
        form[F::Country].replace(u',', u' ');
    else
        removeCommas(form[F::Country]);
    return std::nullopt;
}

std::optional<Rejection> checkPhones(ContactForm& form)
{
    struct Phone
    {
        FormField field;
        const char* message;
    };
    static constexpr Phone phones[] = {
        {F::HomePhone, "Home Phone must be %1 characters or less."},
        {F::CellPhone, "Cell Phone must be %1 characters or less."},
        {F::WorkPhone, "Work Phone must be %1 characters or less."},
    };
    for (const Phone& phone : phones) {
        cleanPhone(form[phone.field]);
        if (auto r = limit(form, phone.field, phone.message))
            return r;
        removeCommas(form[phone.field]);
    }
    return std::nullopt;
}

// An e-mail address is checked, never cleaned.
std::optional<Rejection> checkEmail(const ContactForm& form)
{
    const QString& email = form[F::Email];
    if (email.length() > maximum(F::Email))
        return reject(withLimit("Email address must be %1 characters or less.", F::Email), F::Email);
    if (text::contains(email, QStringLiteral(",")))
        return reject(QStringLiteral("Email address cannot contain a comma."), F::Email);
    if (text::contains(email, QStringLiteral(" ")))
        return reject(QStringLiteral("Email address cannot contain a space."), F::Email);
    if (!email.isEmpty() && !email.contains(u'@'))
        return reject(QStringLiteral("Email address must contain the '@' character."), F::Email);
    if (!email.isEmpty() && !email.contains(u'.'))
        return reject(QStringLiteral("Email address must contain the '.' character."), F::Email);
    return std::nullopt;
}

std::optional<Rejection> checkFreeTexts(ContactForm& form)
{
    if (auto r = limit(form, F::Category, "Category must be %1 characters or less."))
        return r;
    form[F::Category].replace(u',', u' ');
    if (auto r = limit(form, F::Notes, "Notes must be %1 characters or less."))
        return r;
    form[F::Notes].replace(u',', u' ');
    return std::nullopt;
}

} // namespace

ValidationResult validateContact(ContactForm form, const SaveRules& rules)
{
    ValidationResult result;
    // Lengths are measured on what the record will hold.
    for (QString& text : form.texts)
        text = text::withoutControls(cp1252::fold(text));
    if (!birthdateFormatOk(form[F::Birthdate])) {
        result.rejection =
            Rejection{QStringLiteral("Date must be in format MM/DD/YYYY   Example: April 10, 1980 is 04/10/1980"),
                      dateErrorTitle, std::nullopt};
    } else if (auto r = checkNameAndAddress(form, rules)) {
        result.rejection = r;
    } else if (auto r = checkPhones(form)) {
        result.rejection = r;
    } else if (auto r = checkEmail(form)) {
        result.rejection = r;
    } else if (auto r = checkFreeTexts(form)) {
        result.rejection = r;
    } else {
        removeCommas(form[F::City]);
    }
    result.form = std::move(form);
    return result;
}

ContactRecord recordFromForm(const ContactForm& cleaned, const QString& reminderFlag)
{
    ContactRecord record;
    for (FormField field : allFormFields())
        record.set(recordField(field), cleaned[field]);
    record.set(Field::FirstName, text::trimSpaces(cleaned[F::FirstName]));
    record.set(Field::MI, text::upperCase(cleaned[F::MiddleInitial]));
    record.set(Field::State, text::upperCase(cleaned[F::State]));
    record.set(Field::Country, text::upperCase(cleaned[F::Country]));
    record.set(Field::Birthdate, birthdateToStored(cleaned[F::Birthdate]));
    record.set(Field::ReminderFlag, reminderFlag);
    return record;
}

} // namespace quillet
