#include "ListTestData.h"

#include "core/contacts/ContactsFile.h"

#include <QFile>

namespace quillet::test {

ContactRecord contact(const QList<QPair<Field, QString>>& fields)
{
    ContactRecord record;
    for (const auto& [field, value] : fields)
        record.set(field, value);
    return ContactRecord::fromBytes(record.toBytes());
}

ContactRecord person(const QString& first, const QString& last, const QString& city)
{
    return contact({{Field::FirstName, first}, {Field::LastName, last}, {Field::City, city}});
}

bool writeContactsFile(const QString& path, const QList<ContactRecord>& records)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (const ContactRecord& record : records) {
        if (out.write(record.toBytes()) != recordSize)
            return false;
    }
    return true;
}

} // namespace quillet::test
