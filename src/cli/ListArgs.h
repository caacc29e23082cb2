#pragma once

#include "core/common/Result.h"
#include "core/list/ListSearch.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

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

} // namespace quillet::cli
