#include "FileFixtures.h"
#include "core/common/FileErrors.h"
#include "core/common/NativePath.h"
#include "core/common/ReplacementFile.h"
#include "core/contacts/ContactsFile.h"
#include "core/editing/ContactDeletion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

#include <cerrno>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace quillet;
using namespace quillet::test;

// Two handles on one file behave as two programs: open-file-description locks
// exclude each other within a process too.
class TestFileLocking : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;

    QByteArray people(int count) const
    {
        QByteArray bytes;
        for (int i = 1; i <= count; ++i)
            bytes += contact(QStringLiteral("First%1").arg(i), QStringLiteral("Last%1").arg(i)).toBytes();
        return bytes;
    }

    static QString lastName(const ContactsFile& file, int number)
    {
        const Result<ContactRecord> record = file.read(number);
        return record ? record->trimmed(Field::LastName) : QStringLiteral("(unread)");
    }

private slots:
    void initTestCase() { qputenv("QUILLET_LOCK_WAIT_MS", "100"); }
    void init()
    {
        m_path = QDir(m_dir.path()).filePath(QStringLiteral("Friends.DAT"));
        writeBytes(m_path, people(3));
    }
    void cleanup()
    {
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(QDir(m_dir.path()).filePath(name));
    }

    void exclusiveLockKeepsOtherWritersOut()
    {
        ContactsFile holder, other;
        QVERIFY(holder.open(m_path).ok() && other.open(m_path).ok());
        const QByteArray writersLock = QFile::encodeName(QDir(m_dir.path()).filePath(".Friends.DAT.qlt-lock"));
        {
            const ContactsFileLock locked(holder, LockKind::Exclusive);
            QVERIFY(locked.status().ok());
            // No one can open the writers' lock to read it, so no reader can lock it.
            struct stat info
            {
            };
            QVERIFY(::stat(writersLock.constData(), &info) == 0);
            QCOMPARE(info.st_mode & 0444, mode_t(0));
            const Status refused = other.append(contact(QStringLiteral("A"), QStringLiteral("B"))).status();
            QCOMPARE(refused.error().description,
                     QStringLiteral("The contacts file is in use by another program. Try again."));
            QCOMPARE(errorBoxText(refused.error()), refused.error().description);
            QVERIFY(!other.readBytes(1).ok());
            QCOMPARE(readBytes(m_path), people(3));
        }
        QVERIFY(::access(writersLock.constData(), F_OK) != 0);
        QVERIFY(other.append(contact(QStringLiteral("A"), QStringLiteral("B"))).ok());
        QCOMPARE(other.count(), 4);
    }

    // A reader that keeps its shared lock holds a writer up for one bounded read; the
    // writer then puts a copy in place and writes that, and the reader reads on in the
    // file it locked, unchanged.
    void readerKeepingItsLockHoldsWritersUpOnce()
    {
        ContactsFile reader, other;
        QVERIFY(reader.open(m_path).ok() && other.open(m_path).ok());
        const ContactsFileLock locked(reader, LockKind::Shared);
        QVERIFY(locked.status().ok());
        QCOMPARE(lastName(other, 2), QStringLiteral("Last2"));
        QElapsedTimer waited;
        waited.start();
        QVERIFY(other.write(1, contact(QStringLiteral("X"), QStringLiteral("Y"))).ok());
        QVERIFY(waited.elapsed() >= 50); // half the lock wait this test sets
        QCOMPARE(readBytes(m_path),
                 contact(QStringLiteral("X"), QStringLiteral("Y")).toBytes() + people(3).mid(recordSize));
        QCOMPARE(lastName(reader, 1), QStringLiteral("Last1"));
        QCOMPARE(lastName(other, 1), QStringLiteral("Y"));
    }

    // Another program's deletion put a new file at the path: an append goes at its end.
    void writerFollowsAFileReplacedByRename()
    {
        ContactsFile stale, deleter;
        QVERIFY(stale.open(m_path).ok() && deleter.open(m_path).ok());
        QVERIFY(deleteRecord(deleter, 1).ok());
        QCOMPARE(stale.append(contact(QStringLiteral("New"), QStringLiteral("Comer"))).value(), 3);
        QCOMPARE(readBytes(m_path),
                 people(3).mid(recordSize) + contact(QStringLiteral("New"), QStringLiteral("Comer")).toBytes());
    }

    void goneFileIsReportedNotCreated()
    {
        ContactsFile file;
        QVERIFY(file.open(m_path).ok());
        QVERIFY(QFile::remove(m_path));
        QCOMPARE(file.append(contact(QStringLiteral("A"), QStringLiteral("B"))).error().number, 53);
        QCOMPARE(deleteRecord(file, 1).error().number, 53);
        QVERIFY(!QFile::exists(m_path));
    }

    // A window shows record 2; another program changes it (a restored backup).
    void shownRecordChangedIsNotOverwritten_data()
    {
        QTest::addColumn<bool>("deleting");
        QTest::newRow("save") << false;
        QTest::newRow("delete") << true;
    }
    void shownRecordChangedIsNotOverwritten()
    {
        QFETCH(bool, deleting);
        ContactsFile window;
        QVERIFY(window.open(m_path).ok());
        const QByteArray shown = window.readBytes(2).value();
        QByteArray restored = people(3);
        restored.replace(recordSize, recordSize, contact(QStringLiteral("Cy"), QStringLiteral("Swapped")).toBytes());
        writeBytes(m_path, restored);
        const Status status =
            deleting ? deleteRecord(window, 2, {}, shown)
                     : window.writeIfUnchanged(2, shown, contact(QStringLiteral("Bob"), QStringLiteral("Edited")));
        QCOMPARE(status.error().description, QStringLiteral("This contact was changed by another program. Reload it?"));
        QCOMPARE(readBytes(m_path), restored);
        // Reloaded, the record may be written.
        const QByteArray reloaded = window.readBytes(2).value();
        QCOMPARE(ContactRecord::fromBytes(reloaded).trimmed(Field::LastName), QStringLiteral("Swapped"));
        QVERIFY(window.writeIfUnchanged(2, reloaded, contact(QStringLiteral("Cy"), QStringLiteral("Kept"))).ok());
    }

    void writeIfUnchangedComparesTheShownBytes()
    {
        ContactsFile file;
        QVERIFY(file.open(m_path).ok());
        const QByteArray shown = people(3).mid(recordSize, recordSize);
        QVERIFY(file.writeIfUnchanged(2, shown, contact(QStringLiteral("B"), QStringLiteral("Two"))).ok());
        QCOMPARE(
            file.writeIfUnchanged(2, shown, contact(QStringLiteral("C"), QStringLiteral("Three"))).error().description,
            QStringLiteral("This contact was changed by another program. Reload it?"));
        QCOMPARE(file.writeIfUnchanged(9, shown, contact(QStringLiteral("C"), QStringLiteral("Three"))).error().number,
                 75);
        QCOMPARE(lastName(file, 2), QStringLiteral("Two"));
    }

    // Copies a stopped rewrite left beside the file go when it is opened for writing.
    void leftoverCopiesRemovedAtOpening()
    {
        const QString leftover = QDir(m_dir.path()).filePath(QStringLiteral(".Friends.DAT.qlt-a1B2c3"));
        const QString notOurs = QDir(m_dir.path()).filePath(QStringLiteral(".Friends.DAT.qlt-a1B2c3d"));
        const QString otherFiles = QDir(m_dir.path()).filePath(QStringLiteral(".Other.DAT.qlt-a1B2c3"));
        for (const QString& path : {leftover, notOurs, otherFiles})
            writeBytes(path, people(2));
        ContactsFile file;
        QVERIFY(file.open(m_path).ok());
        QVERIFY(!QFile::exists(leftover));
        QVERIFY(QFile::exists(notOurs));
        QVERIFY(QFile::exists(otherFiles));
    }

    void rewriteKeepsModeAndAttributes()
    {
        QVERIFY(::chmod(QFile::encodeName(m_path).constData(), 0640) == 0);
        const bool attributes = ::setxattr(QFile::encodeName(m_path).constData(), "user.quillet", "kept", 4, 0) == 0;
        ContactsFile file;
        QVERIFY(file.open(m_path).ok());
        QVERIFY(deleteRecord(file, 1).ok());
        struct stat info
        {
        };
        QVERIFY(::stat(QFile::encodeName(m_path).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0640));
        QCOMPARE(info.st_uid, ::getuid());
        if (!attributes)
            QSKIP("this file system keeps no user attributes");
        char value[8] = {};
        QCOMPARE(::getxattr(QFile::encodeName(m_path).constData(), "user.quillet", value, sizeof value), ssize_t(4));
        QCOMPARE(QByteArray(value), QByteArray("kept"));
    }

    // The kernel copies within one file system; from another (here tmpfs) the bytes
    // pass through the program. Either way the copy is the source's first bytes.
    void copiedPrefixIsExact()
    {
        QByteArray source(3 * 1024 * 1024 + 123, Qt::Uninitialized);
        for (qsizetype i = 0; i < source.size(); ++i)
            source[i] = char(i * 7 % 251);
        for (const QString& folder : {m_dir.path(), QStringLiteral("/dev/shm")}) {
            if (!QDir(folder).exists())
                continue;
            QTemporaryFile from(folder + QStringLiteral("/copy-XXXXXX"));
            QVERIFY(from.open());
            QCOMPARE(from.write(source), source.size());
            QVERIFY(from.flush());
            ReplacementFile copy(QFile::encodeName(m_path));
            QVERIFY(copy.open().ok());
            QVERIFY(copy.write("head").ok());
            QVERIFY(copy.copyFrom(from.handle(), source.size() - 100).ok());
            QVERIFY(copy.commit().ok());
            QFile result(m_path);
            QVERIFY(result.open(QIODevice::ReadOnly));
            QCOMPARE(result.readAll(), "head" + source.first(source.size() - 100));
        }
    }

    void hardLinkedFileIsNotSplitUnlessAllowed()
    {
        const QString second = QDir(m_dir.path()).filePath(QStringLiteral("Second.DAT"));
        QVERIFY(::link(QFile::encodeName(m_path).constData(), QFile::encodeName(second).constData()) == 0);
        ContactsFile file;
        QVERIFY(file.open(m_path).ok());
        QCOMPARE(deleteRecord(file, 1).error().description, errors::fileHasLinks().description);
        QCOMPARE(readBytes(m_path), people(3));
        file.setSplittingLinksAllowed(true);
        QVERIFY(deleteRecord(file, 1).ok());
        QCOMPARE(readBytes(m_path), people(3).mid(recordSize));
        QCOMPARE(readBytes(second), people(3));
    }

    void nativePathsKeepEveryByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << QByteArray("/tmp/Friends.DAT");
        QTest::newRow("UTF-8") << QByteArray("/tmp/caf\xc3\xa9.DAT");
        QTest::newRow("Latin-1 byte") << QByteArray("/tmp/caf\xe9.DAT");
        QTest::newRow("cut sequence") << QByteArray("caf\xc3");
        QTest::newRow("encoded surrogate") << QByteArray("\xed\xb3\xa9x");
        QTest::newRow("four bytes") << QByteArray("\xf0\x9f\x93\x87 \xff\xfe");
    }
    void nativePathsKeepEveryByte()
    {
        QFETCH(QByteArray, bytes);
        const QString path = pathFromNative(bytes);
        QCOMPARE(nativePath(path), bytes);
        QCOMPARE(isTextPath(path), QString::fromUtf8(bytes).toUtf8() == bytes);
    }

    void errnoTable_data()
    {
        QTest::addColumn<int>("errorNumber");
        QTest::addColumn<int>("number");
        QTest::newRow("full disk") << ENOSPC << 61;
        QTest::newRow("size limit") << EFBIG << 61;
        QTest::newRow("quota") << EDQUOT << 61;
        QTest::newRow("unwritable folder") << EACCES << 70;
        QTest::newRow("name too long") << ENAMETOOLONG << 52;
        QTest::newRow("renamed away") << ENOENT << 53;
        QTest::newRow("not a folder") << ENOTDIR << 76;
        QTest::newRow("other device") << EXDEV << 74;
        QTest::newRow("I/O") << EIO << 57;
        QTest::newRow("a link loop") << ELOOP << 75;
    }
    void errnoTable()
    {
        QFETCH(int, errorNumber);
        QFETCH(int, number);
        QCOMPARE(errorFromErrno(errorNumber).number, number);
    }
};

QTEST_GUILESS_MAIN(TestFileLocking)
#include "tst_filelocking.moc"
