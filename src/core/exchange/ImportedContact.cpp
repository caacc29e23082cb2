#include "core/exchange/ImportedContact.h"

#include "core/common/Cp1252.h"
#include "core/common/TextRules.h"
#include "core/exchange/ImportValues.h"

namespace quillet {

namespace iv = importvalues;

namespace {

// Google puts several values in one column, separated by " ::: ".
QString firstValue(const QString& value)
{
    const qsizetype separator = value.indexOf(QStringLiteral(" ::: "));
    return separator < 0 ? value : value.left(separator);
}

bool typeHas(const QString& type, QStringView word)
{
    return type.contains(word, Qt::CaseInsensitive);
}

const ImportedContact::Address* chosenAddress(const ImportedContact& imported)
{
    const ImportedContact::Address* first = nullptr;
    for (const auto& [group, address] : imported.addresses) {
        if (address.isEmpty())
            continue;
        if (typeHas(address.type, u"home"))
            return &address;
        if (!first)
            first = &address;
    }
    return first;
}

void placePhones(const ImportedContact& imported, ContactRecord& record)
{
    QString home, cell, work, other;
    for (const auto& [group, phone] : imported.phones) {
        const QString value = iv::phone(firstValue(phone.value));
        if (value.isEmpty() || typeHas(phone.type, u"fax") || typeHas(phone.type, u"pager"))
            continue;
        QString& slot = typeHas(phone.type, u"cell") || typeHas(phone.type, u"mobile")     ? cell
                        : typeHas(phone.type, u"work") || typeHas(phone.type, u"business") ? work
                        : typeHas(phone.type, u"home")                                     ? home
                                                                                           : other;
        if (slot.isEmpty())
            slot = value;
    }
    record.set(Field::HomePhone, home.isEmpty() ? other : home);
    record.set(Field::CellPhone, cell);
    record.set(Field::WorkPhone, work);
}

QString chosenEmail(const ImportedContact& imported)
{
    QString chosen;
    int preference = 0;
    for (const auto& [group, email] : imported.emails) {
        const QString value = iv::email(firstValue(email.value));
        if (!value.isEmpty() && (chosen.isEmpty() || email.preference < preference)) {
            chosen = value;
            preference = email.preference;
        }
    }
    return chosen;
}

void setName(const ImportedContact& imported, ContactRecord& record)
{
    iv::PersonName name{iv::plain(imported.first), iv::plain(imported.middle), iv::plain(imported.last)};
    if (name.first.isEmpty() && name.last.isEmpty()) {
        // The whole name is split before its commas go: "Lee, Ann" puts the last name first.
        name = iv::splitName(QString(imported.name).replace(u'|', u' '));
        name = {iv::plain(name.first), iv::plain(name.middle), iv::plain(name.last)};
    }
    if (name.first.isEmpty() && name.last.isEmpty())
        name.last = iv::plain(imported.company);
    record.set(Field::FirstName, name.first);
    record.set(Field::MI, name.middle.left(1).toUpper());
    record.set(Field::LastName, name.last);
}

void setAddress(const ImportedContact& imported, ContactRecord& record)
{
    const ImportedContact::Address* address = chosenAddress(imported);
    if (!address)
        return;
    const QString country = iv::plain(address->country);
    const QString state = iv::state(iv::plain(address->state));
    record.set(Field::Street1, iv::plain(address->street));
    record.set(Field::Street2, iv::plain(address->street2));
    record.set(Field::City, iv::plain(address->city));
    record.set(Field::State, state);
    record.set(Field::Zip, iv::zip(iv::plain(address->zip), state, country));
    record.set(Field::Country, country);
}

} // namespace

bool ImportedContact::Address::isEmpty() const
{
    return street.trimmed().isEmpty() && street2.trimmed().isEmpty() && city.trimmed().isEmpty() &&
           state.trimmed().isEmpty() && zip.trimmed().isEmpty() && country.trimmed().isEmpty();
}

ContactRecord contactFromImported(const ImportedContact& imported)
{
    ContactRecord record;
    setName(imported, record);
    setAddress(imported, record);
    placePhones(imported, record);
    record.set(Field::Email, chosenEmail(imported));
    QString birthdate = iv::birthdate(imported.birthdate);
    if (birthdate.isEmpty())
        birthdate = iv::birthdateFromParts(imported.birthYear, imported.birthMonth, imported.birthDay);
    record.set(Field::Birthdate, birthdate);
    record.set(Field::Category, iv::categories(imported.categories));
    record.set(Field::Notes, iv::plain(imported.notes));
    // Folded before the cut, so the width counts the letters the record keeps.
    for (int i = 0; i < fieldCount - 1; ++i) {
        const Field field = allFields[i];
        record.set(field, cp1252::fold(record.value(field)).left(fieldLayout(field).width));
    }
    return record;
}

bool isBlankContact(const ContactRecord& record)
{
    return text::trimSpaces(record.value(Field::FirstName)).isEmpty() &&
           text::trimSpaces(record.value(Field::LastName)).isEmpty() &&
           text::trimSpaces(record.value(Field::Email)).isEmpty();
}

} // namespace quillet
