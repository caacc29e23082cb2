#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "core/common/NativePath.h"
#include "core/common/Settings.h"

#include <QGuiApplication>

namespace {

// Qt's own diagnostics ("QStandardPaths: XDG_RUNTIME_DIR not set ...", font
// fallbacks) are no concern of a batch job's user: a clean run writes nothing on
// standard error. A critical message still gets through, with the program's prefix.
void filterQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        quillet::cli::console::error(message);
}

} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(filterQtMessages);
    // Fonts and PDF output need a GUI application object, never a display: a batch
    // job must not depend on (or complain about) the X server of the terminal it runs in.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    quillet::settings::nameApplication();

    // The raw bytes of every argument, so that a file name that is not valid text
    // still names the file it names (see NativePath).
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << quillet::pathFromNative(QByteArrayView(argv[i]));
    return quillet::cli::console::finish(quillet::cli::runCommandLine(args));
}
