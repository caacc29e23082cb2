#include "cli/ListArgs.h"

#include "cli/CliSupport.h"
#include "core/contacts/ContactsFile.h"
#include "core/list/ListOrder.h"

namespace quillet::cli {

namespace {

// FIELD=TEXT; the text may be empty (it then finds every non-blank field).
bool parseSearch(const QString& value, ListQuery& query, QString& error)
{
    const qsizetype equals = value.indexOf(QLatin1Char('='));
    const std::optional<SearchField> field = searchFieldNamed(equals < 0 ? value : value.left(equals));
    if (equals < 0 || !field) {
        error = QStringLiteral("--search takes FIELD=TEXT with FIELD one of first, last, city, state, zip, "
                               "email, category");
        return false;
    }
    query.field = *field;
    query.text = value.mid(equals + 1);
    return true;
}

bool parseSort(const QString& value, ListQuery& query, QString& error)
{
    if (value == QLatin1String("first"))
        query.order = SortOrder::FirstName;
    else if (value == QLatin1String("last"))
        query.order = SortOrder::LastName;
    else
        error = QStringLiteral("--sort takes first or last");
    return error.isEmpty();
}

} // namespace

std::optional<QString> takeOptionValue(const QString& name, const QStringList& args, qsizetype& index, QString& error)
{
    const QString& arg = args.at(index);
    if (arg.startsWith(name + QLatin1Char('='))) {
        ++index;
        return arg.mid(name.size() + 1);
    }
    if (arg != name)
        return std::nullopt;
    if (index + 1 >= args.size()) {
        error = QStringLiteral("option %1 needs a value").arg(name);
        return std::nullopt;
    }
    index += 2;
    return args.at(index - 1);
}

namespace {

bool takeListOption(const QStringList& args, qsizetype& index, ListQuery& query, QString& error)
{
    if (const auto search = takeOptionValue(QStringLiteral("--search"), args, index, error))
        return parseSearch(*search, query, error);
    if (!error.isEmpty())
        return false;
    if (const auto sort = takeOptionValue(QStringLiteral("--sort"), args, index, error))
        return parseSort(*sort, query, error);
    return false;
}

} // namespace

std::optional<ListCommand> parseListCommand(const QString& verb, const QStringList& args, bool printing,
                                            const VerbOptionTaker& own, bool offset)
{
    ListCommand command;
    if (offset)
        command.output.acceptOffset();
    QStringList positional;
    QString error;
    for (qsizetype index = 0; index < args.size() && error.isEmpty();) {
        if (printing && command.output.take(args, index, error))
            continue;
        if (error.isEmpty() && takeListOption(args, index, command.query, error))
            continue;
        if (error.isEmpty() && own && own(args, index, error))
            continue;
        if (!error.isEmpty())
            break;
        const QString& arg = args.at(index++);
        if (arg.startsWith(QLatin1String("--")))
            error = QStringLiteral("unknown option %1").arg(arg);
        else
            positional << arg;
    }
    if (error.isEmpty() && positional.size() != 1)
        error = positional.isEmpty() ? QStringLiteral("missing argument")
                                     : QStringLiteral("unexpected argument '%1'").arg(positional.at(1));
    if (error.isEmpty() && printing)
        error = command.output.validate();
    if (!error.isEmpty()) {
        usageError(verb, error);
        return std::nullopt;
    }
    command.path = positional.first();
    return command;
}

std::optional<std::vector<ListEntry>> loadListFor(const ListCommand& command, ContactsFile& file)
{
    if (!openContactsFile(file, command.path, OpenMode::ExistingOnly))
        return std::nullopt;
    std::vector<ListEntry> entries;
    if (Status status = loadList(file, command.query, ListOrder(), entries); !status) {
        fileError(QStringLiteral("cannot read contacts file"), command.path, status.error());
        return std::nullopt;
    }
    return entries;
}

QString listOptionsHelp()
{
    return QStringLiteral("  --search FIELD=TEXT  only contacts whose FIELD (first, last, city, state, zip,\n"
                          "                       email, category) contains TEXT, ignoring case except for\n"
                          "                       zip; an empty TEXT finds every contact whose FIELD is not blank\n"
                          "  --sort first|last    lines begin with the first name (default) or the last name\n");
}

} // namespace quillet::cli
