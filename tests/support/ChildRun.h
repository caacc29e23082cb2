#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <sys/types.h>

namespace quillet::test {

struct ChildOptions
{
    qint64 fileSizeLimit = -1; // RLIMIT_FSIZE in bytes (SIGXFSZ ignored, so writes fail with EFBIG)
    bool sizeSignal = false;   // with the limit: SIGXFSZ left at its default, which kills
    int timeoutMs = 120000;    // killed when it runs longer
    QByteArray input;          // standard input (empty: /dev/null)
    // Standard output: captured (Captured), a device that is always full (/dev/full),
    // or a pipe whose reader has gone (ClosedPipe); `out` stays empty for the last two.
    enum class Output { Captured, FullDevice, ClosedPipe };
    Output output = Output::Captured;
    QStringList unsetEnvironment; // variables the child does not get
};

struct ChildResult
{
    bool started = false;
    bool timedOut = false;
    int exitCode = -1; // -1 when it did not exit on its own
    int signal = 0;    // the signal that ended it
    QString out;       // standard output and error, read as UTF-8
    QString err;
    long maxRssKb = 0; // peak resident memory of the child
    qint64 elapsedMs = 0;
};

// Points the children's runtime folder (XDG_RUNTIME_DIR, mode 0700) and program
// folder (QUILLET_HOME) into `scratch`, so they neither warn nor touch the user's.
bool prepareChildEnvironment(const QString& scratch);

// Runs a program to its end with fork/exec (not QProcess) so that limits can be
// set in the child and its own peak memory read from wait4().
ChildResult runChild(const QString& program, const QStringList& args, const ChildOptions& options = {});

// The built quillet-cli, and runChild() on it.
QString cliPath();
ChildResult runCli(const QStringList& args, const ChildOptions& options = {});

// A child that runs in the background until killed; standard output and error go
// to /dev/null. For the kill tests.
class BackgroundChild
{
public:
    BackgroundChild(const QString& program, const QStringList& args);
    ~BackgroundChild();
    BackgroundChild(const BackgroundChild&) = delete;
    BackgroundChild& operator=(const BackgroundChild&) = delete;

    bool started() const { return m_pid > 0; }
    // Bytes the child has written so far (the "wchar" of /proc/PID/io), -1 when unknown.
    qint64 bytesWritten() const;
    // Stops it where it is (SIGSTOP), so that what it holds open can be looked at
    // before killNow(). Reaps it instead when it has already ended.
    void pause();
    // The files it holds open (after pause(): at that moment); a file that has no
    // name yet or any more reads as "FOLDER/#NUMBER (deleted)".
    QStringList openFiles() const;
    // SIGKILL and reap. True when the signal ended it, false when it had
    // already finished on its own.
    bool killNow();
    // Waits for the end; the exit code, or -1 when a signal ended it.
    int wait();
    // After killNow() or wait(): the exit code, or -1 when a signal ended it.
    int exitCode() const;

private:
    pid_t m_pid = -1;
    bool m_reaped = false;
    int m_status = 0;
};

} // namespace quillet::test
