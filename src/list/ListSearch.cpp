#include "list/ListSearch.h"

#include "common/TextRules.h"
#include "contacts/ContactsFile.h"
#include "list/ListOrder.h"

#include <array>

namespace quillet {

namespace {

Field recordField(SearchField field)
{
    switch (field) {
    case SearchField::FirstName:
        return Field::FirstName;
    case SearchField::LastName:
        return Field::LastName;
    case SearchField::City:
        return Field::City;
    case SearchField::State:
        return Field::State;
    case SearchField::Zip:
        return Field::Zip;
    case SearchField::Email:
        return Field::Email;
    case SearchField::Category:
    case SearchField::All:
        break;
    }
    return Field::Category;
}

// The fields a list line and the search need; decoding only these keeps a long
// file's scan cheap.
constexpr std::array<Field, 10> lineFields{Field::FirstName, Field::MI,      Field::LastName,  Field::City,
                                           Field::State,     Field::Zip,     Field::HomePhone, Field::CellPhone,
                                           Field::Email,     Field::Category};

} // namespace

const std::vector<SearchFieldInfo>& searchFields()
{
    static const std::vector<SearchFieldInfo> fields{
        {SearchField::FirstName, QStringLiteral("first"), QStringLiteral("First name Search"),
         QStringLiteral("First name")},
        {SearchField::LastName, QStringLiteral("last"), QStringLiteral("Last name Search"),
         QStringLiteral("Last name")},
        {SearchField::City, QStringLiteral("city"), QStringLiteral("City Search"), QStringLiteral("City")},
        {SearchField::State, QStringLiteral("state"), QStringLiteral("State Search"), QStringLiteral("State")},
        {SearchField::Zip, QStringLiteral("zip"), QStringLiteral("Zip code Search"), QStringLiteral("Zip")},
        {SearchField::Email, QStringLiteral("email"), QStringLiteral("Email address Search"), QStringLiteral("Email")},
        {SearchField::Category, QStringLiteral("category"), QStringLiteral("Category Search"),
         QStringLiteral("Category")},
    };
    return fields;
}

const SearchFieldInfo* searchFieldInfo(SearchField field)
{
    for (const SearchFieldInfo& info : searchFields()) {
        if (info.field == field)
            return &info;
    }
    return nullptr;
}

std::optional<SearchField> searchFieldNamed(const QString& name)
{
    for (const SearchFieldInfo& info : searchFields()) {
        if (info.name == name)
            return info.field;
    }
    return std::nullopt;
}

bool matchesSearch(const ContactRecord& record, SearchField field, const QString& text)
{
    if (field == SearchField::All)
        return true;
    const QString value = text::trimSpaces(record.value(recordField(field)));
    if (field == SearchField::Zip)
        return text::contains(value, text);
    return text::contains(text::upperCase(value), text::upperCase(text));
}

Status loadList(const ContactsFile& file, const ListQuery& query, const ListOrder& order,
                std::vector<ListEntry>& entries)
{
    entries.clear();
    const Status status = file.forEachBytes([&](int number, QByteArrayView bytes) {
        ContactRecord record;
        for (Field field : lineFields)
            record.set(field, ContactRecord::fieldFromBytes(bytes, field));
        if (matchesSearch(record, query.field, query.text))
            entries.push_back(ListEntry{listLine(record, query.order), number});
        return true;
    });
    order.sort(entries);
    return status;
}

} // namespace quillet
