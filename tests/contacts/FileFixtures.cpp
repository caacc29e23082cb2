#include "FileFixtures.h"

#include <QFile>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace quillet::test {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

ContactRecord contact(const QString& first, const QString& last, const QString& birthdate, const QString& flag)
{
    ContactRecord record;
    record.set(Field::FirstName, first);
    record.set(Field::LastName, last);
    record.set(Field::Birthdate, birthdate);
    record.set(Field::ReminderFlag, flag);
    return record;
}

namespace {
bool setImmutable(const QString& path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}
} // namespace

ReadOnlyFile::ReadOnlyFile(const QString& path) : m_path(path)
{
    m_ok = QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (m_ok && ::geteuid() == 0)
        m_ok = m_immutable = setImmutable(path, true);
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (m_immutable)
        setImmutable(m_path, false);
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace quillet::test
