#include "cli/HelpText.h"

#include "cli/Verb.h"

#include <algorithm>

namespace quillet::cli {

namespace {

// Where option descriptions start; a longer option name puts its description on the next line.
constexpr qsizetype descriptionColumn = 28;

const QString streamsText =
    QStringLiteral("Results go to standard output. Messages go to standard error, each beginning\n"
                   "\"quillet-cli: VERB: \"; a run that goes well writes none. A \"-\" for import's SOURCE,\n"
                   "for --pdf and for export's --output means standard input or output. Control\n"
                   "characters read from files are shown as \\xNN and a backslash as \\\\.\n");

const QString exitStatusText =
    QStringLiteral("Exit status: 0 done; 1 a refusal of the program's checks or a failed job, with the\n"
                   "message on standard error; 2 a usage error: an unknown option, a missing value,\n"
                   "or a value that is malformed or out of range.\n");

QString optionLabel(const QCommandLineOption& option)
{
    QStringList names;
    for (const QString& name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString label = names.join(QStringLiteral(", "));
    // Long-only options line up with the long names of those that have a short one.
    if (option.names().constFirst().size() > 1)
        label.prepend(QStringLiteral("    "));
    if (!option.valueName().isEmpty())
        label += QLatin1Char(' ') + option.valueName();
    return QStringLiteral("  ") + label;
}

QString optionLines(const QList<QCommandLineOption>& options)
{
    QString text;
    for (const QCommandLineOption& option : options) {
        if (option.flags() & QCommandLineOption::HiddenFromHelp)
            continue;
        QString label = optionLabel(option);
        const QStringList lines = option.description().split(QLatin1Char('\n'));
        if (label.size() + 2 > descriptionColumn) {
            text += label + QLatin1Char('\n');
            label.clear();
        }
        for (const QString& line : lines) {
            text += label.leftJustified(descriptionColumn) + line + QLatin1Char('\n');
            label.clear();
        }
    }
    return text;
}

} // namespace

const QCommandLineOption& helpOption()
{
    static const QCommandLineOption option({QStringLiteral("h"), QStringLiteral("help")},
                                           QStringLiteral("show this help and exit"));
    return option;
}

const QCommandLineOption& versionOption()
{
    static const QCommandLineOption option({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("show the version and exit"));
    return option;
}

QString versionText()
{
    return QStringLiteral("quillet-cli %1.%2.%3\n")
        .arg(QUILLET_VERSION_MAJOR)
        .arg(QUILLET_VERSION_MINOR)
        .arg(QUILLET_VERSION_PATCH);
}

QString overviewText()
{
    QString text = QStringLiteral("Usage: quillet-cli VERB [OPTIONS] [ARGUMENTS]\n"
                                  "       quillet-cli help [VERB]\n"
                                  "Prints labels and envelopes and works with Quillet contacts files in batch.\n\n"
                                  "Verbs:\n");
    QList<Verb> sorted = verbs();
    std::sort(sorted.begin(), sorted.end(), [](const Verb& a, const Verb& b) { return a.name < b.name; });
    for (const Verb& verb : sorted)
        text += QStringLiteral("  ") + verb.name.leftJustified(16) + verb.synopsis + QLatin1Char('\n');
    text += QStringLiteral("\nOptions:\n") + optionLines({helpOption(), versionOption()}) +
            QStringLiteral("\nRun 'quillet-cli help VERB' or 'quillet-cli VERB --help' for a verb's options.\n\n") +
            streamsText + QLatin1Char('\n') + exitStatusText;
    return text;
}

QString verbHelpText(const Verb& verb)
{
    QString text = QStringLiteral("Usage: quillet-cli %1 %2\n").arg(verb.name, verb.usage) + verb.description;
    text += QStringLiteral("\nOptions:\n") + optionLines(verb.options + QList{helpOption(), versionOption()});
    return text + QLatin1Char('\n') + exitStatusText;
}

} // namespace quillet::cli
