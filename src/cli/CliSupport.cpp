#include "cli/CliSupport.h"

#include "core/contacts/ContactsFile.h"

#include <QTextStream>

namespace quillet::cli {

std::optional<ParsedArgs> parseArgs(const QStringList& args, const QStringList& switches,
                                    const QStringList& valueOptions, int minPositional, int maxPositional,
                                    QString* error)
{
    ParsedArgs parsed;
    auto failWith = [&](const QString& message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (optionsEnded || !arg.startsWith(QLatin1String("--")) || arg.size() == 2) {
            if (arg == QLatin1String("--") && !optionsEnded)
                optionsEnded = true;
            else
                parsed.positional.append(arg);
            continue;
        }
        const qsizetype equals = arg.indexOf(u'=');
        const QString name = equals < 0 ? arg : arg.left(equals);
        if (switches.contains(name) && equals < 0) {
            parsed.switches.insert(name);
        } else if (valueOptions.contains(name)) {
            if (equals >= 0)
                parsed.values.insert(name, arg.mid(equals + 1));
            else if (i + 1 < args.size())
                parsed.values.insert(name, args.at(++i));
            else
                return failWith(QStringLiteral("option %1 needs a value").arg(name));
        } else {
            return failWith(QStringLiteral("unknown option %1").arg(arg));
        }
    }
    if (parsed.positional.size() < minPositional)
        return failWith(QStringLiteral("missing argument"));
    if (parsed.positional.size() > maxPositional)
        return failWith(QStringLiteral("unexpected argument '%1'").arg(parsed.positional.at(maxPositional)));
    return parsed;
}

void printLine(const QString& text)
{
    QTextStream out(stdout);
    out << text << '\n';
}

void printError(const QString& text)
{
    QTextStream err(stderr);
    err << "quillet-cli: " << text << '\n';
}

int usageError(const QString& verb, const QString& message)
{
    printError(QStringLiteral("%1: %2. Run 'quillet-cli %1 --help'.").arg(verb, message));
    return 1;
}

int fileError(const QString& what, const QString& path, const AppError& error)
{
    printError(QStringLiteral("%1 '%2': %3 (error %4)").arg(what, path, error.description).arg(error.number));
    return 1;
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

int rewriteError(const QString& what, const QString& path, const AppError& error)
{
    fileError(what, path, error);
    if (error.number == errors::fileHasLinks().number && error.description == errors::fileHasLinks().description)
        printError(QStringLiteral("add --force to rewrite it anyway; the other names keep the old contents"));
    return 1;
}

std::optional<int> parseRecordNumber(const QString& text)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < 1)
        return std::nullopt;
    return number;
}

std::optional<int> openAtRecord(const QString& verb, const QString& path, const QString& numberText, ContactsFile& file)
{
    const std::optional<int> number = parseRecordNumber(numberText);
    if (!number) {
        usageError(verb, QStringLiteral("'%1' is not a record number").arg(numberText));
        return std::nullopt;
    }
    if (!openContactsFile(file, path, OpenMode::ExistingOnly))
        return std::nullopt;
    if (*number > file.count()) {
        printError(
            QStringLiteral("'%1' has %2 records; there is no record %3").arg(path).arg(file.count()).arg(*number));
        return std::nullopt;
    }
    return number;
}

} // namespace quillet::cli
