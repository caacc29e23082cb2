#include "FuzzSupport.h"
#include "FuzzTargets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <memory>

namespace quillet::fuzz {

namespace {

std::unique_ptr<QTemporaryDir>& scratch()
{
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}

} // namespace

void initialize(int* argc, char*** argv)
{
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // The fuzzer's own options stay out of Qt's argument parsing.
        static int appArgc = 1;
        static char* appArgv[] = {argc && *argc > 0 ? (*argv)[0] : const_cast<char*>("fuzz"), nullptr};
        static QGuiApplication app(appArgc, appArgv);
    }
    if (!scratch()) {
        // Targets write a file per input: on a memory file system when there is one.
        const QString shm = QStringLiteral("/dev/shm");
        const bool useShm = QFileInfo(shm).isDir() && QFileInfo(shm).isWritable();
        scratch() = useShm ? std::make_unique<QTemporaryDir>(shm + QStringLiteral("/quillet-fuzz-XXXXXX"))
                           : std::make_unique<QTemporaryDir>();
    }
}

QString scratchFolder()
{
    return scratch()->path();
}

QString scratchPath(const QString& name)
{
    return QDir(scratch()->path()).filePath(name);
}

bool writeScratch(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readScratch(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString mismatch(const QString& what, const QString& expected, const QString& actual)
{
    return QStringLiteral("%1: expected %2, got %3").arg(what, expected, actual);
}

} // namespace quillet::fuzz
