#include "cli/ListArgs.h"
#include "cli/Verb.h"
#include "core/contacts/ContactsFile.h"
#include "core/contacts/ContactsFileNames.h"
#include "core/list/ListReport.h"
#include "core/printing/GridDocument.h"
#include "core/printing/PrintRunner.h"

#include <QFileInfo>

namespace quillet::cli {
namespace {

const QString verbName = QStringLiteral("report");

int runReport(const QStringList& args)
{
    const std::optional<ListCommand> command = parseListCommand(verbName, args, true);
    if (!command)
        return 1;
    ContactsFile file;
    const std::optional<std::vector<ListEntry>> entries = loadListFor(*command, file);
    if (!entries)
        return 1;
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(entries->size()));
    for (const ListEntry& entry : *entries)
        lines << entry.text;
    const QString title = contactsFileTitle(QFileInfo(command->path).fileName());
    return command->output.run([&](const PrintChoice& choice, PrintTarget& target) {
        if (Status checked = checkReportLines(lines); !checked)
            return checked;
        return printStreamCopies([&](int) { return reportStream(lines, title); }, choice, target);
    });
}

const VerbRegistration registration{Verb{
    verbName,
    QStringLiteral("Print the contact list as a report"),
    QStringLiteral("Usage: quillet-cli report FILE [--search FIELD=TEXT] [--sort first|last]\n"
                   "                          (--printer NAME | --pdf FILE | --grid)\n"
                   "Prints the list in landscape: the title, the file's name, a column header and one\n"
                   "line per listed contact.\n") +
        listOptionsHelp() + PrintOutput::helpText(),
    runReport,
}};

} // namespace
} // namespace quillet::cli
