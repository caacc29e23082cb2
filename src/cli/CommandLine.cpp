#include "cli/CommandLine.h"

#include "cli/Console.h"
#include "cli/HelpText.h"
#include "cli/Verb.h"

namespace quillet::cli {

QList<Verb>& verbs()
{
    static QList<Verb> all;
    return all;
}

const Verb* findVerb(const QString& name)
{
    for (const Verb& verb : verbs()) {
        if (verb.name == name)
            return &verb;
    }
    return nullptr;
}

namespace {

QString dashed(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// "unknown option --all", "missing value after '--today'".
QString parseError(const QCommandLineParser& parser)
{
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("unknown option ") + dashed(parser.unknownOptionNames().constFirst());
    QString text = parser.errorText();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

QString argumentCountError(const Verb& verb, const QStringList& positional)
{
    const int most = verb.maxArguments < 0 ? int(verb.arguments.size()) : verb.maxArguments;
    if (positional.size() < verb.arguments.size())
        return QStringLiteral("missing argument %1").arg(verb.arguments.at(positional.size()));
    if (positional.size() > most) {
        return verb.tooManyArguments ? QString::fromLatin1(verb.tooManyArguments)
                                     : QStringLiteral("unexpected argument '%1'").arg(positional.at(most));
    }
    return {};
}

int printText(const QString& text)
{
    console::write(text.toUtf8());
    return console::exitDone;
}

int runVerb(const Verb& verb, const QStringList& args)
{
    console::setVerb(verb.name);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.addOptions(verb.options);
    parser.addOption(helpOption());
    parser.addOption(versionOption());
    // The parser skips its first argument, the program's name.
    if (!parser.parse(QStringList{QStringLiteral("quillet-cli")} + args))
        return console::usageError(parseError(parser));
    if (parser.isSet(helpOption()))
        return printText(verbHelpText(verb));
    if (parser.isSet(versionOption()))
        return printText(versionText());
    if (const QString error = argumentCountError(verb, parser.positionalArguments()); !error.isEmpty())
        return console::usageError(error);
    return verb.run(parser);
}

int runHelp(const QStringList& args)
{
    if (args.isEmpty())
        return printText(overviewText());
    const Verb* verb = findVerb(args.constFirst());
    if (!verb)
        return console::usageError(QStringLiteral("unknown verb '%1'").arg(args.constFirst()));
    if (args.size() > 1)
        return console::usageError(QStringLiteral("unexpected argument '%1'").arg(args.at(1)));
    return printText(verbHelpText(*verb));
}

} // namespace

int runCommandLine(QStringList args)
{
    if (args.isEmpty())
        return console::usageError(QStringLiteral("missing verb"));
    const QString first = args.takeFirst();
    if (first == QLatin1String("help") || first == QLatin1String("-h") || first == QLatin1String("--help"))
        return runHelp(args);
    if (first == QLatin1String("-v") || first == QLatin1String("-V") || first == QLatin1String("--version"))
        return printText(versionText());
    if (const Verb* verb = findVerb(first))
        return runVerb(*verb, args);
    if (first.startsWith(QLatin1Char('-')))
        return console::usageError(QStringLiteral("unknown option %1").arg(first));
    return console::usageError(QStringLiteral("unknown verb '%1'").arg(first));
}

} // namespace quillet::cli
