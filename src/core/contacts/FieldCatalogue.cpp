#include "core/contacts/FieldCatalogue.h"

namespace quillet {

namespace {

using F = Field;

// A "|" follows every field but the last, and CR LF ends the record at bytes 398-399.
constexpr std::array<FieldInfo, fieldCount> catalogue{{
    // clang-format off
    // field          name            layout     focus objectName         caption                       option        export header   search      checked
    {F::FirstName,    "FirstName",    {0, 11},   0,  "txtACFName",      "First Name",                 "--first",     "First Name", "first",    true},
    {F::MI,           "MI",           {12, 1},   1,  "txtACMiddleInit", "Middle Initial",             "--mi",        "MI",         "",         true},
    {F::LastName,     "LastName",     {14, 16},  2,  "txtACLName",      "Last Name",                  "--last",      "Last Name",  "last",     true},
    {F::Street1,      "Street1",      {31, 30},  3,  "txtACFStreet",    "Street Address",             "--street",    "Street1",    "",         true},
    {F::Street2,      "Street2",      {62, 15},  4,  "txtACSStreet",    "Additional Street Info/Apt", "--street2",   "Street2",    "",         true},
    {F::City,         "City",         {78, 16},  5,  "txtACCity",       "City",                       "--city",      "City",       "city",     true},
    {F::State,        "State",        {95, 2},   6,  "txtACState",      "State",                      "--state",     "State",      "state",    true},
    {F::Zip,          "Zip",          {98, 10},  7,  "txtACZip",        "Zip Code",                   "--zip",       "Zip",        "zip",      true},
    {F::Country,      "Country",      {109, 19}, 8,  "txtACCountry",    "Country",                    "--country",   "Country",    "",         true},
    {F::HomePhone,    "HomePhone",    {129, 15}, 10, "txtACHPhone",     "Home Phone",                 "--home",      "Home Phone", "",         true},
    {F::CellPhone,    "CellPhone",    {145, 15}, 11, "txtACCPhone",     "Cell Phone",                 "--cell",      "Cell Phone", "",         true},
    {F::WorkPhone,    "WorkPhone",    {161, 13}, 12, "txtACWPhone",     "Work Phone",                 "--work",      "Work Phone", "",         true},
    {F::Email,        "Email",        {175, 50}, 13, "txtACEmail",      "Email Address",              "--email",     "Email",      "email",    true},
    // The birthdate is typed in display form; its format is checked, not its length.
    {F::Birthdate,    "Birthdate",    {226, 8},  9,  "txtACBirthdate",  "Birthdate (MM/DD/YYYY)",     "--birthdate", "Birthdate",  "",         false},
    {F::Category,     "Category",     {235, 80}, 14, "txtACCategory",   "Category",                   "--category",  "Category",   "category", true},
    {F::Notes,        "Notes",        {316, 80}, 15, "txtACNotes",      "Notes",                      "--notes",     "Notes",      "",         true},
    {F::ReminderFlag, "ReminderFlag", {397, 1},  -1, "",                "",                           "",            "",           "",         false},
    // clang-format on
}};

constexpr bool rowsInFieldOrderAndContiguous()
{
    int next = 0;
    for (int i = 0; i < fieldCount; ++i) {
        const FieldInfo& row = catalogue[std::size_t(i)];
        if (static_cast<int>(row.field) != i || row.layout.offset != next)
            return false;
        next = row.layout.offset + row.layout.width + 1;
    }
    return next == recordSize - 1; // the last field's "separator" is the CR of CR LF
}
static_assert(rowsInFieldOrderAndContiguous(), "the catalogue must describe the 400-byte record in order");

} // namespace

const std::array<FieldInfo, fieldCount>& fieldCatalogue()
{
    return catalogue;
}

const FieldInfo& fieldInfo(Field field)
{
    return catalogue[static_cast<std::size_t>(field)];
}

FieldLayout fieldLayout(Field field)
{
    return fieldInfo(field).layout;
}

QString fieldName(Field field)
{
    return QString::fromLatin1(fieldInfo(field).name);
}

} // namespace quillet
