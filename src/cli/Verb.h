#pragma once

#include <QStringList>

#include <functional>

namespace quillet::cli {

// One quillet-cli verb. Each verb's file registers itself, so adding a verb
// touches no shared list.
struct Verb
{
    QString name;
    QString synopsis;                                // one line for the overview
    QString help;                                    // full usage text for `quillet-cli VERB --help`
    std::function<int(const QStringList& args)> run; // args after the verb; returns the exit status
};

QList<Verb>& verbs();

struct VerbRegistration
{
    explicit VerbRegistration(Verb verb) { verbs().append(std::move(verb)); }
};

} // namespace quillet::cli
