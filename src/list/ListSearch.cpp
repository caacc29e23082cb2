#include "list/ListSearch.h"

#include "common/Cp1252.h"
#include "common/TextRules.h"
#include "contacts/ContactsFile.h"
#include "list/ListOrder.h"

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

// The stored value of the searched field against the search text.
bool valueMatches(SearchField field, const QString& stored, const QString& text)
{
    const QString value = text::trimSpaces(stored);
    if (field == SearchField::Zip)
        return text::contains(value, text);
    return text::contains(text::upperCase(value), text::upperCase(text));
}

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
    return field == SearchField::All || valueMatches(field, record.value(recordField(field)), cp1252::fold(text));
}

Status loadList(const ContactsFile& file, const ListQuery& query, const ListOrder& order,
                std::vector<ListEntry>& entries)
{
    entries.clear();
    const Field searched = recordField(query.field);
    // Typed as a record would store it, so "Nguyễn" finds "Nguyen".
    const QString text = cp1252::fold(query.text);
    bool tooMany = false;
    const Status status = file.forEachBytes([&](int number, QByteArrayView bytes) {
        if (query.field != SearchField::All &&
            !valueMatches(query.field, ContactRecord::fieldFromBytes(bytes, searched), text))
            return true;
        tooMany = entries.size() == std::size_t(maxRecordsInMemory);
        if (!tooMany)
            entries.push_back(ListEntry{listLine(bytes, query.order), number});
        return !tooMany;
    });
    order.sort(entries);
    return tooMany ? Status(errors::outOfMemory()) : status;
}

} // namespace quillet
