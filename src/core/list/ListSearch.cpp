#include "core/list/ListSearch.h"

#include "core/common/Cp1252.h"
#include "core/common/TextRules.h"
#include "core/common/WorkControl.h"
#include "core/contacts/ContactsFile.h"
#include "core/list/ListOrder.h"

namespace quillet {

namespace {

SearchFieldInfo row(SearchField field, Field stored, const char* inputTitle, const char* resultLabel)
{
    return {field, stored, QString::fromLatin1(fieldInfo(stored).searchKey), QString::fromLatin1(inputTitle),
            QString::fromLatin1(resultLabel)};
}

// Every record matches a view of all contacts, so All searches no field; Category stands in.
Field recordField(SearchField field)
{
    const SearchFieldInfo* info = searchFieldInfo(field);
    return info ? info->stored : Field::Category;
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
        row(SearchField::FirstName, Field::FirstName, "First name Search", "First name"),
        row(SearchField::LastName, Field::LastName, "Last name Search", "Last name"),
        row(SearchField::City, Field::City, "City Search", "City"),
        row(SearchField::State, Field::State, "State Search", "State"),
        row(SearchField::Zip, Field::Zip, "Zip code Search", "Zip"),
        row(SearchField::Email, Field::Email, "Email address Search", "Email"),
        row(SearchField::Category, Field::Category, "Category Search", "Category"),
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

QueryMatch::QueryMatch(const ListQuery& query)
    : m_field(query.field), m_stored(recordField(query.field)), m_text(cp1252::fold(query.text))
{}

bool QueryMatch::operator()(QByteArrayView recordBytes) const
{
    return m_field == SearchField::All ||
           valueMatches(m_field, ContactRecord::fieldFromBytes(recordBytes, m_stored), m_text);
}

Partial<std::vector<ListEntry>> loadList(const ContactsFile& file, const ListQuery& query, const ListOrder& order,
                                         WorkControl* control)
{
    std::vector<ListEntry> entries;
    const int total = control ? file.count() : 0;
    bool cancelled = false;
    const QueryMatch matches(query);
    bool tooMany = false;
    const Status status = file.forEachBytes([&](int number, QByteArrayView bytes) {
        if (control) {
            control->setProgress(number, total);
            if ((cancelled = control->cancelled()))
                return false;
        }
        if (!matches(bytes))
            return true;
        tooMany = entries.size() == std::size_t(maxRecordsInMemory);
        if (!tooMany)
            entries.push_back(ListEntry{listLine(bytes, query.order), number});
        return !tooMany;
    });
    if (cancelled)
        return {{}, errors::cancelled()};
    order.sort(entries);
    return {std::move(entries), tooMany ? Status(errors::outOfMemory()) : status};
}

} // namespace quillet
