#pragma once

#include "core/contacts/ContactRecord.h"

#include <QList>
#include <QPair>
#include <QString>

namespace quillet::test {

// A contact with the given fields, as it reads back from a file (stored widths).
ContactRecord contact(const QList<QPair<Field, QString>>& fields);
// The usual three: first name, last name, city.
ContactRecord person(const QString& first, const QString& last, const QString& city = QString());

// Writes the records as a new contacts file at `path`; false on failure.
bool writeContactsFile(const QString& path, const QList<ContactRecord>& records);

} // namespace quillet::test
