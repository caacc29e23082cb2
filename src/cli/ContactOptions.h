#pragma once

#include "core/common/Result.h"
#include "core/editing/ContactForm.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

namespace quillet {
class ContactsFile;
class ContactRecord;
struct Rejection;
} // namespace quillet

namespace quillet::cli {

// The options of add and edit, one per field of the catalogue: --first, --mi, --last,
// --street, --street2, --city, --state, --zip, --country, --birthdate, --home, --cell,
// --work, --email, --category, --notes.
QList<QCommandLineOption> contactFieldOptions();
// Puts every field option given into the form; the others keep their text.
void applyFieldOptions(const QCommandLineParser& args, ContactForm& form);

// --if-name "First Last", for the verbs that change a contact by its position.
const QCommandLineOption& ifNameOption();
// The name a contact is shown and checked by: first and last name, trimmed.
QString contactName(const ContactRecord& record);
// Whether the record is the contact --if-name names (spaces between the words
// do not count); always true when the option was not given.
bool isNamedContact(const QCommandLineParser& args, const ContactRecord& record);
// The refusal when it is not; returns exit status 1.
int reportOtherContact(int number, const ContactRecord& record);

// Prints the message of a refused save on standard error; returns exit status 1.
int reportRefusal(const Rejection& rejection);

// The ReminderFlag a new or changed record gets: the file's reminder switch as
// opening the file in the program sets it; the read error when record 1 cannot be read.
Result<QString> reminderFlagFor(const ContactsFile& file);

// The Add Contact rules and the append; prints "Saved as record N" or the reason.
int addContact(ContactsFile& file, const ContactForm& form);

} // namespace quillet::cli
