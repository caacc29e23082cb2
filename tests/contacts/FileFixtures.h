#pragma once

#include "contacts/ContactRecord.h"

#include <QByteArray>
#include <QString>

// Helpers shared by the contacts file tests.
namespace quillet::test {

QByteArray readAll(const QString& path);
void writeAll(const QString& path, const QByteArray& bytes);

ContactRecord contact(const QString& first, const QString& last, const QString& birthdate = {},
                      const QString& flag = QStringLiteral("1"));

// Makes a file unwritable for the lifetime of the object. chmod does not stop
// root, so as root the file is also made immutable; ok() is false when that is
// not possible here.
class ReadOnlyFile
{
public:
    explicit ReadOnlyFile(const QString& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    bool ok() const { return m_ok; }

private:
    QString m_path;
    bool m_ok = false;
    bool m_immutable = false;
};

} // namespace quillet::test
