#pragma once

#include "core/contacts/ContactRecord.h"

#include <QString>

#include <array>

namespace quillet {

// The sixteen text fields of the Add Contact and Contact Information windows, in
// their focus order (which is not the order of the record: Birthdate comes after
// Country here).
enum class FormField {
    FirstName,
    MiddleInitial,
    LastName,
    Street,
    Street2,
    City,
    State,
    Zip,
    Country,
    Birthdate,
    HomePhone,
    CellPhone,
    WorkPhone,
    Email,
    Category,
    Notes
};
inline constexpr int formFieldCount = 16;

// The texts of the sixteen fields as the user typed them; Birthdate in display form.
struct ContactForm
{
    std::array<QString, formFieldCount> texts;

    QString& operator[](FormField field) { return texts[static_cast<std::size_t>(field)]; }
    const QString& operator[](FormField field) const { return texts[static_cast<std::size_t>(field)]; }
    bool operator==(const ContactForm&) const = default;
};

// Every field in focus order, for loops.
const std::array<FormField, formFieldCount>& allFormFields();

// The object name of the field's text box ("txtACFName"...).
QString formFieldObjectName(FormField field);
// The caption of the field's label, without its colon ("First Name").
QString formFieldCaption(FormField field);
// The record field a form field fills.
Field recordField(FormField field);
// The catalogue row of the record field a form field fills.
const FieldInfo& formFieldInfo(FormField field);

// A record as the windows show it: every field trimmed of spaces, the Birthdate in
// display form (empty when the stored text does not read as a number above 1).
ContactForm formFromRecord(const ContactRecord& record);

} // namespace quillet
