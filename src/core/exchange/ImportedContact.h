#pragma once

#include "core/contacts/ContactRecord.h"
#include "core/exchange/ImportChanges.h"

#include <QString>
#include <QStringList>

#include <map>

namespace quillet {

// One contact as a name-matched CSV line, a vCard or an LDIF entry gives it,
// before the choices and clean-up that make it a record. Addresses, phones and
// e-mails are kept by group (a file's numbered or typed columns, a card's lines in
// their order), so that the choice of which one to keep is made in one place.
struct ImportedContact
{
    struct Address
    {
        QString type; // "home", "work", or what the file says
        QString street, street2, city, state, zip, country;
        QString poBox;
        // The whole address in one text (Google's "Formatted", Outlook's "Home
        // Address"): used only when the street parts are all empty.
        QString formatted;
        bool isEmpty() const;
    };
    struct Phone
    {
        QString type; // home, cell (mobile), work; other types fill an empty home phone
        QString value;
    };
    struct Email
    {
        QString value;
        int preference = 100; // lower is preferred: vCard's PREF=1, TYPE=pref, Google's "* "
    };

    QString first, middle, last, name, company;
    std::map<int, Address> addresses;
    std::map<int, Phone> phones;
    std::map<int, Email> emails;
    QString birthdate, birthYear, birthMonth, birthDay;
    QStringList categories;
    QString notes;
};

// The record the contact becomes: the person's name (else the whole name split,
// else the company as the last name); the home address, else the first one with a
// value; phones placed by type; the preferred e-mail, else the first; every value
// cleaned by its field's rule, folded to what the record holds and cut to width
// (phones are fitted later, see fitPhones). The changes tell what was emptied or cut.
struct ImportedRecord
{
    ContactRecord record;
    ContactChanges changes;
};
ImportedRecord contactFromImported(const ImportedContact& imported);

// Street lines from an address's parts. Street1 is never left empty while Street2 or
// a PO box has text: the extended part (where Gmail puts its one address line) or
// the PO box moves up; a formatted whole address fills the lines only when the street
// parts are all empty, its first line the street, a second line Street2 when a line
// for the city follows, and the city line ("Springfield, MA 01103") fills an empty
// city, state and ZIP.
ImportedContact::Address assembledAddress(ImportedContact::Address address);

// Fits the three phones to their fields without cutting a digit (see fittedPhone).
void fitPhones(ContactRecord& record, ContactChanges& changes);
// Notes every value longer than its field, which the record will cut; and whether a
// first or last name folds to "?" (letters the record cannot hold).
void noteStoredForm(const ContactRecord& original, const ContactRecord& folded, ContactChanges& changes);

// An import never stores a contact without first name, last name and e-mail.
bool isBlankContact(const ContactRecord& record);

} // namespace quillet
