#include "cli/Console.h"

#include "core/common/FileErrors.h"
#include "core/common/TerminalText.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace quillet::cli::console {

namespace {

constexpr qsizetype bufferSize = 64 * 1024;

struct State
{
    QString verb;
    QByteArray pending;
    int failure = 0; // errno of the first failed write to standard output
};

State& state()
{
    static State instance;
    return instance;
}

// Writes all of `bytes` to a descriptor; 0 or the errno that stopped it.
int writeAll(int fd, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t written = ::write(fd, bytes.data(), size_t(bytes.size()));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        bytes = bytes.sliced(written);
    }
    return 0;
}

void flush()
{
    State& s = state();
    if (s.failure == 0 && !s.pending.isEmpty())
        s.failure = writeAll(STDOUT_FILENO, s.pending);
    s.pending.clear();
}

void printToError(const QString& line)
{
    // What went to standard output before stays before the message on a terminal.
    flush();
    writeAll(STDERR_FILENO, line.toUtf8());
}

} // namespace

void setVerb(const QString& verb)
{
    state().verb = verb;
}

void write(QByteArrayView bytes)
{
    State& s = state();
    if (s.failure != 0)
        return;
    s.pending.append(bytes);
    if (s.pending.size() >= bufferSize)
        flush();
}

void printLine(const QString& text)
{
    write(QString(terminalSafe(text) + QLatin1Char('\n')).toUtf8());
}

void printColumns(const QStringList& columns)
{
    QStringList shown;
    shown.reserve(columns.size());
    for (const QString& column : columns)
        shown << terminalSafe(column);
    write(QString(shown.join(QLatin1Char('\t')) + QLatin1Char('\n')).toUtf8());
}

bool outputOk()
{
    flush();
    return state().failure == 0;
}

int error(const QString& message)
{
    const QString prefix = state().verb.isEmpty() ? QString() : state().verb + QStringLiteral(": ");
    printToError(QStringLiteral("quillet-cli: ") + prefix + terminalSafe(message) + QLatin1Char('\n'));
    return exitFailed;
}

int usageError(const QString& message)
{
    const QString help = state().verb.isEmpty() ? QStringLiteral("quillet-cli --help")
                                                : QStringLiteral("quillet-cli help ") + state().verb;
    error(QStringLiteral("%1 (see '%2')").arg(message, help));
    return exitUsage;
}

int finish(int status)
{
    flush();
    const int failure = state().failure;
    if (failure == EPIPE) {
        // The reader has all it wanted; end as any filter in a pipeline ends.
        std::signal(SIGPIPE, SIG_DFL);
        std::raise(SIGPIPE);
        return exitFailed;
    }
    if (failure != 0) {
        const AppError reason = errorFromErrno(failure);
        error(QStringLiteral("cannot write standard output: %1 (error %2)").arg(reason.description).arg(reason.number));
        return exitFailed;
    }
    return status;
}

} // namespace quillet::cli::console
