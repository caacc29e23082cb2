#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/ListArgs.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"

namespace quillet::cli {
namespace {

int runList(const QCommandLineParser& args)
{
    const Result<ListQuery> query = listQueryFromArgs(args);
    if (!query)
        return usageError(query.error());
    ContactsFile file;
    const std::optional<std::vector<ListEntry>> entries = loadListFor(args.positionalArguments().at(0), *query, file);
    if (!entries)
        return console::exitFailed;
    // Column by column, so that a tab inside a field shows as \x09, not as a column break.
    for (const ListEntry& entry : *entries)
        console::printColumns(QStringList{QString::number(entry.recordNumber)} + listLineColumns(entry.text));
    return console::exitDone;
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("list"),
    .synopsis = QStringLiteral("List contacts as the contact list window shows them"),
    .usage = QStringLiteral("FILE [--search FIELD=TEXT] [--sort first|last]"),
    .description = QStringLiteral("Prints the list lines in list order, each prefixed by its record number and a tab:\n"
                                  "name, city, state, zip, home phone, cell phone and e-mail, tab-separated.\n"),
    .options = listOptions(),
    .arguments = {QStringLiteral("FILE")},
    .run = runList,
}};

} // namespace
} // namespace quillet::cli
