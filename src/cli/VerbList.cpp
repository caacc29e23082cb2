#include "cli/ListArgs.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"

#include <QTextStream>

namespace quillet::cli {
namespace {

const QString verbName = QStringLiteral("list");

int runList(const QStringList& args)
{
    const std::optional<ListCommand> command = parseListCommand(verbName, args, false);
    if (!command)
        return 1;
    ContactsFile file;
    const std::optional<std::vector<ListEntry>> entries = loadListFor(*command, file);
    if (!entries)
        return 1;
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    for (const ListEntry& entry : *entries)
        out << entry.recordNumber << '\t' << entry.text << '\n';
    return 0;
}

const VerbRegistration registration{Verb{
    verbName,
    QStringLiteral("List contacts as the contact list window shows them"),
    QStringLiteral("Usage: quillet-cli list FILE [--search FIELD=TEXT] [--sort first|last]\n"
                   "Prints the list lines in list order, each prefixed by its record number and a tab:\n"
                   "name, city, state, zip, home phone, cell phone and e-mail, tab-separated.\n") +
        listOptionsHelp(),
    runList,
}};

} // namespace
} // namespace quillet::cli
