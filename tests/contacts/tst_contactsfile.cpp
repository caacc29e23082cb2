#include "core/contacts/ContactsFile.h"

#include "FileFixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillet;
using quillet::test::contact;
using quillet::test::readBytes;
using quillet::test::writeBytes;

class TestContactsFile : public QObject
{
    Q_OBJECT

    QString pathOf(const QString& name) const { return QDir(m_dir->path()).filePath(name); }

    // A file of n records "First<i>"/"Last<i>".
    QString makeFile(const QString& name, int n)
    {
        QByteArray bytes;
        for (int i = 1; i <= n; ++i)
            bytes += contact(QStringLiteral("First%1").arg(i), QStringLiteral("Last%1").arg(i)).toBytes();
        writeBytes(pathOf(name), bytes);
        return pathOf(name);
    }

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { m_dir.reset(); }

    void openCreatesMissingFileOnlyWhenAsked()
    {
        ContactsFile file;
        QCOMPARE(file.open(pathOf(QStringLiteral("new.DAT"))).error().number, 53);
        QVERIFY(!QFile::exists(pathOf(QStringLiteral("new.DAT"))));
        QVERIFY(file.open(pathOf(QStringLiteral("new.DAT")), quillet::Creation::CreateIfMissing).ok());
        QVERIFY(file.isOpen());
        QVERIFY(!file.isReadOnly());
        QCOMPARE(file.count(), 0);
        QVERIFY(QFile::exists(pathOf(QStringLiteral("new.DAT"))));
        QCOMPARE(QFileInfo(pathOf(QStringLiteral("new.DAT"))).size(), 0);
    }

    void openKeepsExistingContents()
    {
        const QString path = makeFile(QStringLiteral("two.DAT"), 2);
        const QByteArray before = readBytes(path);
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        QCOMPARE(file.count(), 2);
        QCOMPARE(file.read(2)->trimmed(Field::FirstName), QStringLiteral("First2"));
        file.close();
        QVERIFY(!file.isOpen());
        QCOMPARE(readBytes(path), before);
    }

    void openFailures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("error");
        QTest::newRow("missing folder") << "nofolder/x.DAT" << 76;
        QTest::newRow("a folder") << "folder" << 75;
        QTest::newRow("empty name") << "" << 53;
    }
    void openFailures()
    {
        QFETCH(QString, name);
        QFETCH(int, error);
        QDir(m_dir->path()).mkdir(QStringLiteral("folder"));
        ContactsFile file;
        const Status status = file.open(name.isEmpty() ? QString() : pathOf(name));
        QVERIFY(!status.ok());
        QCOMPARE(status.error().number, error);
        QVERIFY(!file.isOpen());
    }

    void count_data()
    {
        QTest::addColumn<qint64>("length");
        QTest::addColumn<int>("count");
        QTest::newRow("0") << qint64(0) << 0;
        QTest::newRow("199") << qint64(199) << 0;
        QTest::newRow("200 half to even 0") << qint64(200) << 0;
        QTest::newRow("201") << qint64(201) << 1;
        QTest::newRow("400") << qint64(400) << 1;
        QTest::newRow("600 half to even 2") << qint64(600) << 2;
        QTest::newRow("1000 half to even 2") << qint64(1000) << 2;
        QTest::newRow("1400 half to even 4") << qint64(1400) << 4;
        QTest::newRow("1399") << qint64(1399) << 3;
    }
    void count()
    {
        QFETCH(qint64, length);
        QFETCH(int, count);
        QCOMPARE(ContactsFile::countForLength(length), count);
        const QString path = pathOf(QStringLiteral("len.DAT"));
        writeBytes(path, QByteArray(length, 'x'));
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        QCOMPARE(file.count(), count);
    }

    void hugeSparseFile()
    {
        // About a terabyte with nothing written: the count is capped and the last
        // records are reachable without reading what comes before them.
        const QString path = pathOf(QStringLiteral("sparse.DAT"));
        writeBytes(path, QByteArray());
        if (!QFile::resize(path, qint64(1) << 40))
            QSKIP("no sparse files here");
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        const int last = std::numeric_limits<int>::max();
        QCOMPARE(file.count(), last);
        QCOMPARE(file.read(last)->value(Field::FirstName), QString(11, QChar(0)));
        QList<int> visited;
        QVERIFY(
            file.forEachBytes([&](int number, QByteArrayView) { return visited.append(number), true; }, last - 2).ok());
        QCOMPARE(visited, (QList<int>{last - 2, last - 1, last}));
    }

    void readPastEndIsBlank()
    {
        const QString path = makeFile(QStringLiteral("one.DAT"), 1);
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        const Result<ContactRecord> record = file.read(5);
        QVERIFY(record.ok());
        for (Field field : allFields)
            QCOMPARE(record->value(field), QString(fieldLayout(field).width, u' '));
        QCOMPARE(file.read(0).error().number, 63);
        QCOMPARE(file.read(-3).error().number, 63);
    }

    void partialLastRecordReadsPadded()
    {
        // 1400 bytes count 4; record 4 has 200 bytes on disk.
        const QString path = makeFile(QStringLiteral("torn.DAT"), 4);
        QVERIFY(QFile::resize(path, 1400));
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        const Result<ContactRecord> fourth = file.read(4);
        QVERIFY(fourth.ok());
        QCOMPARE(fourth->trimmed(Field::FirstName), QStringLiteral("First4"));
        QCOMPARE(fourth->value(Field::Notes), QString(80, u' '));
    }

    void writeAndAppendByteForByte()
    {
        ContactsFile file;
        const QString path = pathOf(QStringLiteral("w.DAT"));
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        QCOMPARE(file.append(contact(QStringLiteral("Ann"), QStringLiteral("Lee"))).value(), 1);
        QCOMPARE(file.append(contact(QStringLiteral("Bo"), QStringLiteral("Ng"))).value(), 2);
        const ContactRecord changed = contact(QStringLiteral("Cy"), QStringLiteral("Ma"));
        QVERIFY(file.write(1, changed).ok());
        QCOMPARE(readBytes(path), changed.toBytes() + contact(QStringLiteral("Bo"), QStringLiteral("Ng")).toBytes());
        QCOMPARE(file.write(0, changed).error().number, 63);
        QCOMPARE(file.writeField(0, Field::MI, QStringLiteral("X")).error().number, 63);
    }

    void appendLandsOnRecordBoundary_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("newNumber");
        QTest::newRow("1000 bytes: over the torn tail") << 1000 << 3;
        QTest::newRow("900 bytes") << 900 << 3;
        QTest::newRow("1400 bytes: after the partial record") << 1400 << 5;
        QTest::newRow("1300 bytes") << 1300 << 4;
    }
    void appendLandsOnRecordBoundary()
    {
        QFETCH(int, length);
        QFETCH(int, newNumber);
        const QString path = makeFile(QStringLiteral("torn.DAT"), 4);
        QVERIFY(QFile::resize(path, length));
        const QByteArray before = readBytes(path);
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        const ContactRecord added = contact(QStringLiteral("New"), QStringLiteral("One"));
        const Result<int> number = file.append(added);
        QVERIFY(number.ok());
        QCOMPARE(*number, newNumber);
        const QByteArray after = readBytes(path);
        QCOMPARE(after.size(), newNumber * 400);
        QCOMPARE(after.right(400), added.toBytes());
        // What was counted before is still there; a gap up to the boundary is completed
        // as a blank record, so the partial record reads as before and ends in CR LF.
        const int kept = std::min(length, (newNumber - 1) * 400);
        QCOMPARE(after.left(kept), before.left(kept));
        const int gap = (newNumber - 1) * 400 - kept;
        QCOMPARE(after.mid(kept, gap), ContactRecord().toBytes().mid(kept % 400, gap));
        if (length > kept)
            QCOMPARE(after.mid((newNumber - 2) * 400, 400).right(2), QByteArray("\r\n"));
    }

    void writeFieldChangesOnlyItsBytes()
    {
        const QString path = makeFile(QStringLiteral("f.DAT"), 3);
        QByteArray expected = readBytes(path);
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        QVERIFY(file.writeField(2, Field::Notes, QStringLiteral("  moved|away")).ok());
        expected.replace(400 + 316, 80, QByteArray("moved|away").leftJustified(80));
        QVERIFY(file.writeField(3, Field::FirstName, deletedMarker).ok());
        expected.replace(800, 11, QByteArray("*DELETED*  "));
        QCOMPARE(readBytes(path), expected);
        QVERIFY(file.read(3)->isDeleted());
    }

    void writeFieldInAllAcrossChunks()
    {
        const QString path = makeFile(QStringLiteral("many.DAT"), 6000);
        QByteArray expected = readBytes(path);
        for (qsizetype at = 12; at < expected.size(); at += 400)
            expected[at] = 'Z';
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        QVERIFY(file.writeFieldInAll(Field::MI, QStringLiteral("Z")).ok());
        QCOMPARE(readBytes(path), expected);
    }

    void writeFieldOnPartialRecordWritesItWhole()
    {
        const QString path = makeFile(QStringLiteral("torn.DAT"), 4);
        QVERIFY(QFile::resize(path, 1400));
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        QVERIFY(file.writeFieldInAll(Field::ReminderFlag, QStringLiteral("0")).ok());
        const QByteArray after = readBytes(path);
        QCOMPARE(after.size(), 1600);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(after.at(i * 400 + 397), '0');
        // The missing part of record 4 is completed as a blank record would be.
        QByteArray blankTail = ContactRecord().toBytes().mid(200);
        blankTail[197] = '0';
        QCOMPARE(after.mid(1400), blankTail);
        QCOMPARE(file.read(4)->trimmed(Field::LastName), QStringLiteral("Last4"));
    }

    void forEachVisitsInOrderAcrossChunks()
    {
        const int n = 6000; // several read chunks
        const QString path = makeFile(QStringLiteral("many.DAT"), n);
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        int expectedNumber = 1;
        bool allMatch = true;
        QVERIFY(file.forEach([&](int number, const ContactRecord& record) {
                        allMatch = allMatch && number == expectedNumber &&
                                   record.trimmed(Field::FirstName) == QStringLiteral("First%1").arg(number);
                        ++expectedNumber;
                        return true;
                    })
                    .ok());
        QVERIFY(allMatch);
        QCOMPARE(expectedNumber, n + 1);

        QList<int> visited;
        QVERIFY(file.forEachBytes(
                        [&](int number, QByteArrayView) {
                            visited.append(number);
                            return number < 2625;
                        },
                        2620)
                    .ok());
        QCOMPARE(visited, (QList<int>{2620, 2621, 2622, 2623, 2624, 2625}));

        visited.clear();
        QVERIFY(file.forEach(
                        [&](int number, const ContactRecord& record) {
                            if (record.trimmed(Field::FirstName).isEmpty())
                                visited.append(number);
                            return true;
                        },
                        n - 1, n + 2)
                    .ok());
        QCOMPARE(visited, (QList<int>{n + 1, n + 2}));
        QCOMPARE(file.forEach([](int, const ContactRecord&) { return true; }, 0).error().number, 63);
    }

    // Scattered, close and repeated numbers, runs that would cross a read chunk and
    // records past the end: each number gets its own record.
    void readNumberedGivesEachItsRecord_data()
    {
        QTest::addColumn<QList<int>>("numbers");
        QTest::newRow("scattered") << QList<int>{1, 40, 2999, 6000};
        QTest::newRow("close together") << QList<int>{3, 4, 9, 17, 25, 26};
        QTest::newRow("repeated") << QList<int>{7, 7, 8, 8, 8};
        QTest::newRow("a run past a chunk") << QList<int>{2615, 2618, 2621, 2622, 2629, 5236, 5243};
        QTest::newRow("past the end") << QList<int>{5999, 6000, 6001, 6005, 90000};
    }
    void readNumberedGivesEachItsRecord()
    {
        QFETCH(QList<int>, numbers);
        ContactsFile file;
        QVERIFY(file.open(makeFile(QStringLiteral("scattered.DAT"), 6000)).ok());
        QStringList firstNames;
        QList<qsizetype> indexes;
        QVERIFY(file.readNumbered(std::span<const int>(numbers.constData(), std::size_t(numbers.size())),
                                  file.version(),
                                  [&](qsizetype index, QByteArrayView bytes) {
                                      indexes << index;
                                      firstNames << ContactRecord::fromBytes(bytes).trimmed(Field::FirstName);
                                      return true;
                                  })
                    .ok());
        QStringList expected;
        for (const int number : numbers)
            expected << (number <= 6000 ? QStringLiteral("First%1").arg(number) : QString());
        QCOMPARE(firstNames, expected);
        QCOMPARE(indexes.size(), numbers.size());
        QCOMPARE(indexes.last(), numbers.size() - 1);
    }

    // A reading checks the file it reads against the one a first pass saw: longer,
    // or another file at the path, is a change; the numbers must come in order.
    void readNumberedRefusesAnotherFile()
    {
        const QString path = makeFile(QStringLiteral("versions.DAT"), 3);
        ContactsFile file;
        QVERIFY(file.open(path).ok());
        const FileVersion seen = file.version();
        const auto readFirst = [&file, &seen] {
            return file.readNumbered(std::vector<int>{1}, seen, [](qsizetype, QByteArrayView) { return true; });
        };
        QVERIFY(readFirst().ok());
        QCOMPARE(file.readNumbered(std::vector<int>{2, 1}, seen, [](qsizetype, QByteArrayView) { return true; })
                     .error()
                     .number,
                 5);
        QVERIFY(file.append(contact(QStringLiteral("New"), QStringLiteral("One"))).ok());
        QCOMPARE(readFirst().error().description, fileChangedText);

        const QString other = makeFile(QStringLiteral("other.DAT"), 3);
        QVERIFY(std::rename(QFile::encodeName(other).constData(), QFile::encodeName(path).constData()) == 0);
        const FileVersion before = file.version();
        QCOMPARE(file.readNumbered(std::vector<int>{1}, before, [](qsizetype, QByteArrayView) { return true; })
                     .error()
                     .description,
                 fileChangedText);
    }

    void readOnlyFileOpensAndRefusesWrites()
    {
        const QString path = makeFile(QStringLiteral("ro.DAT"), 2);
        const QByteArray before = readBytes(path);
        test::WriteProtection readOnly(path);
        if (!readOnly.ok())
            QSKIP("cannot make a file read-only here");
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        QVERIFY(file.isReadOnly());
        QCOMPARE(file.count(), 2);
        QCOMPARE(file.read(2)->trimmed(Field::LastName), QStringLiteral("Last2"));
        const ContactRecord record = contact(QStringLiteral("X"), QStringLiteral("Y"));
        QCOMPARE(file.write(1, record).error().number, 70);
        QCOMPARE(file.append(record).error().number, 70);
        QCOMPARE(file.writeField(1, Field::ReminderFlag, QStringLiteral("0")).error().number, 70);
        QCOMPARE(file.writeFieldInAll(Field::ReminderFlag, QStringLiteral("0")).error().number, 70);
        QCOMPARE(readBytes(path), before);
    }

    // A removed file is not created again; one replaced by rename (another program's
    // deletion or import) is followed, and the write lands in the file the path names.
    void writesRefusedWhenRemovedFollowedWhenReplaced()
    {
        const QString path = makeFile(QStringLiteral("gone.DAT"), 1);
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        QVERIFY(QFile::remove(path));
        QCOMPARE(file.append(contact(QStringLiteral("A"), QStringLiteral("B"))).error().number, 53);
        QCOMPARE(file.count(), 1); // still reads what it opened
        QVERIFY(!QFile::exists(path));

        const QString other = makeFile(QStringLiteral("other.DAT"), 3);
        QVERIFY(QFile::rename(other, path));
        QVERIFY(file.writeField(1, Field::MI, QStringLiteral("Q")).ok());
        QCOMPARE(readBytes(path).size(), 1200);
        QCOMPARE(file.count(), 3);
        QCOMPARE(readBytes(path).at(fieldLayout(Field::MI).offset), 'Q');
    }

    void closedFileRefusesEverything()
    {
        ContactsFile file;
        QVERIFY(!file.write(1, ContactRecord()).ok());
        QVERIFY(!file.append(ContactRecord()).ok());
        QVERIFY(!file.forEach([](int, const ContactRecord&) { return true; }).ok());
        QCOMPARE(file.count(), 0);
    }

    // A write that runs past the file size limit must fail, and leave only whole records.
    void writeFailureIsReportedAndUndone_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::newRow("append") << "append";
        QTest::newRow("write past end") << "write";
        QTest::newRow("field of a new record") << "field";
    }
    void writeFailureIsReportedAndUndone()
    {
        QFETCH(QString, operation);
        const QString path = makeFile(QStringLiteral("limit.DAT"), 2);
        const QByteArray before = readBytes(path);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            // Exit status: 0 failure reported as disk full, 1 success claimed, 2 other error, 3 not opened.
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1000, 1000};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ContactsFile file;
            if (!file.open(path, quillet::Creation::CreateIfMissing).ok())
                ::_exit(3);
            const ContactRecord record = contact(QStringLiteral("Over"), QStringLiteral("Limit"));
            Status status;
            if (operation == QLatin1String("append"))
                status = file.append(record).status();
            else if (operation == QLatin1String("write"))
                status = file.write(3, record);
            else
                status = file.writeField(3, Field::Notes, QStringLiteral("x"));
            ::_exit(status.ok() ? 1 : status.error().number == 61 ? 0 : 2);
        }
        int wstatus = 0;
        QCOMPARE(::waitpid(child, &wstatus, 0), child);
        QVERIFY(WIFEXITED(wstatus));
        QCOMPARE(WEXITSTATUS(wstatus), 0);
        QCOMPARE(readBytes(path), before);
    }
};

QTEST_GUILESS_MAIN(TestContactsFile)
#include "tst_contactsfile.moc"
