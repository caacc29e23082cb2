#pragma once

#include "core/contacts/ContactRecord.h"
#include "core/contacts/ContactsFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

namespace quillet::test {

// Writes bytes to a file and returns its path.
QString writeFile(const QString& path, const QByteArray& bytes);

// A contact from "First|MI|Last|...|Notes" (16 values; fewer are padded with empty ones).
ContactRecord contactFrom(const QString& fields, const QString& reminderFlag = QStringLiteral("1"));
// Appends the contacts to an open file.
void appendContacts(ContactsFile& file, const QStringList& contacts);

// The 16 stored values of every record, trimmed and joined by "|" (Birthdate in stored form).
QStringList storedContacts(const ContactsFile& file);

// Runs `body` in a child process whose files cannot grow past `limit` bytes (writes
// beyond fail as a full disk would) and returns its exit status, -1 if it did not exit.
int runWithFileSizeLimit(qint64 limit, const std::function<int()>& body);

// A file of the import samples in the test data.
QString importFile(const QString& name);

// For import tests: a fresh contacts file for each test, and a CSV file written beside it.
class ImportFixture
{
protected:
    QString csv(const QByteArray& bytes) { return writeFile(m_dir.filePath(QStringLiteral("in.csv")), bytes); }
    bool openNextFile()
    {
        return m_file.open(m_dir.filePath(QStringLiteral("c%1.DAT").arg(++m_next)), Creation::CreateIfMissing).ok();
    }

    QTemporaryDir m_dir;
    ContactsFile m_file;

private:
    int m_next = 0;
};

} // namespace quillet::test
