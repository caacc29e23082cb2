#include "cli/CliSupport.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"
#include "core/editing/ContactDeletion.h"

namespace quillet::cli {
namespace {

int runDelete(const QStringList& args)
{
    const QString verb = QStringLiteral("delete");
    QString error;
    const std::optional<ParsedArgs> parsed =
        parseArgs(args, {QStringLiteral("--yes"), QStringLiteral("--force")}, {}, 2, 2, &error);
    if (!parsed)
        return usageError(verb, error);
    if (!parsed->has(QStringLiteral("--yes")))
        return usageError(verb, QStringLiteral("deleting a contact needs --yes"));
    const QString path = parsed->positional.at(0);
    ContactsFile file;
    const std::optional<int> number = openAtRecord(verb, path, parsed->positional.at(1), file);
    if (!number)
        return 1;
    file.setSplittingLinksAllowed(parsed->has(QStringLiteral("--force")));
    const int count = file.count();
    if (Status deleted = deleteRecord(file, *number); !deleted)
        return rewriteError(QStringLiteral("cannot delete from contacts file"), path, deleted.error());
    printLine(QStringLiteral("Deleted record %1 of %2").arg(*number).arg(count));
    return 0;
}

const VerbRegistration registration{Verb{
    QStringLiteral("delete"),
    QStringLiteral("Delete a contact"),
    QStringLiteral("Usage: quillet-cli delete FILE N --yes [--force]\n"
                   "Removes record N (from 1); the records after it move down by one. The shortened\n"
                   "file replaces the old one in a single step, so a failure leaves the file as it was.\n"
                   "A file with other names (hard links) is refused: the shortened file would take only\n"
                   "this name. --force rewrites it anyway.\n"),
    runDelete,
}};

} // namespace
} // namespace quillet::cli
