#pragma once

#include "core/common/AppError.h"
#include "core/exchange/ImportLayout.h"

#include <QString>
#include <QStringView>

namespace quillet {

// The classic layout that keeps a CSV file, None when the file is to be matched
// by name. A layout keeps it when all four hold:
// - its header test holds (a name list with an e-mail column, a mail list that can be cut);
// - no data line is short for it (the classic reading would stop with "Subscript out of range");
// - no quoted field holds the separator or a line break (the classic split would shift columns);
// - of first name, last name, street, city, state, ZIP and e-mail it takes at least as
//   many as matching by name finds in the columns the layout reads.
// A failure to open or to read the header (or a mail list header without "First Name,") is returned.
Status classicLayoutFor(const QString& path, QStringView text, ImportLayout& layout);

} // namespace quillet
