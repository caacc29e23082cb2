#pragma once

#include "core/exchange/ImportedContact.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace quillet {

// What one column of a name-matched CSV file fills.
enum class ImportField {
    Ignore,
    First,
    MI, // a middle name or initial: its first letter is kept
    Last,
    Name, // a whole name, split when there is no first or last name
    Company,
    Street,
    Street2,
    City,
    State,
    Zip,
    Country,
    Home,
    Cell,
    Work,
    Email,
    Birthdate,
    Category,
    Notes,
    // Only the dictionary gives these: a phone, e-mail or address whose type stands
    // in another column of the same group, and a birthday in three columns.
    Phone,
    PhoneType,
    EmailType,
    AddressType,
    BirthYear,
    BirthMonth,
    BirthDay,
    PoBox,
    FormattedAddress, // a whole address in one column, used when its street columns are empty
};

struct ColumnTarget
{
    ImportField field = ImportField::Ignore;
    // Columns of one address, phone or e-mail share a group: an export's numbered
    // columns, or its home (1), business (2) and other (3) addresses.
    int group = 0;
    bool operator==(const ColumnTarget&) const = default;
};
using ColumnMapping = std::vector<ColumnTarget>;
// The groups of the named home and business address columns; the home one is chosen first.
inline constexpr int homeAddressGroup = 1;
inline constexpr int businessAddressGroup = 2;

// The dictionary's target for a header, matched case-insensitively with the
// surrounding spaces ignored; Ignore when it knows the header not.
ColumnTarget suggestedTarget(const QString& header);
ColumnMapping suggestMapping(const QStringList& headers);
// Whether a header the user names (--map "HEADER=FIELD") is the file's column
// `column`: spaces around it and case do not count.
bool sameColumnHeader(const QString& column, const QString& named);

// The words a user maps with ("first", "mi", ..., "ignore"), and back.
QString fieldKeyword(ImportField field);
// What the import window calls a field: the Add Contact caption ("Middle Initial",
// "Additional Street Info/Apt"), or for the other targets a name of their own.
QString fieldCaption(ImportField field);
std::optional<ImportField> fieldFromKeyword(const QString& keyword);
// The fields a user can choose, in the order the window offers them.
const std::vector<ImportField>& choosableFields();

// Whether a column gives a name (first, last, whole name or company) or an e-mail.
bool hasNameOrEmail(const ColumnMapping& mapping);
// How many of first name, last name, street, city, state, ZIP and e-mail the
// mapping fills (a whole name gives first and last, a company the last name).
int keyFieldCount(const ColumnMapping& mapping);
// "First Name → first, E-mail 1 - Value → email (group 1), …" for the columns used.
QString mappingDescription(const QStringList& headers, const ColumnMapping& mapping);

// The contact one line gives under the mapping (in ColumnRows.cpp).
ImportedContact importedFromRow(const ColumnMapping& mapping, const QStringList& row);

} // namespace quillet
