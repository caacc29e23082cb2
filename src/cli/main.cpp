#include "cli/Verb.h"
#include "core/common/NativePath.h"
#include "core/common/Settings.h"

#include <QGuiApplication>
#include <QTextStream>

#include <algorithm>
#include <cstdlib>

namespace quillet::cli {

QList<Verb>& verbs()
{
    static QList<Verb> all;
    return all;
}

namespace {

void printOverview(QTextStream& out)
{
    out << "Usage: quillet-cli VERB [OPTIONS] [ARGUMENTS]\n"
           "Prints labels and envelopes and works with Quillet contacts files in batch.\n\n"
           "Verbs:\n";
    QList<Verb> sorted = verbs();
    std::sort(sorted.begin(), sorted.end(), [](const Verb& a, const Verb& b) { return a.name < b.name; });
    for (const Verb& verb : sorted)
        out << "  " << verb.name.leftJustified(16) << verb.synopsis << '\n';
    out << "\nRun 'quillet-cli VERB --help' for a verb's options, 'quillet-cli --version' for the version.\n";
}

} // namespace
} // namespace quillet::cli

int main(int argc, char* argv[])
{
    // Fonts and PDF output need a GUI application object, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    quillet::settings::nameApplication();

    // The raw bytes of every argument, so that a file name that is not valid text
    // still names the file it names (see NativePath).
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << quillet::pathFromNative(QByteArrayView(argv[i]));
    QTextStream out(stdout);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        quillet::cli::printOverview(out);
        return args.isEmpty() ? 1 : 0;
    }
    if (args.first() == QLatin1String("--version")) {
        out << "quillet-cli " << QUILLET_VERSION_MAJOR << '.' << QUILLET_VERSION_MINOR << '.' << QUILLET_VERSION_PATCH
            << '\n';
        return 0;
    }
    const QString name = args.takeFirst();
    for (const quillet::cli::Verb& verb : quillet::cli::verbs()) {
        if (verb.name != name)
            continue;
        if (args.contains(QLatin1String("--help"))) {
            out << verb.help;
            return 0;
        }
        out.flush();
        return verb.run(args);
    }
    QTextStream(stderr) << "quillet-cli: unknown verb '" << name << "'. Run 'quillet-cli --help'.\n";
    return 1;
}
