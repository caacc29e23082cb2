#pragma once

#include "core/contacts/ContactRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Files for the tests: fixtures, write protection and the checks made on a
// contacts file after a fault.
namespace quillet::test {

// The whole file; empty when it cannot be read.
QByteArray readBytes(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);

// The names in a folder (hidden ones too), sorted.
QStringList folderEntries(const QString& folder);

// 400 bytes with every separator and the line end in place.
bool isWholeRecord(QByteArrayView bytes);
// Empty when the bytes are whole records only, else the first that is not.
QString wholeRecordsProblem(const QByteArray& bytes);
// Empty when `after` is `before` with whole 400-byte records appended, else why not.
QString appendedWholeRecords(const QByteArray& before, const QByteArray& after);

// Sets or clears the immutable flag (root only), which even root cannot write through.
bool setImmutable(const QString& path, bool on);

// Makes a file or folder unwritable for the lifetime of the object: immutable
// when we are root (permissions do not bind root), read-only permissions
// otherwise. ok() is false when neither holds here.
class WriteProtection
{
public:
    explicit WriteProtection(const QString& path);
    ~WriteProtection();
    WriteProtection(const WriteProtection&) = delete;
    WriteProtection& operator=(const WriteProtection&) = delete;
    bool ok() const { return m_ok; }

private:
    QString m_path;
    bool m_ok = false;
    bool m_immutable = false;
};

} // namespace quillet::test
