#pragma once

#include "core/contacts/ContactRecord.h"

#include <QByteArray>
#include <QString>

namespace quillet::test {

inline ContactRecord person(const QString& first, const QString& last, const QString& flag = QStringLiteral("1"))
{
    ContactRecord record;
    record.set(Field::FirstName, first);
    record.set(Field::LastName, last);
    record.set(Field::Email, first.toLower() + QStringLiteral("@example.com"));
    record.set(Field::ReminderFlag, flag);
    return record;
}

// Records First1 Last1 ... FirstN LastN.
inline QByteArray people(int count, const QString& flag = QStringLiteral("1"))
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += person(QStringLiteral("First%1").arg(i), QStringLiteral("Last%1").arg(i), flag).toBytes();
    return bytes;
}

} // namespace quillet::test
