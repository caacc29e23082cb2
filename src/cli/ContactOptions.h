#pragma once

#include "core/editing/ContactForm.h"

#include <QString>
#include <QStringList>

namespace quillet {
class ContactsFile;
struct Rejection;
} // namespace quillet

namespace quillet::cli {

struct ParsedArgs;

// The options of add and edit, one per field: --first, --mi, --last, --street,
// --street2, --city, --state, --zip, --country, --birthdate, --home, --cell,
// --work, --email, --category, --notes.
QStringList contactFieldOptions();
// Puts every field option given into the form; the others keep their text.
void applyFieldOptions(const ParsedArgs& args, ContactForm& form);
// Help lines describing the field options.
QString contactFieldOptionsHelp();

// Prints the message of a refused save on standard error; returns exit status 1.
int reportRefusal(const Rejection& rejection);

// The ReminderFlag a new or changed record gets: the file's reminder switch as
// opening the file in the program sets it.
QString reminderFlagFor(const ContactsFile& file);

// The Add Contact rules and the append; prints "Saved as record N" or the reason.
int addContact(ContactsFile& file, const ContactForm& form);

} // namespace quillet::cli
