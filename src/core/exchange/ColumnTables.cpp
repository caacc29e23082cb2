#include "core/exchange/ColumnTables.h"

#include <array>

namespace quillet {

namespace {

using F = Field;

constexpr ColumnRow webPortalRows[] = {
    {0, u"First", F::FirstName},  {1, u"Middle", F::MI},           {2, u"Last", F::LastName},
    {4, u"Email", F::Email},      {5, u"Category", F::Category},   {8, u"Home", F::HomePhone},
    {9, u"Work", F::WorkPhone},   {12, u"Mobile", F::CellPhone},   {27, u"Home Address", F::Street1},
    {28, u"Home City", F::City},  {29, u"Home State", F::State},   {30, u"Home ZIP", F::Zip},
    {31, u"Country", F::Country}, {32, u"Birthday", F::Birthdate},
};

constexpr ColumnRow mailProgramFullRows[] = {
    {0, u"First Name", F::FirstName},  {1, u"Middle Name", F::MI},        {2, u"Last Name", F::LastName},
    {14, u"E-mail Address", F::Email}, {18, u"Home Phone", F::HomePhone}, {20, u"Mobile Phone", F::CellPhone},
    {8, u"Birthday", F::Birthdate},
};

constexpr ColumnRow mailProgramListRows[] = {
    {0, u"First Name", F::FirstName}, {1, u"Last Name", F::LastName},   {2, u"Middle Name", F::MI},
    {2, u"E-mail Address", F::Email}, {3, u"E-mail Address", F::Email}, {lastColumn, u"E-mail Address", F::Email},
};

constexpr ColumnRow quilletRows[] = {
    {0, u"First Name", F::FirstName},  {1, u"MI", F::MI},
    {2, u"Last Name", F::LastName},    {3, u"Street1", F::Street1},
    {4, u"Street2", F::Street2},       {5, u"City", F::City},
    {6, u"State", F::State},           {7, u"Zip", F::Zip},
    {8, u"Country", F::Country},       {9, u"Home Phone", F::HomePhone},
    {10, u"Cell Phone", F::CellPhone}, {11, u"Work Phone", F::WorkPhone},
    {12, u"Email", F::Email},          {13, u"Birthdate", F::Birthdate},
    {14, u"Category", F::Category},    {15, u"Notes", F::Notes},
};

// Names at fixed places, then the four e-mail names each tried at columns 2 to 7.
constexpr std::array<ColumnRow, 16 + 24> nameAndEmailRows = [] {
    std::array<ColumnRow, 16 + 24> rows{{
        {0, u"First Name", F::FirstName},
        {1, u"First Name", F::FirstName},
        {0, u"First", F::FirstName},
        {1, u"First", F::FirstName},
        {0, u"Last Name", F::LastName},
        {1, u"Last Name", F::LastName},
        {2, u"Last Name", F::LastName},
        {0, u"Last", F::LastName},
        {1, u"Last", F::LastName},
        {2, u"Last", F::LastName},
        {1, u"Middle Name", F::MI},
        {2, u"Middle", F::MI},
        {1, u"MI", F::MI},
        {2, u"MI", F::MI},
        {1, u"Middle Initial", F::MI},
        {2, u"Middle Initial", F::MI},
    }};
    constexpr QStringView emailNames[] = {u"E-mail Address", u"E-mail", u"Email Address", u"Email"};
    std::size_t next = 16;
    for (const QStringView name : emailNames) {
        for (int position = 2; position <= 7; ++position)
            rows[next++] = {position, name, F::Email};
    }
    return rows;
}();

} // namespace

Columns splitColumns(QStringView text)
{
    Columns columns;
    if (text.isEmpty())
        return columns;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u',') {
            columns.push_back(text.sliced(start, i - start));
            start = i + 1;
        }
    }
    columns.push_back(text.sliced(start));
    return columns;
}

std::span<const ColumnRow> columnTable(ImportLayout layout)
{
    switch (layout) {
    case ImportLayout::WebPortal:
        return webPortalRows;
    case ImportLayout::MailProgramFull:
        return mailProgramFullRows;
    case ImportLayout::MailProgramList:
        return mailProgramListRows;
    case ImportLayout::QuilletCsv:
        return quilletRows;
    case ImportLayout::NameAndEmail:
        return nameAndEmailRows;
    case ImportLayout::None:
        break;
    }
    return {};
}

std::vector<MatchedRow> matchHeader(ImportLayout layout, const Columns& header)
{
    std::vector<MatchedRow> matched;
    for (const ColumnRow& row : columnTable(layout)) {
        if (row.position == lastColumn) {
            if (!header.empty() && header.back() == row.header)
                matched.push_back({lastColumn, row.field});
        } else if (static_cast<std::size_t>(row.position) < header.size() && header[row.position] == row.header) {
            matched.push_back({row.position, row.field});
        }
    }
    return matched;
}

Status fillFromColumns(const std::vector<MatchedRow>& rows, const Columns& data, ContactRecord& working)
{
    for (const MatchedRow& row : rows) {
        const qsizetype position = row.position == lastColumn ? qsizetype(data.size()) - 1 : row.position;
        if (position < 0 || position >= qsizetype(data.size()))
            return errors::subscriptOutOfRange();
        const QStringView value = data[position];
        working.set(row.field, (row.field == Field::MI ? value.left(1) : value).toString());
    }
    return {};
}

Result<bool> skippedByColumns(ImportLayout layout, const Columns& data)
{
    std::size_t first = 0;
    std::size_t second = 1;
    if (layout == ImportLayout::MailProgramFull) {
        first = 2;
        second = 14;
    } else if (layout != ImportLayout::MailProgramList && layout != ImportLayout::NameAndEmail) {
        return false;
    }
    if (data.size() <= second)
        return errors::subscriptOutOfRange();
    return data[first].isEmpty() || data[second].isEmpty();
}

} // namespace quillet
