#pragma once

#include "core/contacts/ContactRecord.h"

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
// cleaned by its field's rule, folded to what the record holds and cut to width.
ContactRecord contactFromImported(const ImportedContact& imported);

// An import never stores a contact without first name, last name and e-mail.
bool isBlankContact(const ContactRecord& record);

} // namespace quillet
