#include "FaultRecords.h"
#include "support/ChildRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include <unistd.h>

using namespace quillet;
using namespace quillet::test;

namespace {

// Per command: at most this many kills, within this many seconds.
constexpr int maxRounds = 300;
constexpr int budgetSeconds = 25;

struct Figures
{
    int rounds = 0;
    int killed = 0;       // the kill ended it
    int duringWrites = 0; // of those, killed while the new file was being written (it was left behind)
    int finished = 0;     // it ended before the kill
    bool failed = false;
};

} // namespace

// quillet-cli killed with SIGKILL at random moments while it writes: afterwards
// the contacts file is the old or the new complete file, never anything between.
class TestCrash : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_folder;
    QString m_path;
    QRandomGenerator m_random;

    // Removes what a killed run left beside the contacts file.
    void removeLeftovers(const QStringList& keep)
    {
        for (const QString& name : folderEntries(m_folder)) {
            if (!keep.contains(name))
                QFile::remove(QDir(m_folder).filePath(name));
        }
    }

    // Whether the child holds a file in the folder open that is none of `keep`: the
    // new file it writes (nameless until it is renamed into place). The writers'
    // lock beside the contacts file is no new file.
    bool writesNewFile(const BackgroundChild& child, const QStringList& keep) const
    {
        for (QString file : child.openFiles()) {
            file.remove(QStringLiteral(" (deleted)"));
            const QFileInfo info(file);
            if (info.absolutePath() == m_folder && !keep.contains(info.fileName()) &&
                !info.fileName().endsWith(QLatin1String(".qlt-lock")))
                return true;
        }
        return false;
    }

    // Waits (a bounded time) until the child has begun to write.
    static bool waitForWriting(const BackgroundChild& child, int limitUs)
    {
        QElapsedTimer timer;
        timer.start();
        while (child.bytesWritten() <= 0) {
            if (timer.nsecsElapsed() / 1000 > limitUs)
                return false;
            ::usleep(50);
        }
        return true;
    }

    // Runs a command again and again and kills each run: every other round after a
    // random delay of up to a little more than an undisturbed run takes, the others
    // at a random moment after it has begun to write (most of a run is starting up).
    // `prepare` puts the starting files back and gives the round's command line;
    // `check` judges the files after the round (empty: fine). Files other than
    // `keep` in the folder are leftovers.
    Figures killLoop(const std::function<QStringList()>& prepare, const std::function<QString(bool killed)>& check,
                     const QStringList& keep)
    {
        const QStringList calibrationArgs = prepare();
        const ChildResult calibration = runCli(calibrationArgs);
        Figures figures;
        if (calibration.exitCode != 0) {
            qWarning("undisturbed run failed: %s", qPrintable(calibration.err));
            figures.failed = true;
            return figures;
        }
        const int spanUs = int(std::max<qint64>(calibration.elapsedMs, 5) * 1200);
        QElapsedTimer timer;
        timer.start();
        while (figures.rounds < maxRounds && timer.elapsed() < budgetSeconds * 1000) {
            const QStringList args = prepare();
            const bool afterStart = figures.rounds % 2 == 1;
            const int delayUs = int(m_random.bounded(afterStart ? spanUs / 2 : spanUs));
            BackgroundChild child(cliPath(), args);
            if (afterStart)
                waitForWriting(child, spanUs * 4);
            ::usleep(useconds_t(delayUs));
            child.pause();
            const bool writing = writesNewFile(child, keep);
            const bool killed = child.killNow();
            ++figures.rounds;
            (killed ? figures.killed : figures.finished)++;
            QString problem = check(killed);
            if (!killed && child.exitCode() != 0)
                problem = QStringLiteral("exit code %1").arg(child.exitCode());
            if (!problem.isEmpty()) {
                qWarning("round %d (%s), killed after %d us: %s", figures.rounds, qPrintable(args.join(u' ')), delayUs,
                         qPrintable(problem));
                figures.failed = true;
                return figures;
            }
            figures.duringWrites += killed && writing;
            removeLeftovers(keep);
        }
        qInfo("%s: %d rounds in %lld ms (undisturbed run %lld ms): %d killed while running (%d of them while "
              "the new file was being written), %d finished first",
              qPrintable(calibrationArgs.first()), figures.rounds, timer.elapsed(), calibration.elapsedMs,
              figures.killed, figures.duringWrites, figures.finished);
        return figures;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(prepareChildEnvironment(m_dir.path()));
        const QByteArray fixed = qgetenv("QUILLET_CRASH_SEED");
        const quint32 seed = fixed.isEmpty() ? QRandomGenerator::system()->generate() : fixed.toUInt();
        m_random.seed(seed);
        qInfo("seed %u (set QUILLET_CRASH_SEED to repeat)", seed);
        m_folder = QDir(m_dir.path()).filePath(QStringLiteral("contacts"));
        QVERIFY(QDir().mkpath(m_folder));
        m_path = QDir(m_folder).filePath(QStringLiteral("Friends.DAT"));
    }

    // Deleting rewrites the whole file (20,000 records, 8 MB) through a new file.
    void compaction()
    {
        const QByteArray old = people(20000);
        QByteArray expected;
        auto prepare = [&] {
            const int number = 1 + int(m_random.bounded(20000));
            expected = old.left((number - 1) * recordSize) + old.mid(number * recordSize);
            if (readBytes(m_path) != old && !writeBytes(m_path, old))
                qFatal("cannot write %s", qPrintable(m_path));
            return QStringList{QStringLiteral("delete"), m_path, QString::number(number), QStringLiteral("--yes")};
        };
        auto check = [&](bool killed) -> QString {
            const QByteArray now = readBytes(m_path);
            if (now == expected || (killed && now == old))
                return {};
            return QStringLiteral("a file of %1 bytes, neither the old nor the new one").arg(now.size());
        };
        const Figures figures = killLoop(prepare, check, {QStringLiteral("Friends.DAT")});
        QVERIFY(!figures.failed);
        QVERIFY(figures.duringWrites > 0);
    }

    // Import writes the old records and the new ones into a new file.
    void import()
    {
        const QByteArray old = people(3);
        QByteArray csv = "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Home Phone,Cell Phone,"
                         "Work Phone,Email,Birthdate,Category,Notes\r\n";
        for (int i = 1; i <= 5000; ++i)
            csv += QByteArray("Imp%1,,Person%1,,,,,,,,,,imp%1@example.org,,,\r\n").replace("%1", QByteArray::number(i));
        const QString csvPath = QDir(m_dir.path()).filePath(QStringLiteral("import.csv"));
        QVERIFY(writeBytes(csvPath, csv));
        const QStringList args{QStringLiteral("import"), m_path, csvPath};
        QVERIFY(writeBytes(m_path, old));
        QCOMPARE(runCli(args).exitCode, 0);
        const QByteArray complete = readBytes(m_path);
        QCOMPARE(complete.size(), (3 + 5000) * recordSize);

        auto prepare = [&] {
            if (!writeBytes(m_path, old))
                qFatal("cannot write %s", qPrintable(m_path));
            return args;
        };
        auto check = [&](bool killed) -> QString {
            const QByteArray now = readBytes(m_path);
            if (now == complete || (killed && now == old))
                return {};
            return QStringLiteral("a file of %1 bytes, neither the old nor the new one").arg(now.size());
        };
        const Figures figures = killLoop(prepare, check, {QStringLiteral("Friends.DAT")});
        QVERIFY(!figures.failed);
        QVERIFY(figures.duringWrites > 0);
    }

    // Export writes a new file and renames it over the older export.
    void exportFile()
    {
        const QString exported = QDir(m_folder).filePath(QStringLiteral("QLTC_Friends.csv"));
        const QByteArray older = "First Name,MI,Last Name\r\nOlder,,Export\r\n";
        QVERIFY(writeBytes(m_path, people(20000)));
        QVERIFY(qputenv("QUILLET_HOME", QFile::encodeName(m_folder)));
        const QStringList args{QStringLiteral("export"), m_path, QStringLiteral("--csv")};
        QCOMPARE(runCli(args).exitCode, 0);
        const QByteArray complete = readBytes(exported);
        QVERIFY(complete.size() > 20000 * 20);

        auto prepare = [&] {
            if (!writeBytes(exported, older))
                qFatal("cannot write %s", qPrintable(exported));
            return args;
        };
        auto check = [&](bool killed) -> QString {
            const QByteArray now = readBytes(exported);
            if (now == complete || (killed && now == older))
                return {};
            return QStringLiteral("an export of %1 bytes, neither the older nor the new one").arg(now.size());
        };
        const Figures figures =
            killLoop(prepare, check, {QStringLiteral("Friends.DAT"), QStringLiteral("QLTC_Friends.csv")});
        QVERIFY(!figures.failed);
        QVERIFY(figures.duringWrites > 0);
    }
};

QTEST_GUILESS_MAIN(TestCrash)
#include "tst_crash.moc"
