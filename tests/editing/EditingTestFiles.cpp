#include "EditingTestFiles.h"

#include <QFile>
#include <QtTest>

namespace quillet::test {

ContactRecord contact(const QString& first, const QString& last, const QString& initial)
{
    ContactRecord record;
    record.set(Field::FirstName, first);
    record.set(Field::MI, initial);
    record.set(Field::LastName, last);
    record.set(Field::ReminderFlag, QStringLiteral("0"));
    return record;
}

void writeContacts(const QString& path, int count)
{
    QList<ContactRecord> records;
    for (int i = 1; i <= count; ++i)
        records << contact(QStringLiteral("First%1").arg(i), QStringLiteral("Last%1").arg(i));
    writeContacts(path, records);
}

void writeContacts(const QString& path, const QList<ContactRecord>& records)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const ContactRecord& record : records)
        QCOMPARE(file.write(record.toBytes()), qint64(recordSize));
}

QStringList firstNames(const QString& path)
{
    QStringList names;
    const QByteArray bytes = readBytes(path);
    for (qsizetype at = 0; at < bytes.size(); at += recordSize)
        names << ContactRecord::fromBytes(bytes.mid(at, recordSize)).trimmed(Field::FirstName);
    return names;
}

} // namespace quillet::test
