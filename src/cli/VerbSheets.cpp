#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/Verb.h"
#include "core/printing/SheetCatalogue.h"

namespace quillet::cli {
namespace {

int runSheets(const QCommandLineParser& args)
{
    const SheetCatalogue& catalogue = labelSheetCatalogue();
    if (!catalogue.found())
        console::error(QStringLiteral("The label sheet catalogue was not found; only the built-in sheet is listed."));
    for (const SheetTemplate* sheet : catalogue.search(args.positionalArguments().join(QLatin1Char(' ')))) {
        console::printLine(QStringList{sheet->name(), sheet->description, sheet->labelSizeText(),
                                       sheet->arrangementText(), sheet->paper.name}
                               .join(QStringLiteral("  ")));
    }
    return console::exitDone;
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("sheets"),
    .synopsis = QStringLiteral("List the label sheets list labels can be printed on"),
    .usage = QStringLiteral("[TEXT]"),
    .description =
        QStringLiteral("Lists the label sheet products, one a line: brand and part, description, label\n"
                       "size, labels across x down, paper. With TEXT, only the products whose brand, part,\n"
                       "description, size or paper contain every word of it (any case).\n"
                       "The products come from the label template catalogue (Debian package glabels-data)\n"
                       "and from ~/.config/libglabels/templates and the program folder's templates folder.\n"),
    .options = {},
    .arguments = {},
    .maxArguments = unlimitedArguments,
    .run = runSheets,
}};

} // namespace
} // namespace quillet::cli
