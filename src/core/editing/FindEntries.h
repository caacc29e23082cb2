#pragma once

#include "core/common/AppError.h"
#include "core/common/Result.h"

#include <QList>
#include <QString>

namespace quillet {

class ContactsFile;

// One entry of the Contact Information window's find box: "First MI Last" (two
// spaces between the names when there is no initial) and its record number.
struct FindEntry
{
    QString text;
    int record = 0;
    bool operator==(const FindEntry&) const = default;
};

// Every record from 1 to the record count, in alphabetical order of the entries
// (case ignored; equal entries in record order). The deletion marker is not tested.
// A file of more than maxRecordsInMemory records gives "Out of memory"; a read that
// fails gives its error, and no entries either way.
Result<QList<FindEntry>> findEntries(const ContactsFile& file);

} // namespace quillet
