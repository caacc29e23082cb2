#include "cli/ListArgs.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"
#include "core/list/SheetLabels.h"
#include "core/printing/PrintRunner.h"
#include "core/printing/SheetCatalogue.h"

#include <QTextStream>

namespace quillet::cli {
namespace {

const QString verbName = QStringLiteral("labels");

struct SheetOptions
{
    QString sheet;
    QString start;
    bool fit = false;
};

VerbOptionTaker sheetOptionTaker(SheetOptions& options)
{
    return [&options](const QStringList& args, qsizetype& index, QString& error) {
        if (args[index] == QLatin1String("--fit")) {
            options.fit = true;
            ++index;
            return true;
        }
        for (auto [name, value] : {std::pair{QStringLiteral("--sheet"), &options.sheet},
                                   std::pair{QStringLiteral("--start"), &options.start}}) {
            if (const std::optional<QString> taken = takeOptionValue(name, args, index, error)) {
                *value = *taken;
                return true;
            }
            if (!error.isEmpty())
                return true;
        }
        return false;
    };
}

// The sheet and start position asked for, or the usage error.
QString resolveSheet(const SheetOptions& options, const ListCommand& command, SheetTemplate& sheet, int& start)
{
    sheet = builtInSheet();
    if (!options.sheet.isEmpty()) {
        const SheetTemplate* found = SheetCatalogue::system().find(options.sheet);
        if (!found)
            return QStringLiteral("no label sheet named '%1'; 'quillet-cli sheets' lists them").arg(options.sheet);
        sheet = *found;
    }
    if (!sheet.builtIn && command.output.destination() == PrintOutput::Destination::Grid)
        return QStringLiteral("--grid shows the built-in sheet only; write --pdf FILE for '%1'").arg(sheet.name());
    bool ok = true;
    start = options.start.isEmpty() ? 1 : options.start.toInt(&ok);
    if (!ok || start < 1 || start > sheet.labelCount())
        return QStringLiteral("--start takes a label position from 1 to %1").arg(sheet.labelCount());
    return {};
}

int runLabels(const QStringList& args)
{
    SheetOptions options;
    const std::optional<ListCommand> command = parseListCommand(verbName, args, true, sheetOptionTaker(options), true);
    if (!command)
        return 1;
    SheetTemplate sheet;
    int start = 1;
    if (const QString error = resolveSheet(options, *command, sheet, start); !error.isEmpty())
        return reportUsageError(verbName, error);
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
        Result<ListLabelsJob> prepared = prepareListLabels(file, numbers, sheet, start);
        if (!prepared)
            return prepared.status();
        ListLabelsJob job = std::move(*prepared);
        if (const std::optional<LongLines> found = job.longLines()) {
            if (options.fit)
                job.fitToLabels();
            else
                QTextStream(stderr) << longLinesWarning(*found) << '\n';
        }
        if (job.cut())
            QTextStream(stderr) << sheetLabelsCutWarning() << '\n';
        return printStreamCopies([&job](int) { return job.stream(); }, choice, target);
    });
}

const VerbRegistration registration{Verb{
    verbName,
    QStringLiteral("Print a mailing label for every listed contact"),
    QStringLiteral("Usage: quillet-cli labels FILE [--search FIELD=TEXT] [--sort first|last] [--copies K]\n"
                   "                          [--sheet \"BRAND PART\"] [--start N] [--fit] [--offset X,Y]\n"
                   "                          (--printer NAME | --pdf FILE | --grid)\n"
                   "Prints one label per contact of the list, in list order, on sheets of 30 labels\n"
                   "(three across, ten down) from the first label of the first sheet, or on the sheet\n"
                   "given with --sheet (--grid shows the built-in sheet only).\n") +
        listOptionsHelp() +
        QStringLiteral("  --sheet \"BRAND PART\"  a label sheet of the catalogue ('quillet-cli sheets'),\n"
                       "                       for example \"Avery L7160\"\n"
                       "  --start N            the first contact goes on label N of the first sheet\n"
                       "  --fit                when lines are longer than the built-in sheet's labels, fit\n"
                       "                       one size to the labels instead of letting them run on\n") +
        PrintOutput::helpText() + PrintOutput::offsetHelpText(),
    runLabels,
}};

} // namespace
} // namespace quillet::cli
