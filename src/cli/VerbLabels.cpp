#include "cli/ListArgs.h"
#include "cli/Verb.h"
#include "contacts/ContactsFile.h"
#include "list/ListLabels.h"
#include "printing/GridDocument.h"
#include "printing/PrintRunner.h"

namespace quillet::cli {
namespace {

const QString verbName = QStringLiteral("labels");

int runLabels(const QStringList& args)
{
    const std::optional<ListCommand> command = parseListCommand(verbName, args, true);
    if (!command)
        return 1;
    ContactsFile file;
    const std::optional<std::vector<ListEntry>> entries = loadListFor(*command, file);
    if (!entries)
        return 1;
    if (entries->empty())
        return reportRejection(
            PrintRejection{QStringLiteral("Empty list, no labels to print."), QStringLiteral("No contacts found")});
    QList<int> numbers;
    numbers.reserve(static_cast<qsizetype>(entries->size()));
    for (const ListEntry& entry : *entries)
        numbers << entry.recordNumber;
    return command->output.run([&](const PrintChoice& choice, PrintTarget& target) {
        GridDocument document;
        if (Status composed = composeListLabels(file, numbers, document); !composed)
            return composed;
        return printCopies(document, choice, target);
    });
}

const VerbRegistration registration{Verb{
    verbName,
    QStringLiteral("Print a mailing label for every listed contact"),
    QStringLiteral("Usage: quillet-cli labels FILE [--search FIELD=TEXT] [--sort first|last] [--copies K]\n"
                   "                          (--printer NAME | --pdf FILE | --grid)\n"
                   "Prints one label per contact of the list, in list order, on sheets of 30 labels\n"
                   "(three across, ten down) from the first label of the first sheet.\n") +
        listOptionsHelp() + PrintOutput::helpText(),
    runLabels,
}};

} // namespace
} // namespace quillet::cli
