#include "ExchangeTestFiles.h"

#include "core/contacts/ContactsFile.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillet::test {

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

ContactRecord contactFrom(const QString& fields, const QString& reminderFlag)
{
    const QStringList values = fields.split(u'|');
    ContactRecord record;
    for (int i = 0; i < 16 && i < values.size(); ++i)
        record.set(allFields[i], values.at(i));
    record.set(Field::ReminderFlag, reminderFlag);
    return record;
}

void appendContacts(ContactsFile& file, const QStringList& contacts)
{
    for (const QString& contact : contacts) {
        if (!file.append(contactFrom(contact)).ok())
            qFatal("cannot append to %s", qPrintable(file.path()));
    }
}

QStringList storedContacts(const ContactsFile& file)
{
    QStringList contacts;
    (void)file.forEach([&contacts](int, const ContactRecord& record) {
        QStringList values;
        for (int i = 0; i < 16; ++i)
            values << record.trimmed(allFields[i]);
        contacts << values.join(u'|');
        return true;
    });
    return contacts;
}

int runWithFileSizeLimit(qint64 limit, const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit bound{rlim_t(limit), rlim_t(limit)};
        ::setrlimit(RLIMIT_FSIZE, &bound);
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

QString importFile(const QString& name)
{
    return dataPath(QStringLiteral("import/") + name);
}

} // namespace quillet::test
