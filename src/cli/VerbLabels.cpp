#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/ListArgs.h"
#include "cli/OptionValues.h"
#include "cli/PrintOutput.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"
#include "core/contacts/ContactsFileNames.h"
#include "core/list/ListOrder.h"
#include "core/list/SheetLabels.h"
#include "core/printing/JobTitle.h"
#include "core/printing/PrintRunner.h"
#include "core/printing/SheetCatalogue.h"

#include <QFileInfo>

namespace quillet::cli {
namespace {

constexpr QLatin1String sheetName("sheet");
constexpr QLatin1String startName("start");
constexpr QLatin1String fitName("fit");

struct SheetChoice
{
    SheetTemplate sheet;
    int start = 1;
    bool fit = false;
};

Result<SheetTemplate> sheetFromArgs(const QCommandLineParser& args, PrintOutput::Destination destination)
{
    if (!args.isSet(sheetName))
        return builtInSheet();
    const Result<QString> name = nameValue(QStringLiteral("--sheet"), args.value(sheetName));
    if (!name)
        return name.status();
    const SheetTemplate* found = labelSheetCatalogue().find(*name);
    if (!found)
        return usageProblem(
            QStringLiteral("--sheet: no label sheet named '%1'; 'quillet-cli sheets' lists them").arg(*name));
    if (!found->builtIn && destination == PrintOutput::Destination::Grid)
        return usageProblem(
            QStringLiteral("--grid shows the built-in sheet only; write --pdf FILE for '%1'").arg(found->name()));
    return *found;
}

// The sheet and start position asked for, or the usage error.
Result<SheetChoice> sheetChoiceFromArgs(const QCommandLineParser& args, PrintOutput::Destination destination)
{
    const Result<SheetTemplate> sheet = sheetFromArgs(args, destination);
    if (!sheet)
        return sheet.status();
    SheetChoice choice{*sheet, 1, args.isSet(fitName)};
    if (args.isSet(startName)) {
        const Result<int> start = startValue(args.value(startName), choice.sheet.labelCount());
        if (!start)
            return start.status();
        choice.start = *start;
    }
    return choice;
}

int printLabels(const PrintOutput& output, ContactsFile& file, ListedLabels listed, const SheetChoice& choice,
                const QString& title)
{
    const QString jobName = jobTitle(QStringLiteral("Labels"), title, listed.contacts.size());
    return output.run([&](const PrintChoice& printChoice, PrintTarget& target) {
        ListLabelsJob job = prepareListLabels(file, std::move(listed), choice.sheet, choice.start);
        // Long lines print on as the window's "Print anyway" would, unless --fit asks
        // for one size fitted to the labels.
        if (const std::optional<LongLines> found = job.longLines()) {
            if (choice.fit)
                job.fitToLabels();
            else
                console::error(longLinesWarning(*found));
        }
        if (job.cut())
            console::error(sheetLabelsCutWarning());
        return printStreamCopies([&job](int) { return job.stream(); }, printChoice, target, jobName);
    });
}

int runLabels(const QCommandLineParser& args)
{
    const Result<ListQuery> query = listQueryFromArgs(args);
    if (!query)
        return usageError(query.error());
    const Result<PrintOutput> output = PrintOutput::fromArgs(args, PrintOutput::Offset::Accepted);
    if (!output)
        return usageError(output.error());
    const Result<SheetChoice> choice = sheetChoiceFromArgs(args, output->destination());
    if (!choice)
        return usageError(choice.error());
    // A job that would print nothing fails instead of writing an empty document.
    if (!choice->sheet.builtIn && !labelsHoldText(choice->sheet))
        return reportRejection(PrintRejection{labelsHoldNoTextText, QStringLiteral("Print labels")});
    ContactsFile file;
    std::optional<ListedLabels> listed =
        listFor<ListedLabels>(args.positionalArguments().at(0), file, [&query](const ContactsFile& contacts) {
            return listLabels(contacts, *query, ListOrder());
        });
    if (!listed)
        return console::exitFailed;
    if (listed->contacts.isEmpty())
        return reportRejection(
            PrintRejection{QStringLiteral("Empty list, no labels to print."), QStringLiteral("No contacts found")});
    const QString path = args.positionalArguments().at(0);
    return printLabels(*output, file, std::move(*listed), *choice, contactsFileTitle(QFileInfo(path).fileName()));
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("labels"),
    .synopsis = QStringLiteral("Print a mailing label for every listed contact"),
    .usage = QStringLiteral("FILE [--search FIELD=TEXT] [--sort first|last] [--copies K]\n"
                            "                          [--sheet \"BRAND PART\"] [--start N] [--fit] [--offset X,Y]\n"
                            "                          (--printer NAME | --pdf FILE | --grid)"),
    .description = QStringLiteral("Prints one label per contact of the list, in list order, on sheets of 30 labels\n"
                                  "(three across, ten down) from the first label of the first sheet, or on the sheet\n"
                                  "given with --sheet (--grid shows the built-in sheet only).\n"),
    .options =
        listOptions() + PrintOutput::options(PrintOutput::Offset::Accepted) +
        QList<QCommandLineOption>{
            {sheetName,
             QStringLiteral("a label sheet of the catalogue ('quillet-cli sheets'),\n"
                            "for example \"Avery L7160\""),
             QStringLiteral("\"BRAND PART\"")},
            {startName, QStringLiteral("the first contact goes on label N of the first sheet"), QStringLiteral("N")},
            {fitName, QStringLiteral("when lines are longer than the built-in sheet's labels, fit one\n"
                                     "size to the labels instead of letting them run on")}},
    .arguments = {QStringLiteral("FILE")},
    .run = runLabels,
}};

} // namespace
} // namespace quillet::cli
