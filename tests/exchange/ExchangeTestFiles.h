#pragma once

#include "contacts/ContactRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quillet {
class ContactsFile;
}

namespace quillet::test {

// Writes bytes to a file and returns its path.
QString writeFile(const QString& path, const QByteArray& bytes);

// A contact from "First|MI|Last|...|Notes" (16 values; fewer are padded with empty ones).
ContactRecord contactFrom(const QString& fields, const QString& reminderFlag = QStringLiteral("1"));
// Appends the contacts to an open file.
void appendContacts(ContactsFile& file, const QStringList& contacts);

// The 16 stored values of every record, trimmed and joined by "|" (Birthdate in stored form).
QStringList storedContacts(const ContactsFile& file);

} // namespace quillet::test
