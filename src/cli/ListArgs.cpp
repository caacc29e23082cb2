#include "cli/ListArgs.h"

#include "cli/CliSupport.h"
#include "cli/OptionValues.h"
#include "core/contacts/ContactsFile.h"
#include "core/list/ListOrder.h"

namespace quillet::cli {

namespace {

// Constant: verbs declare their options during static initialisation.
constexpr QLatin1String searchName("search");
constexpr QLatin1String sortName("sort");

QString searchFieldNames()
{
    QStringList names;
    for (const SearchFieldInfo& info : searchFields())
        names << info.name;
    return names.join(QStringLiteral(", "));
}

// FIELD=TEXT; the text may be empty (it then finds every non-blank field).
Status readSearch(const QString& value, ListQuery& query)
{
    const qsizetype equals = value.indexOf(QLatin1Char('='));
    const std::optional<SearchField> field = searchFieldNamed(equals < 0 ? value : value.left(equals));
    if (equals < 0 || !field)
        return usageProblem(QStringLiteral("--search takes FIELD=TEXT with FIELD one of %1").arg(searchFieldNames()));
    query.field = *field;
    query.text = value.mid(equals + 1);
    return {};
}

Status readSort(const QString& value, ListQuery& query)
{
    if (value == QLatin1String("first"))
        query.order = SortOrder::FirstName;
    else if (value == QLatin1String("last"))
        query.order = SortOrder::LastName;
    else
        return usageProblem(QStringLiteral("--sort takes first or last"));
    return {};
}

} // namespace

QList<QCommandLineOption> listOptions()
{
    return {
        {{QStringLiteral("s"), searchName},
         QStringLiteral("only contacts whose FIELD contains TEXT, ignoring case except\n"
                        "for zip; an empty TEXT finds every contact whose FIELD is not\n"
                        "blank. FIELD is one of %1")
             .arg(searchFieldNames()),
         QStringLiteral("FIELD=TEXT")},
        {sortName, QStringLiteral("lines begin with the first name (default) or the last name"),
         QStringLiteral("first|last")},
    };
}

Result<ListQuery> listQueryFromArgs(const QCommandLineParser& args)
{
    ListQuery query;
    if (args.isSet(searchName)) {
        if (Status read = readSearch(args.value(searchName), query); !read)
            return read;
    }
    if (args.isSet(sortName)) {
        if (Status read = readSort(args.value(sortName), query); !read)
            return read;
    }
    return query;
}

std::optional<std::vector<ListEntry>> loadListFor(const QString& path, const ListQuery& query, ContactsFile& file)
{
    if (!openContactsFile(file, path, OpenMode::ExistingOnly))
        return std::nullopt;
    Partial<std::vector<ListEntry>> entries = loadList(file, query, ListOrder());
    if (!entries.complete()) {
        fileError(QStringLiteral("cannot read contacts file"), path, entries.stoppedBy.error());
        return std::nullopt;
    }
    return std::move(entries.value);
}

} // namespace quillet::cli
