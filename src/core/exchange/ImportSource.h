#pragma once

#include "core/common/Result.h"
#include "core/exchange/ContactSpool.h"
#include "core/exchange/ImportRun.h"

#include <QString>

namespace quillet {

// An import source read to its end (or to a failure in it) before the contacts file
// is touched: the reading chosen, what it skipped, and its contacts, each with
// every value as the record will hold it (folded, without control characters, the
// phones fitted) and what the clean-up changed. Contacts without a name or e-mail
// are counted, not kept. A failure in the source is in summary.stoppedBy; the
// contacts before it are kept.
struct SourceContacts
{
    ImportSummary summary;
    ContactSpool contacts;
};
Result<SourceContacts> readSource(const QString& path, const ImportOptions& options);

// The reading of a file from its start (a few kilobytes decoded): vCard, LDIF, a
// classic layout (which reads the whole file to decide), or its columns matched by
// name, with the header and mapping; None when no column gives a name or e-mail.
Result<ImportSummary> chooseReading(const QString& path, QStringView start, const ImportOptions& options);

// How much of a file the choice of reading and the window's preview look at.
inline constexpr qint64 startBytes = 256 * 1024;

} // namespace quillet
