#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/ContactOptions.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"
#include "core/editing/ContactDeletion.h"

namespace quillet::cli {
namespace {

// What the deletion saw under its lock, before it wrote anything.
struct Seen
{
    int count = 0;
    ContactRecord record;
    bool otherContact = false;
};

int runDelete(const QCommandLineParser& args)
{
    const QString path = args.positionalArguments().at(0);
    const Result<int> number = recordNumberValue(args.positionalArguments().at(1));
    if (!number)
        return usageError(number.error());
    if (!args.isSet(QStringLiteral("yes")))
        return console::usageError(QStringLiteral("deleting a contact needs --yes"));
    ContactsFile file;
    if (const int opened = openAtRecord(path, *number, file); opened != console::exitDone)
        return opened;
    file.setSplittingLinksAllowed(args.isSet(QStringLiteral("force")));
    // The count, the contact and --if-name are taken under the deletion's own lock:
    // another program's deletion cannot move a different contact into place between
    // the check and the removal.
    Seen seen;
    const Status deleted = deleteRecord(file, *number, [&](DeletionStep step) {
        if (step != DeletionStep::OpenTemporary)
            return Status::success();
        seen.count = file.count();
        const Result<QByteArray> bytes = file.readBytes(*number);
        if (!bytes)
            return bytes.status();
        seen.record = ContactRecord::fromBytes(*bytes);
        seen.otherContact = !isNamedContact(args, seen.record);
        return seen.otherContact ? Status(AppError{}) : Status::success(); // stops before anything is written
    });
    if (seen.otherContact)
        return reportOtherContact(*number, seen.record);
    if (!deleted)
        return rewriteError(QStringLiteral("cannot delete from contacts file"), path, deleted.error());
    const QString name = contactName(seen.record);
    console::printLine(QStringLiteral("Deleted record %1 of %2").arg(*number).arg(seen.count) +
                       (name.isEmpty() ? QString() : QStringLiteral(": ") + name));
    return console::exitDone;
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("delete"),
    .synopsis = QStringLiteral("Delete a contact"),
    .usage = QStringLiteral("FILE N --yes [--if-name \"FIRST LAST\"] [--force]"),
    .description =
        QStringLiteral("Removes record N (from 1); the records after it move down by one. The shortened\n"
                       "file replaces the old one in a single step, so a failure leaves the file as it was.\n"
                       "Prints \"Deleted record N of COUNT: FIRST LAST\", the count and the contact as they\n"
                       "were when the file was locked for the deletion. Scripts that delete by position\n"
                       "give --if-name, so that a contact another program moved into place is kept.\n"),
    .options = {{{QStringLiteral("y"), QStringLiteral("yes")}, QStringLiteral("really delete (required)")},
                ifNameOption(),
                {{QStringLiteral("f"), QStringLiteral("force")},
                 QStringLiteral("rewrite a file that has other names (hard links) too; the\n"
                                "other names keep the old contents")}},
    .arguments = {QStringLiteral("FILE"), QStringLiteral("N")},
    .run = runDelete,
}};

} // namespace
} // namespace quillet::cli
