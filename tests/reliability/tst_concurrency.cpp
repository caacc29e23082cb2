#include "FaultRecords.h"
#include "core/contacts/ContactRecord.h"
#include "support/ChildRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillet;
using namespace quillet::test;

namespace {

constexpr int oldContacts = 1200;
// Enough rounds that writers without locks lose contacts within a few seconds.
constexpr int rounds = 150;

// One writer: a shell loop running quillet-cli, printing a tag for every change the
// program reported as done. $Q is the program, $F the contacts file, $T the tag.
// Edits go to records past those the deletions reach, a different contact each.
const QHash<QString, QString> writers{
    {"add", "for i in $(seq %1); do \"$Q\" add \"$F\" --last $T$i >/dev/null 2>&1 && echo $T$i; done"},
    {"delete", "for i in $(seq %1); do \"$Q\" delete \"$F\" 1 --yes >/dev/null 2>&1 && echo deleted; done"},
    {"edit", "for i in $(seq %1); do \"$Q\" edit \"$F\" $((200 + 5 * i)) --notes $T$i >/dev/null 2>&1 && echo $T$i; "
             "done"},
    {"import", "\"$Q\" import \"$F\" \"$F.$T.csv\" >/dev/null 2>&1 && echo imported$T"},
};

QByteArray importFile(const QString& tag, int count)
{
    QByteArray csv = "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Home Phone,Cell Phone,"
                     "Work Phone,Email,Birthdate,Category,Notes\r\n";
    for (int i = 1; i <= count; ++i)
        csv += QStringLiteral("I,,%1%2,,,,,,,,,,%1%2@example.org,,,\r\n").arg(tag).arg(i).toLatin1();
    return csv;
}

// Another program that may read the file: it locks whatever file the path names
// with an ordinary shared lock and keeps it, taking the next one when the file is
// replaced. Writes 'y' to `ready` once it holds the first lock. Runs until killed.
// Only calls that are safe in a child forked from a threaded program.
[[noreturn]] void keepReadLocked(const QByteArray& path, int ready)
{
    bool first = true;
    for (;;) {
        const int fd = ::open(path.constData(), O_RDONLY);
        struct flock lock
        {
        };
        lock.l_type = F_RDLCK;
        lock.l_whence = SEEK_SET;
        // Waiting while a writer holds the new file, as a program bent on it would.
        if (fd < 0 || ::fcntl(fd, F_SETLKW, &lock) != 0)
            ::_exit(1);
        if (first && ::write(ready, "y", 1) != 1)
            ::_exit(1);
        first = false;
        struct stat held
        {
        };
        struct stat named
        {
        };
        ::fstat(fd, &held);
        while (::stat(path.constData(), &named) == 0 && named.st_ino == held.st_ino)
            ::usleep(2000);
        ::close(fd);
    }
}

} // namespace

// Two programs write the same contacts file at once. Every contact a writer was told
// was saved is on file exactly once, and no deleted contact comes back.
class TestConcurrency : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QProcess* startWriter(const QString& kind, const QString& tag, const QString& file, int count = rounds)
    {
        auto* process = new QProcess(this);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("Q"), cliPath());
        environment.insert(QStringLiteral("F"), file);
        environment.insert(QStringLiteral("T"), tag);
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), writers.value(kind).arg(count)});
        return process;
    }

private slots:
    void initTestCase() { QVERIFY(prepareChildEnvironment(m_dir.path())); }

    void twoWriters_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("add and add") << "add"
                                     << "add";
        QTest::newRow("add and delete") << "add"
                                        << "delete";
        QTest::newRow("add and import") << "add"
                                        << "import";
        QTest::newRow("import and import") << "import"
                                           << "import";
        QTest::newRow("delete and delete") << "delete"
                                           << "delete";
        QTest::newRow("edit and delete") << "edit"
                                         << "delete";
    }
    void twoWriters()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        const QString file =
            QDir(m_dir.path()).filePath(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_'));
        QByteArray old;
        for (int i = 1; i <= oldContacts; ++i)
            old += person(QStringLiteral("Old"), QStringLiteral("Old%1").arg(i)).toBytes();
        QVERIFY(writeBytes(file, old));
        for (const QString& tag : {QStringLiteral("X"), QStringLiteral("Y")})
            QVERIFY(writeBytes(file + u'.' + tag + QStringLiteral(".csv"), importFile(tag + u'_', 500)));

        QProcess* a = startWriter(first, QStringLiteral("X"), file);
        QProcess* b = startWriter(second, QStringLiteral("Y"), file);
        QVERIFY2(a->waitForFinished(120000) && b->waitForFinished(120000), "a writer ran past its time");
        QStringList reported = QString::fromLatin1(a->readAllStandardOutput() + b->readAllStandardOutput())
                                   .split(u'\n', Qt::SkipEmptyParts);

        QHash<QString, int> lastNames;
        QStringList notes;
        const QByteArray now = readBytes(file);
        QCOMPARE(wholeRecordsProblem(now), QString());
        for (qsizetype at = 0; at < now.size(); at += recordSize) {
            const ContactRecord record = ContactRecord::fromBytes(QByteArrayView(now).sliced(at, recordSize));
            ++lastNames[record.trimmed(Field::LastName)];
            notes << record.trimmed(Field::Notes);
        }
        const int deleted = int(reported.removeAll(QStringLiteral("deleted")));
        for (const QString& saved : reported) {
            if (saved.startsWith(QLatin1String("imported"))) {
                // Every contact of an import reported done is there once.
                for (int i = 1; i <= 500; ++i)
                    QCOMPARE(lastNames.value(saved.mid(8) + QStringLiteral("_%1").arg(i)), 1);
            } else if (first == QLatin1String("edit") && saved.startsWith(u'X')) {
                QVERIFY2(notes.contains(saved), qPrintable(saved + QStringLiteral(" was saved, then lost")));
            } else {
                QVERIFY2(lastNames.value(saved) == 1, qPrintable(saved + QStringLiteral(" is not on file once")));
            }
        }
        // Deletions take record 1, always the oldest remaining "Old" contact.
        for (int i = 1; i <= oldContacts; ++i)
            QCOMPARE(lastNames.value(QStringLiteral("Old%1").arg(i)), i <= deleted ? 0 : 1);
    }

    // A reader that never lets go holds each writer up for one bounded read (1 s) at
    // most, far below the 5 s after which a writer gives up.
    void readerKeepingALockHoldsNoWriterOut()
    {
        const QString file = QDir(m_dir.path()).filePath(QStringLiteral("held.DAT"));
        QVERIFY(writeBytes(file, people(3)));
        int ready[2];
        QVERIFY(::pipe(ready) == 0);
        const pid_t reader = ::fork();
        QVERIFY(reader >= 0);
        if (reader == 0)
            keepReadLocked(QFile::encodeName(file), ready[1]);
        ::close(ready[1]);
        char answer = 'n';
        QVERIFY(::read(ready[0], &answer, 1) == 1 && answer == 'y');
        ::close(ready[0]);
        QStringList expected{"Last1", "Last2", "Last3"};
        for (int i = 1; i <= 3; ++i) {
            const ChildResult added = runCli({"add", file, "--last", QStringLiteral("Held%1").arg(i)});
            QVERIFY2(added.exitCode == 0, qPrintable(added.err));
            QVERIFY2(added.elapsedMs < 3000, qPrintable(QStringLiteral("add took %1 ms").arg(added.elapsedMs)));
            expected << QStringLiteral("Held%1").arg(i);
        }
        const bool readerKeptOn = ::kill(reader, 0) == 0 && ::waitpid(reader, nullptr, WNOHANG) == 0;
        ::kill(reader, SIGKILL);
        ::waitpid(reader, nullptr, 0);
        QVERIFY(readerKeptOn);
        const QByteArray now = readBytes(file);
        QStringList lastNames;
        for (qsizetype at = 0; at < now.size(); at += recordSize)
            lastNames << ContactRecord::fromBytes(QByteArrayView(now).sliced(at, recordSize)).trimmed(Field::LastName);
        QCOMPARE(lastNames, expected);
    }

    // Readers list the file over and over while a writer adds: every listing is the
    // file as it was at one moment (the first k additions, none missing in between),
    // and every addition reported is on file once.
    void readersInALoopSeeWholeStates()
    {
        const QString file = QDir(m_dir.path()).filePath(QStringLiteral("listed.DAT"));
        QVERIFY(writeBytes(file, people(3)));
        QProcess* writer = startWriter(QStringLiteral("add"), QStringLiteral("W"), file, 40);
        QProcess reader;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("Q"), cliPath());
        environment.insert(QStringLiteral("F"), file);
        reader.setProcessEnvironment(environment);
        reader.start(QStringLiteral("/bin/sh"),
                     {QStringLiteral("-c"), QStringLiteral("for i in $(seq 40); do \"$Q\" list \"$F\" || echo FAILED; "
                                                           "echo END; done")});
        QVERIFY(writer->waitForFinished(120000) && reader.waitForFinished(120000));
        const QStringList added = QString::fromLatin1(writer->readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(added.size(), 40);
        const QString listings = QString::fromUtf8(reader.readAllStandardOutput());
        QVERIFY(!listings.contains(QStringLiteral("FAILED")));
        for (const QString& listing : listings.split(QStringLiteral("END\n"), Qt::SkipEmptyParts)) {
            // A line of an added contact: record number, tab, no first name, " W<i>", tab.
            const int seen = int(listing.count(QRegularExpression(QStringLiteral("\t W\\d+\t"))));
            for (int i = 1; i <= 40; ++i)
                QCOMPARE(listing.count(QStringLiteral("\t W%1\t").arg(i)), i <= seen ? 1 : 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestConcurrency)
#include "tst_concurrency.moc"
