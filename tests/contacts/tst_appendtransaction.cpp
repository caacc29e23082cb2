#include "core/contacts/AppendTransaction.h"
#include "core/contacts/ContactsFile.h"

#include "FileFixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using quillet::test::contact;
using quillet::test::readBytes;
using quillet::test::writeBytes;

class TestAppendTransaction : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString pathOf(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

    static QByteArray records(int n)
    {
        QByteArray bytes;
        for (int i = 1; i <= n; ++i)
            bytes += contact(QStringLiteral("First%1").arg(i), QStringLiteral("Last%1").arg(i)).toBytes();
        return bytes;
    }

private slots:
    // The file a committed transaction leaves is the one appending the same records
    // in place would leave, whatever the length it started with.
    void sameAsAppendingInPlace_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("empty") << 0;
        QTest::newRow("two records") << 800;
        QTest::newRow("1000 bytes: a torn tail dropped") << 1000;
        QTest::newRow("1100 bytes: a partial record completed") << 1100;
        QTest::newRow("1300 bytes") << 1300;
    }
    void sameAsAppendingInPlace()
    {
        QFETCH(int, length);
        const QByteArray start = records(4).left(length);
        const QList<ContactRecord> added{contact(QStringLiteral("New"), QStringLiteral("One")),
                                         contact(QStringLiteral("New"), QStringLiteral("Two"))};
        writeBytes(pathOf(QStringLiteral("inplace.DAT")), start);
        ContactsFile inPlace;
        QVERIFY(inPlace.open(pathOf(QStringLiteral("inplace.DAT")), quillet::Creation::CreateIfMissing).ok());
        for (const ContactRecord& record : added)
            QVERIFY(inPlace.append(record).ok());

        const QString path = pathOf(QStringLiteral("batch.DAT"));
        writeBytes(path, start);
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        AppendTransaction transaction(file);
        QVERIFY(transaction.begin().ok());
        for (const ContactRecord& record : added)
            QVERIFY(transaction.append(record).ok());
        QCOMPARE(readBytes(path), start); // nothing shows before the commit
        QVERIFY(transaction.commit().ok());
        QCOMPARE(transaction.appended(), 2);
        QCOMPARE(readBytes(path), readBytes(pathOf(QStringLiteral("inplace.DAT"))));
        QVERIFY(file.isOpen());
        QCOMPARE(file.count(), inPlace.count());
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void uncommittedOrEmptyChangesNothing()
    {
        const QString path = pathOf(QStringLiteral("kept.DAT"));
        writeBytes(path, records(2));
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        {
            AppendTransaction abandoned(file);
            QVERIFY(abandoned.begin().ok());
            QVERIFY(abandoned.append(contact(QStringLiteral("Lost"), QStringLiteral("One"))).ok());
        }
        AppendTransaction empty(file);
        QVERIFY(empty.begin().ok());
        QVERIFY(empty.commit().ok());
        QCOMPARE(readBytes(path), records(2));
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("kept.DAT*")}, QDir::Files | QDir::Hidden).size(), 1);
    }

    // A file put at the path during the run is kept; the run's records are not.
    void fileReplacedDuringTheRun()
    {
        const QString path = pathOf(QStringLiteral("swap.DAT"));
        writeBytes(path, records(2));
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        AppendTransaction transaction(file);
        QVERIFY(transaction.begin().ok());
        QVERIFY(transaction.append(contact(QStringLiteral("Late"), QStringLiteral("One"))).ok());
        QVERIFY(QFile::remove(path));
        writeBytes(path, records(5));
        QCOMPARE(transaction.commit().error().number, 75);
        QCOMPARE(readBytes(path), records(5));
    }
};

QTEST_GUILESS_MAIN(TestAppendTransaction)
#include "tst_appendtransaction.moc"
