#pragma once

#include "core/contacts/ContactsFile.h"
#include "support/TestFiles.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quillet::test {

// A contact with the given first and last name (and a middle initial when given).
ContactRecord contact(const QString& first, const QString& last, const QString& initial = {});

// Writes records named First1 Last1 ... FirstN LastN (or the given first names)
// to `path`, replacing it.
void writeContacts(const QString& path, int count);
void writeContacts(const QString& path, const QList<ContactRecord>& records);

// The trimmed first names of every record of the file on disk.
QStringList firstNames(const QString& path);

} // namespace quillet::test
