#include "EditingTestFiles.h"

#include "core/editing/ContactDeletion.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;

Q_DECLARE_METATYPE(quillet::DeletionStep)

namespace {

// A device that accepts `limit` bytes and then fails, as a full disk does.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(qint64 limit) : m_limit(limit) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override
    {
        if (m_written + length > m_limit)
            return -1;
        m_written += length;
        return length;
    }

private:
    qint64 m_limit;
    qint64 m_written = 0;
};

} // namespace

class TestContactDeletion : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_path;
    ContactsFile m_file;

    void openWith(int count)
    {
        writeContacts(m_path, count);
        QVERIFY(m_file.open(m_path, quillet::Creation::CreateIfMissing).ok());
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = QDir(m_dir.path()).filePath(QStringLiteral("CONTACTS.DAT"));
        qputenv("QUILLET_HOME", m_dir.path().toUtf8());
    }
    void cleanup()
    {
        m_file.close();
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void laterRecordsMoveDown_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("deleted");
        QTest::addColumn<QStringList>("remaining");
        QTest::newRow("3 of 5") << 5 << 3 << QStringList{"First1", "First2", "First4", "First5"};
        QTest::newRow("first of 3") << 3 << 1 << QStringList{"First2", "First3"};
        QTest::newRow("last of 3") << 3 << 3 << QStringList{"First1", "First2"};
        QTest::newRow("only record") << 1 << 1 << QStringList{};
    }
    void laterRecordsMoveDown()
    {
        QFETCH(int, count);
        QFETCH(int, deleted);
        QFETCH(QStringList, remaining);
        openWith(count);
        const QByteArray before = readBytes(m_path);

        QVERIFY(deleteRecord(m_file, deleted).ok());

        QCOMPARE(firstNames(m_path), remaining);
        QCOMPARE(readBytes(m_path).size(), qint64(recordSize) * (count - 1));
        // The records are copied byte for byte.
        QCOMPARE(readBytes(m_path), before.left((deleted - 1) * recordSize) + before.mid(deleted * recordSize));
        // Still the open file: it counts the new length and takes writes.
        QVERIFY(m_file.isOpen());
        QCOMPARE(m_file.count(), count - 1);
        const Result<int> appended = m_file.append(contact(QStringLiteral("New"), QStringLiteral("One")));
        QVERIFY(appended.ok());
        QCOMPARE(*appended, count);
        QCOMPARE(folderEntries(m_dir.path()), QStringList{"CONTACTS.DAT"});
    }

    void markedRecordsGoToo()
    {
        QList<ContactRecord> records;
        for (const char* first : {"Ann", "*DELETED*", "Bob", "*deleted*", "Cy"})
            records << contact(QString::fromLatin1(first), QStringLiteral("X"));
        records[1].set(Field::FirstName, QStringLiteral("*DELETED*xy"));
        writeContacts(m_path, records);
        QVERIFY(m_file.open(m_path, quillet::Creation::CreateIfMissing).ok());

        QVERIFY(deleteRecord(m_file, 5).ok());
        QCOMPARE(firstNames(m_path), (QStringList{"Ann", "Bob", "*deleted*"}));
    }

    void leftoverTemporaryFilesContributeNothing()
    {
        openWith(3);
        const QString tempf = QDir(m_dir.path()).filePath(QStringLiteral("Tempf"));
        const QString stale = m_path + QStringLiteral(".AbCdEf");
        writeContacts(tempf, 4);
        writeContacts(stale, 4);

        QVERIFY(deleteRecord(m_file, 2).ok());
        QCOMPARE(firstNames(m_path), (QStringList{"First1", "First3"}));
        // Files that are not ours are left alone.
        QCOMPARE(folderEntries(m_dir.path()), (QStringList{"CONTACTS.DAT", "CONTACTS.DAT.AbCdEf", "Tempf"}));
    }

    void failureLeavesOriginalWholeAndOpen_data()
    {
        QTest::addColumn<DeletionStep>("step");
        QTest::newRow("creating the temporary file") << DeletionStep::OpenTemporary;
        QTest::newRow("copying") << DeletionStep::CopyRecords;
        QTest::newRow("renaming") << DeletionStep::Commit;
    }
    void failureLeavesOriginalWholeAndOpen()
    {
        QFETCH(DeletionStep, step);
        openWith(4);
        const QByteArray before = readBytes(m_path);
        const Status status = deleteRecord(
            m_file, 2, [step](DeletionStep at) { return at == step ? Status(errors::diskFull()) : Status::success(); });
        QCOMPARE(status.error().number, 61);
        QCOMPARE(readBytes(m_path), before);
        QVERIFY(m_file.isOpen());
        QCOMPARE(m_file.count(), 4);
        QCOMPARE(folderEntries(m_dir.path()), QStringList{"CONTACTS.DAT"});
    }

    void failedReopeningKeepsTheShortenedFile()
    {
        openWith(3);
        const Status status = deleteRecord(m_file, 1, [](DeletionStep at) {
            return at == DeletionStep::Reopen ? Status(errors::pathFileAccess()) : Status::success();
        });
        QVERIFY(!status.ok());
        QVERIFY(!m_file.isOpen());
        QCOMPARE(firstNames(m_path), (QStringList{"First2", "First3"}));
    }

    // A name that leaves no room for the temporary file's suffix makes creating it
    // fail for real, whatever the user's rights.
    void temporaryFileThatCannotBeCreated()
    {
        m_path = QDir(m_dir.path()).filePath(QString(250, u'c') + QStringLiteral(".DAT"));
        openWith(3);
        const QByteArray before = readBytes(m_path);
        QVERIFY(!deleteRecord(m_file, 1).ok());
        QCOMPARE(readBytes(m_path), before);
        QCOMPARE(m_file.count(), 3);
        QCOMPARE(folderEntries(m_dir.path()).size(), 1);
    }

    void readOnlyFolder()
    {
        openWith(3);
        const QByteArray before = readBytes(m_path);
        Status status;
        {
            WriteProtection protection(m_dir.path());
            if (!protection.ok())
                QSKIP("cannot write-protect folders here");
            status = deleteRecord(m_file, 1);
        }
        QVERIFY(!status.ok());
        QCOMPARE(readBytes(m_path), before);
        QVERIFY(m_file.isOpen());
        QCOMPARE(folderEntries(m_dir.path()), QStringList{"CONTACTS.DAT"});
    }

    void permissionsAreKept()
    {
        openWith(2);
        const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(m_path, permissions));
        const QFileDevice::Permissions before = QFile::permissions(m_path);
        QVERIFY(deleteRecord(m_file, 1).ok());
        QCOMPARE(QFile::permissions(m_path), before);
    }

    void recordNumberOutsideTheFile_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("0") << 0;
        QTest::newRow("past the end") << 4;
    }
    void recordNumberOutsideTheFile()
    {
        QFETCH(int, number);
        openWith(3);
        const QByteArray before = readBytes(m_path);
        QCOMPARE(deleteRecord(m_file, number).error().number, 63);
        QCOMPARE(readBytes(m_path), before);
    }

    // 1000 bytes count as 2 records, but the half record after them is kept.
    void shortLastRecordIsKept()
    {
        writeContacts(m_path, 3);
        QVERIFY(QFile::resize(m_path, 1000));
        const QByteArray before = readBytes(m_path);
        QVERIFY(m_file.open(m_path, quillet::Creation::CreateIfMissing).ok());
        QVERIFY(deleteRecord(m_file, 1).ok());
        // Completed as a blank record: separators and line end in place.
        QCOMPARE(readBytes(m_path), before.mid(400) + ContactRecord().toBytes().mid(200));
    }

    void writeFailureIsReported()
    {
        openWith(3);
        FailingDevice device(500);
        const Status status = writeCompacted(m_file, 1, device);
        QCOMPARE(status.error().number, 57);

        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(writeCompacted(m_file, 2, buffer).ok());
        QCOMPARE(buffer.data(), readBytes(m_path).left(400) + readBytes(m_path).mid(800));
    }
};

QTEST_GUILESS_MAIN(TestContactDeletion)
#include "tst_contactdeletion.moc"
