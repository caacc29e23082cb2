#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace quillet::test {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

bool isWholeRecord(QByteArrayView bytes)
{
    if (bytes.size() != recordSize || !bytes.endsWith("\r\n"))
        return false;
    for (Field field : allFields) {
        const FieldLayout layout = fieldLayout(field);
        if (field != Field::ReminderFlag && bytes[layout.offset + layout.width] != '|')
            return false;
    }
    return true;
}

QString wholeRecordsProblem(const QByteArray& bytes)
{
    if (bytes.size() % recordSize != 0)
        return QStringLiteral("%1 bytes: not whole records").arg(bytes.size());
    for (qsizetype at = 0; at < bytes.size(); at += recordSize) {
        if (!isWholeRecord(QByteArrayView(bytes).sliced(at, recordSize)))
            return QStringLiteral("record %1 is not whole").arg(at / recordSize + 1);
    }
    return {};
}

QString appendedWholeRecords(const QByteArray& before, const QByteArray& after)
{
    if (!after.startsWith(before))
        return QStringLiteral("the records that were there changed");
    return wholeRecordsProblem(after.mid(before.size()));
}

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

namespace {

QFileDevice::Permissions ownerPermissions(bool folder, bool writable)
{
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner;
    if (folder)
        permissions |= QFileDevice::ExeOwner;
    if (writable)
        permissions |= QFileDevice::WriteOwner;
    return permissions;
}

} // namespace

WriteProtection::WriteProtection(const QString& path) : m_path(path)
{
    if (::geteuid() == 0)
        m_immutable = setImmutable(path, true);
    else
        QFile::setPermissions(path, ownerPermissions(QFileInfo(path).isDir(), false));
    m_ok = ::access(QFile::encodeName(path).constData(), W_OK) != 0;
}

WriteProtection::~WriteProtection()
{
    if (m_immutable)
        setImmutable(m_path, false);
    else
        QFile::setPermissions(m_path, ownerPermissions(QFileInfo(m_path).isDir(), true));
}

} // namespace quillet::test
