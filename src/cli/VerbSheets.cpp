#include "cli/PrintOutput.h"
#include "cli/Verb.h"
#include "core/printing/SheetCatalogue.h"

#include <QTextStream>

namespace quillet::cli {
namespace {

const QString verbName = QStringLiteral("sheets");

int runSheets(const QStringList& args)
{
    for (const QString& arg : args)
        if (arg.startsWith(QLatin1String("--")))
            return reportUsageError(verbName, QStringLiteral("unknown option %1").arg(arg));
    const SheetCatalogue& catalogue = SheetCatalogue::system();
    if (!catalogue.found())
        QTextStream(stderr) << "The label sheet catalogue was not found; only the built-in sheet is listed.\n";
    QTextStream out(stdout);
    for (const SheetTemplate* sheet : catalogue.search(args.join(QLatin1Char(' '))))
        out << sheet->name() << "  " << sheet->description << "  " << sheet->labelSizeText() << "  "
            << sheet->arrangementText() << "  " << sheet->paper.name << '\n';
    return 0;
}

const VerbRegistration registration{Verb{
    verbName,
    QStringLiteral("List the label sheets list labels can be printed on"),
    QStringLiteral("Usage: quillet-cli sheets [TEXT]\n"
                   "Lists the label sheet products, one a line: brand and part, description, label\n"
                   "size, labels across x down, paper. With TEXT, only the products whose brand, part,\n"
                   "description, size or paper contain every word of it (any case).\n"
                   "The products come from the label template catalogue (Debian package glabels-data)\n"
                   "and from ~/.config/libglabels/templates and the program folder's templates folder.\n"),
    runSheets,
}};

} // namespace
} // namespace quillet::cli
