#pragma once

#include "core/contacts/ContactRecord.h"
#include "core/editing/ContactForm.h"

#include <QString>

#include <optional>

namespace quillet {

// Where Save changes of the Contact Information window departs from Save of the
// Add Contact window. Everything else about the checks is shared.
struct SaveRules
{
    // Add Contact removes the last name's commas before requiring a last name, so
    // "," alone is rejected; Save changes removes them afterwards and stores it empty.
    bool lastNameCommasRemovedBeforeCheck;
    // Add Contact wants a state of exactly two characters or none; Save changes any up to two.
    bool stateExactlyTwo;
    // Add Contact turns a comma in the country into a space; Save changes drops it.
    bool countryCommaToSpace;
};
inline constexpr SaveRules addContactRules{true, true, true};
inline constexpr SaveRules saveChangesRules{false, false, false};

inline const QString incorrectEntryTitle = QStringLiteral("Incorrect entry");
inline const QString dateErrorTitle = QStringLiteral("Date error");

// Why Save refused: the message box text and title, and the field that gets the
// focus (none for the birthdate format message).
struct Rejection
{
    QString message;
    QString title;
    std::optional<FormField> focus;
};

struct ValidationResult
{
    // The texts as cleaned by the steps that ran; the windows put them back into
    // their fields even after a rejection, so earlier clean-ups stay visible.
    ContactForm form;
    std::optional<Rejection> rejection;
    bool ok() const { return !rejection.has_value(); }
};

// Save's checks and clean-ups, in their fixed order, up to the first rejection.
ValidationResult validateContact(ContactForm form, const SaveRules& rules);

// The record a validated form is saved as: first name trimmed; middle initial,
// state and country in upper case; the birthdate in stored form.
ContactRecord recordFromForm(const ContactForm& cleaned, const QString& reminderFlag);

} // namespace quillet
