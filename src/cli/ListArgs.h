#pragma once

#include "cli/CliSupport.h"
#include "core/common/Result.h"
#include "core/list/ListSearch.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace quillet::cli {

// --search FIELD=TEXT and --sort first|last: which contacts the list, labels and
// report verbs take, and in which order.
QList<QCommandLineOption> listOptions();
// Reads them; the usage error when one is malformed.
Result<ListQuery> listQueryFromArgs(const QCommandLineParser& args);

// Opens the file and gives its list lines as the window would list them; on a
// failure prints why and gives nothing.
std::optional<std::vector<ListEntry>> loadListFor(const QString& path, const ListQuery& query, ContactsFile& file);

// The same for a print job, which keeps of each contact only what it needs until
// the pages read it again (listLabels, listReport).
template <typename Listed>
std::optional<Listed> listFor(const QString& path, ContactsFile& file,
                              const std::function<Result<Listed>(const ContactsFile&)>& list)
{
    if (!openContactsFile(file, path, OpenMode::ExistingOnly))
        return std::nullopt;
    Result<Listed> listed = list(file);
    if (!listed) {
        fileError(QStringLiteral("cannot read contacts file"), path, listed.error());
        return std::nullopt;
    }
    return std::move(*listed);
}

} // namespace quillet::cli
