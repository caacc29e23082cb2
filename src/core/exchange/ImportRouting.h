#pragma once

#include "core/common/AppError.h"
#include "core/common/Result.h"
#include "core/exchange/ImportLayout.h"

#include <QString>
#include <QStringView>

namespace quillet {

// The classic layout that keeps a CSV file, None when the file is to be matched
// by name. `start` is the file's decoded beginning. A layout keeps it when all hold:
// - its header test holds (a name list with an e-mail column, a mail list that can be cut);
// - no data line is short for it (the classic reading would stop with "Subscript out of range");
// - no quoted field holds the separator or a line break (the classic split would shift columns);
// - of first name, last name, street, city, state, ZIP and e-mail it takes at least as
//   many as matching by name finds in the columns the layout reads;
// - it reads every column of the file that its table names (a cut header loses none);
// - it skips no line that matching by name would keep as a named contact.
// A failure to open or to read the header (or a mail list header without "First Name,") is returned.
Result<ImportLayout> classicLayoutFor(const QString& path, QStringView start);

} // namespace quillet
