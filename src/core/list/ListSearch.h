#pragma once

#include "core/common/AppError.h"
#include "core/common/Partial.h"
#include "core/contacts/FieldCatalogue.h"
#include "core/list/ListLine.h"

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace quillet {

class WorkControl;

class ContactRecord;
class ContactsFile;
class ListOrder;

// The field a list query searches; the numbers are the window's option codes.
enum class SearchField { FirstName = 0, LastName, City, State, Zip, Email, Category, All = 7 };

struct SearchFieldInfo
{
    SearchField field;
    Field stored;        // the record field searched
    QString name;        // the command line's name ("first", "city", ...), the catalogue's search key
    QString inputTitle;  // title of the window's "Search For: " box
    QString resultLabel; // "City" in "City = York"
};
// The seven searchable fields, in option order.
const std::vector<SearchFieldInfo>& searchFields();
const SearchFieldInfo* searchFieldInfo(SearchField field); // nullptr for All
std::optional<SearchField> searchFieldNamed(const QString& name);

struct ListQuery
{
    SearchField field = SearchField::All;
    QString text;
    SortOrder order = SortOrder::FirstName;
};

// Every record matches a view of all contacts. Otherwise the trimmed field must
// contain the text, ignoring case except for Zip, and a blank field contains
// nothing, not even the empty text.
bool matchesSearch(const ContactRecord& record, SearchField field, const QString& text);

// The test a list applies to each record's bytes, set up once for its query.
class QueryMatch
{
public:
    explicit QueryMatch(const ListQuery& query);
    bool operator()(QByteArrayView recordBytes) const;

private:
    SearchField m_field;
    Field m_stored;
    QString m_text; // folded as a record would store it, so "Nguyễn" finds "Nguyen"
};

// Reads the file once and gives the matching records' lines sorted in list order.
// On a read failure the lines found before it come back, sorted, with the error;
// past maxRecordsInMemory lines the load stops the same way with "Out of memory".
// With `control`, the records read are reported to it, and a cancel stops the load
// with errors::cancelled() and no lines.
Partial<std::vector<ListEntry>> loadList(const ContactsFile& file, const ListQuery& query, const ListOrder& order,
                                         WorkControl* control = nullptr);

} // namespace quillet
