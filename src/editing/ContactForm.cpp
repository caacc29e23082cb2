#include "editing/ContactForm.h"

namespace quillet {

namespace {

struct FormFieldInfo
{
    const char* objectName;
    const char* caption;
    Field recordField;
};

// Indexed by FormField.
constexpr std::array<FormFieldInfo, formFieldCount> infos{{
    {"txtACFName", "First Name", Field::FirstName},
    {"txtACMiddleInit", "Middle Initial", Field::MI},
    {"txtACLName", "Last Name", Field::LastName},
    {"txtACFStreet", "Street Address", Field::Street1},
    {"txtACSStreet", "Additional Street Info/Apt", Field::Street2},
    {"txtACCity", "City", Field::City},
    {"txtACState", "State", Field::State},
    {"txtACZip", "Zip Code", Field::Zip},
    {"txtACCountry", "Country", Field::Country},
    {"txtACBirthdate", "Birthdate (MM/DD/YYYY)", Field::Birthdate},
    {"txtACHPhone", "Home Phone", Field::HomePhone},
    {"txtACCPhone", "Cell Phone", Field::CellPhone},
    {"txtACWPhone", "Work Phone", Field::WorkPhone},
    {"txtACEmail", "Email Address", Field::Email},
    {"txtACCategory", "Category", Field::Category},
    {"txtACNotes", "Notes", Field::Notes},
}};

const FormFieldInfo& info(FormField field)
{
    return infos[static_cast<std::size_t>(field)];
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
    return info(field).recordField;
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
