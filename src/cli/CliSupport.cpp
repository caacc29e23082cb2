#include "cli/CliSupport.h"

#include "cli/Console.h"
#include "cli/OptionValues.h"
#include "core/contacts/ContactsFile.h"
#include "core/printing/SheetCatalogue.h"

namespace quillet::cli {

int usageError(const AppError& problem)
{
    return console::usageError(problem.description);
}

namespace {

// The message for an error, with the window's question turned into a statement.
QString errorDescription(const AppError& error)
{
    if (error.description == recordChangedText)
        return QStringLiteral("The contact was changed by another program; nothing was written");
    return error.description;
}

} // namespace

int fileError(const QString& what, const QString& path, const AppError& error)
{
    return console::error(
        QStringLiteral("%1 '%2': %3 (error %4)").arg(what, path, errorDescription(error)).arg(error.number));
}

int rewriteError(const QString& what, const QString& path, const AppError& error)
{
    fileError(what, path, error);
    if (error.number == errors::fileHasLinks().number && error.description == errors::fileHasLinks().description)
        console::error(QStringLiteral("add --force to rewrite it anyway; the other names keep the old contents"));
    return console::exitFailed;
}

bool openContactsFile(ContactsFile& file, const QString& path, OpenMode mode)
{
    const Creation creation = mode == OpenMode::ExistingOnly ? Creation::ExistingOnly : Creation::CreateIfMissing;
    if (Status status = file.open(path, creation); !status) {
        fileError(mode == OpenMode::ExistingOnly ? QStringLiteral("cannot open contacts file")
                                                 : QStringLiteral("cannot open or create contacts file"),
                  path, status.error());
        return false;
    }
    return true;
}

Result<int> recordNumberValue(const QString& text)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < 1)
        return usageProblem(QStringLiteral("'%1' is not a record number").arg(text));
    return number;
}

int openAtRecord(const QString& path, int number, ContactsFile& file)
{
    if (!openContactsFile(file, path, OpenMode::ExistingOnly))
        return console::exitFailed;
    if (number > file.count())
        return console::error(
            QStringLiteral("'%1' has %2 records; there is no record %3").arg(path).arg(file.count()).arg(number));
    return console::exitDone;
}

const SheetCatalogue& labelSheetCatalogue()
{
    static const bool noted = [] {
        // The catalogue's own warnings are Qt messages, which the command line keeps
        // off standard error; its notes are said here instead.
        for (const QString& note : SheetCatalogue::system().notes())
            console::error(note);
        return true;
    }();
    Q_UNUSED(noted);
    return SheetCatalogue::system();
}

} // namespace quillet::cli
