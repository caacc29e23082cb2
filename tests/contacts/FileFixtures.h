#pragma once

#include "core/contacts/ContactRecord.h"
#include "support/TestFiles.h"

namespace quillet::test {

inline ContactRecord contact(const QString& first, const QString& last, const QString& birthdate = {},
                             const QString& flag = QStringLiteral("1"))
{
    ContactRecord record;
    record.set(Field::FirstName, first);
    record.set(Field::LastName, last);
    record.set(Field::Birthdate, birthdate);
    record.set(Field::ReminderFlag, flag);
    return record;
}

} // namespace quillet::test
