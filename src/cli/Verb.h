#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QStringList>

#include <climits>
#include <functional>

namespace quillet::cli {

// One quillet-cli verb. Its options are declared here once: the parser is built
// from them and so is the verb's help. Each verb's file registers itself, so adding
// a verb touches no shared list.
struct Verb
{
    QString name;
    QString synopsis;    // one line for the overview
    QString usage;       // what follows "quillet-cli NAME" in the usage line
    QString description; // what the verb does, before the options in its help
    QList<QCommandLineOption> options;
    QStringList arguments;                                  // the positional arguments it needs, in order
    int maxArguments = -1;                                  // -1: exactly those; more are a usage error
    const char* tooManyArguments = nullptr;                 // the usage error for more (none: a generic one)
    std::function<int(const QCommandLineParser& args)> run; // parsed and checked; returns the exit status
};

inline constexpr int unlimitedArguments = INT_MAX;

QList<Verb>& verbs();
const Verb* findVerb(const QString& name);

struct VerbRegistration
{
    explicit VerbRegistration(Verb verb) { verbs().append(std::move(verb)); }
};

} // namespace quillet::cli
