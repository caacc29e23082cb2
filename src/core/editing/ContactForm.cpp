#include "core/editing/ContactForm.h"

namespace quillet {

namespace {

// The catalogue's rows in the windows' focus order.
const std::array<const FieldInfo*, formFieldCount>& rowsInFocusOrder()
{
    static const std::array<const FieldInfo*, formFieldCount> rows = [] {
        std::array<const FieldInfo*, formFieldCount> byPosition{};
        for (const FieldInfo& row : fieldCatalogue()) {
            if (row.focusPosition >= 0)
                byPosition[static_cast<std::size_t>(row.focusPosition)] = &row;
        }
        return byPosition;
    }();
    return rows;
}

const FieldInfo& info(FormField field)
{
    return *rowsInFocusOrder()[static_cast<std::size_t>(field)];
}

} // namespace

const std::array<FormField, formFieldCount>& allFormFields()
{
    static const std::array<FormField, formFieldCount> fields = [] {
        std::array<FormField, formFieldCount> all{};
        for (int i = 0; i < formFieldCount; ++i)
            all[static_cast<std::size_t>(i)] = static_cast<FormField>(i);
        return all;
    }();
    return fields;
}

QString formFieldObjectName(FormField field)
{
    return QString::fromLatin1(info(field).objectName);
}

QString formFieldCaption(FormField field)
{
    return QString::fromLatin1(info(field).caption);
}

Field recordField(FormField field)
{
    return info(field).field;
}

const FieldInfo& formFieldInfo(FormField field)
{
    return info(field);
}

ContactForm formFromRecord(const ContactRecord& record)
{
    ContactForm form;
    for (FormField field : allFormFields()) {
        const Field stored = recordField(field);
        form[field] = stored == Field::Birthdate ? birthdateToDisplay(record.value(stored)) : record.trimmed(stored);
    }
    return form;
}

} // namespace quillet
