#pragma once

#include "cli/PrintOutput.h"
#include "core/list/ListSearch.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace quillet::cli {

// What the list, labels and report verbs share: the contacts file, the query
// (--search FIELD=TEXT, --sort first|last) and, for the printing verbs, the
// shared print options.
struct ListCommand
{
    QString path;
    ListQuery query;
    PrintOutput output;
};

// A verb's own options: consumes args[index] (advancing `index`) and returns true
// when it is one of them, setting `error` when it is malformed.
using VerbOptionTaker = std::function<bool(const QStringList& args, qsizetype& index, QString& error)>;

// Parses a list verb's arguments; on a usage error prints it and gives nullopt.
// `own` takes the verb's own options; `offset` accepts --offset X,Y.
std::optional<ListCommand> parseListCommand(const QString& verb, const QStringList& args, bool printing,
                                            const VerbOptionTaker& own = {}, bool offset = false);

// "--name VALUE" or "--name=VALUE" at args[index]; advances index past it.
std::optional<QString> takeOptionValue(const QString& name, const QStringList& args, qsizetype& index, QString& error);

// Opens the file and gives its list lines as the window would list them; on a
// failure prints why and gives nullopt.
std::optional<std::vector<ListEntry>> loadListFor(const ListCommand& command, ContactsFile& file);

// The help lines for --search and --sort.
QString listOptionsHelp();

} // namespace quillet::cli
