#pragma once

#include <QString>

#include <array>
#include <optional>

namespace quillet {

// The seventeen data fields of a contact, in their order in the record.
enum class Field {
    FirstName,
    MI,
    LastName,
    Street1,
    Street2,
    City,
    State,
    Zip,
    Country,
    HomePhone,
    CellPhone,
    WorkPhone,
    Email,
    Birthdate, // stored form YYYYMMDD, or spaces
    Category,
    Notes,
    ReminderFlag
};
inline constexpr int fieldCount = 17;
inline constexpr int recordSize = 400;

inline constexpr std::array<Field, fieldCount> allFields{
    Field::FirstName, Field::MI,        Field::LastName, Field::Street1,   Field::Street2,     Field::City,
    Field::State,     Field::Zip,       Field::Country,  Field::HomePhone, Field::CellPhone,   Field::WorkPhone,
    Field::Email,     Field::Birthdate, Field::Category, Field::Notes,     Field::ReminderFlag};

struct FieldLayout
{
    int offset;
    int width;
};

// Everything the program knows about one field, in one row: the record codec, the
// contact windows, their checks, the command line, the export and the list search
// all read it. A new use of the fields (import column names, vCard properties)
// adds a member here rather than a list of its own. Absent texts are empty.
struct FieldInfo
{
    Field field;
    const char* name; // the record member ("FirstName")
    FieldLayout layout;
    // Place in the contact windows' focus order (Birthdate follows Country there);
    // -1 for a field the windows do not show.
    int focusPosition;
    const char* objectName;   // the windows' text box ("txtACFName")
    const char* caption;      // its label caption without the colon ("First Name")
    const char* cliOption;    // the option of add and edit ("--first")
    const char* exportHeader; // the column's name in an export file ("First Name")
    const char* searchKey;    // the list search's name for it ("first")
    // Save refuses a longer text; where checked, the limit is the stored width.
    bool lengthChecked;

    std::optional<int> lengthLimit() const { return lengthChecked ? std::optional<int>(layout.width) : std::nullopt; }
};

// The catalogue, indexed by Field.
const std::array<FieldInfo, fieldCount>& fieldCatalogue();
const FieldInfo& fieldInfo(Field field);

FieldLayout fieldLayout(Field field);
// The member's name as the record layout gives it ("FirstName", "MI", ...).
QString fieldName(Field field);

} // namespace quillet
