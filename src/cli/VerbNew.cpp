#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"

namespace quillet::cli {
namespace {

int runNew(const QCommandLineParser& args)
{
    const QString path = args.positionalArguments().at(0);
    ContactsFile file;
    // As File > New: an existing file opens unchanged, a missing one is created empty.
    if (!openContactsFile(file, path, OpenMode::CreateIfMissing))
        return console::exitFailed;
    console::printLine(QStringLiteral("%1: %2 records").arg(path).arg(file.count()));
    return console::exitDone;
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("new"),
    .synopsis = QStringLiteral("Create a contacts file (an existing one is left as it is)"),
    .usage = QStringLiteral("FILE"),
    .description = QStringLiteral("Creates an empty contacts file, as File > New does. An existing file is opened\n"
                                  "unchanged. Prints the file's record count.\n"),
    .options = {},
    .arguments = {QStringLiteral("FILE")},
    .run = runNew,
}};

} // namespace
} // namespace quillet::cli
