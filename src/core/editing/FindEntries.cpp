#include "core/editing/FindEntries.h"

#include "core/contacts/ContactsFile.h"

#include <algorithm>

namespace quillet {

Result<QList<FindEntry>> findEntries(const ContactsFile& file)
{
    QList<FindEntry> entries;
    if (file.count() > maxRecordsInMemory)
        return errors::outOfMemory();
    const Status read = file.forEach([&entries](int number, const ContactRecord& record) {
        const QString text = record.trimmed(Field::FirstName) + u' ' + record.trimmed(Field::MI) + u' ' +
                             record.trimmed(Field::LastName);
        entries.append(FindEntry{text, number});
        return true;
    });
    if (!read)
        return read;
    std::stable_sort(entries.begin(), entries.end(), [](const FindEntry& a, const FindEntry& b) {
        return QString::compare(a.text, b.text, Qt::CaseInsensitive) < 0;
    });
    return entries;
}

} // namespace quillet
