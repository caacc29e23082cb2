#pragma once

#include "cli/PrintOutput.h"
#include "list/ListSearch.h"

#include <QString>
#include <QStringList>

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

// Parses a list verb's arguments; on a usage error prints it and gives nullopt.
std::optional<ListCommand> parseListCommand(const QString& verb, const QStringList& args, bool printing);

// Opens the file and gives its list lines as the window would list them; on a
// failure prints why and gives nullopt.
std::optional<std::vector<ListEntry>> loadListFor(const ListCommand& command, ContactsFile& file);

// The help lines for --search and --sort.
QString listOptionsHelp();

} // namespace quillet::cli
