#include "cli/CliSupport.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"

namespace quillet::cli {
namespace {

int runNew(const QStringList& args)
{
    QString error;
    const std::optional<ParsedArgs> parsed = parseArgs(args, {}, {}, 1, 1, &error);
    if (!parsed)
        return usageError(QStringLiteral("new"), error);
    const QString path = parsed->positional.first();
    ContactsFile file;
    // As File > New: an existing file opens unchanged, a missing one is created empty.
    if (!openContactsFile(file, path, OpenMode::CreateIfMissing))
        return 1;
    printLine(QStringLiteral("%1: %2 records").arg(path).arg(file.count()));
    return 0;
}

const VerbRegistration registration{Verb{
    QStringLiteral("new"),
    QStringLiteral("Create a contacts file (an existing one is left as it is)"),
    QStringLiteral("Usage: quillet-cli new FILE\n"
                   "Creates an empty contacts file, as File > New does. An existing file is opened\n"
                   "unchanged. Prints the file's record count.\n"),
    runNew,
}};

} // namespace
} // namespace quillet::cli
