#include "support/ChildRun.h"

#include "core/common/NativePath.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryFile>

#include <vector>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillet::test {

using quillet::nativePath;

namespace {

// argv and the environment for execve, built before fork: the child may only make
// async-signal-safe calls.
struct Argv
{
    std::vector<QByteArray> storage;
    std::vector<char*> pointers;
    std::vector<char*> environment;

    Argv(const QString& program, const QStringList& args, const QStringList& unset = {})
    {
        storage.push_back(QFile::encodeName(program));
        for (const QString& arg : args)
            storage.push_back(nativePath(arg)); // raw bytes a name may carry stay as they are
        for (QByteArray& item : storage)
            pointers.push_back(item.data());
        pointers.push_back(nullptr);
        for (char** variable = environ; *variable; ++variable) {
            const QByteArray entry(*variable);
            const QByteArray name = entry.left(entry.indexOf('='));
            if (!unset.contains(QString::fromLocal8Bit(name)))
                environment.push_back(*variable);
        }
        environment.push_back(nullptr);
    }
};

// The descriptor a child's standard output goes to instead of `captured`; -1 when
// it cannot be made.
int outputDescriptor(ChildOptions::Output output, int captured)
{
    switch (output) {
    case ChildOptions::Output::Captured:
        return ::dup(captured);
    case ChildOptions::Output::FullDevice:
        return ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    case ChildOptions::Output::ClosedPipe:
        break;
    }
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return -1;
    ::close(ends[0]);
    return ends[1];
}

// In the child after fork: redirect, limit, exec.
[[noreturn]] void execChild(const Argv& argv, int in, int out, int err, qint64 fileSizeLimit, bool sizeSignal)
{
    ::dup2(in, STDIN_FILENO);
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    if (fileSizeLimit >= 0) {
        // Kept across exec: a write past the limit fails with EFBIG, or (left at its
        // default) kills the program unless it ignores the signal itself.
        ::signal(SIGXFSZ, sizeSignal ? SIG_DFL : SIG_IGN);
        const rlimit limit{rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ::execve(argv.pointers[0], argv.pointers.data(), argv.environment.data());
    ::_exit(127);
}

QString readBack(QTemporaryFile& file)
{
    file.seek(0);
    return QString::fromUtf8(file.readAll());
}

} // namespace

bool prepareChildEnvironment(const QString& scratch)
{
    const QDir dir(scratch);
    const QString runtime = dir.filePath(QStringLiteral("runtime"));
    const QString home = dir.filePath(QStringLiteral("home"));
    if (!dir.mkpath(runtime) || !dir.mkpath(home))
        return false;
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime)) && qputenv("QUILLET_HOME", QFile::encodeName(home));
}

ChildResult runChild(const QString& program, const QStringList& args, const ChildOptions& options)
{
    ChildResult result;
    QTemporaryFile in, out, err;
    if (!in.open() || !out.open() || !err.open())
        return result;
    in.write(options.input);
    in.flush();
    in.seek(0);
    const Argv argv(program, args, options.unsetEnvironment);
    const int output = outputDescriptor(options.output, out.handle());
    if (output < 0)
        return result;
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(output);
        return result;
    }
    if (pid == 0)
        execChild(argv, in.handle(), output, err.handle(), options.fileSizeLimit, options.sizeSignal);
    ::close(output);
    result.started = true;
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, WNOHANG, &usage) == 0) {
        if (timer.elapsed() > options.timeoutMs) {
            result.timedOut = true;
            ::kill(pid, SIGKILL);
            ::wait4(pid, &status, 0, &usage);
            break;
        }
        ::usleep(2000);
    }
    result.elapsedMs = timer.elapsed();
    result.maxRssKb = usage.ru_maxrss;
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    result.out = readBack(out);
    result.err = readBack(err);
    return result;
}

QString cliPath()
{
    return QStringLiteral(QUILLET_CLI);
}

ChildResult runCli(const QStringList& args, const ChildOptions& options)
{
    return runChild(cliPath(), args, options);
}

BackgroundChild::BackgroundChild(const QString& program, const QStringList& args)
{
    const Argv argv(program, args);
    const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (null < 0)
        return;
    m_pid = ::fork();
    if (m_pid == 0)
        execChild(argv, null, null, null, -1, false);
    ::close(null);
}

qint64 BackgroundChild::bytesWritten() const
{
    if (m_pid <= 0 || m_reaped)
        return -1;
    QFile io(QStringLiteral("/proc/%1/io").arg(m_pid));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : io.readAll().split('\n')) {
        if (line.startsWith("wchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
}

void BackgroundChild::pause()
{
    if (m_pid <= 0 || m_reaped)
        return;
    ::kill(m_pid, SIGSTOP);
    if (::waitpid(m_pid, &m_status, WUNTRACED) == m_pid && !WIFSTOPPED(m_status))
        m_reaped = true;
}

QStringList BackgroundChild::openFiles() const
{
    QStringList files;
    if (m_pid <= 0 || m_reaped)
        return files;
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(m_pid));
    for (const QString& fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        char target[4096];
        const ssize_t length = ::readlink(QFile::encodeName(fds.filePath(fd)).constData(), target, sizeof target);
        if (length > 0)
            files << QFile::decodeName(QByteArray(target, length));
    }
    return files;
}

BackgroundChild::~BackgroundChild()
{
    killNow();
}

bool BackgroundChild::killNow()
{
    if (m_pid <= 0 || m_reaped)
        return false;
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, &m_status, 0);
    m_reaped = true;
    return WIFSIGNALED(m_status) && WTERMSIG(m_status) == SIGKILL;
}

int BackgroundChild::wait()
{
    if (m_pid > 0 && !m_reaped) {
        ::waitpid(m_pid, &m_status, 0);
        m_reaped = true;
    }
    return exitCode();
}

int BackgroundChild::exitCode() const
{
    return m_reaped && WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1;
}

} // namespace quillet::test
