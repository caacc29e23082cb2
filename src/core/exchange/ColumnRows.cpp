#include "core/exchange/ColumnMapping.h"

#include <QRegularExpression>

namespace quillet {

namespace {

using F = ImportField;

// Values a column holds several of: Google's " ::: ", and lists separated by ";" or ",".
QStringList listValues(const QString& value)
{
    static const QRegularExpression separators(QStringLiteral(" ::: |;|,"));
    QStringList values;
    for (QString part : value.split(separators, Qt::SkipEmptyParts)) {
        part = part.trimmed();
        // Google's own groups ("* myContacts", "* starred") are not the user's categories.
        if (!part.isEmpty() && !part.startsWith(u'*'))
            values << part;
    }
    return values;
}

QString* addressPart(ImportedContact::Address& address, ImportField field)
{
    switch (field) {
    case F::Street:
        return &address.street;
    case F::Street2:
        return &address.street2;
    case F::City:
        return &address.city;
    case F::State:
        return &address.state;
    case F::Zip:
        return &address.zip;
    case F::Country:
        return &address.country;
    case F::AddressType:
        return &address.type;
    case F::PoBox:
        return &address.poBox;
    case F::FormattedAddress:
        return &address.formatted;
    default:
        return nullptr;
    }
}

QString* personPart(ImportedContact& contact, ImportField field)
{
    switch (field) {
    case F::First:
        return &contact.first;
    case F::MI:
        return &contact.middle;
    case F::Last:
        return &contact.last;
    case F::Name:
        return &contact.name;
    case F::Company:
        return &contact.company;
    case F::Birthdate:
        return &contact.birthdate;
    case F::BirthYear:
        return &contact.birthYear;
    case F::BirthMonth:
        return &contact.birthMonth;
    case F::BirthDay:
        return &contact.birthDay;
    default:
        return nullptr;
    }
}

QString groupType(int group)
{
    return group == homeAddressGroup       ? QStringLiteral("home")
           : group == businessAddressGroup ? QStringLiteral("work")
                                           : QString();
}

void fillValue(ImportedContact& contact, ColumnTarget target, int column, const QString& value)
{
    // Phones of their own columns keep the column order; numbered ones come after.
    const int ownGroup = 1000 + column;
    if (QString* part = personPart(contact, target.field)) {
        if (part->isEmpty())
            *part = value;
    } else if (target.field == F::Home || target.field == F::Cell || target.field == F::Work) {
        contact.phones[ownGroup] = {fieldKeyword(target.field), value};
    } else if (target.field == F::Phone || target.field == F::PhoneType) {
        ImportedContact::Phone& phone = contact.phones[target.group];
        (target.field == F::Phone ? phone.value : phone.type) = value;
    } else if (target.field == F::Email) {
        contact.emails[target.group > 0 ? target.group : ownGroup].value = value;
    } else if (target.field == F::EmailType) {
        contact.emails[target.group].preference = value.startsWith(u'*') ? 1 : 100;
    } else if (target.field == F::Category) {
        contact.categories << listValues(value);
    } else if (target.field == F::Notes) {
        contact.notes = contact.notes.isEmpty() ? value : contact.notes + u' ' + value;
    } else {
        ImportedContact::Address& address = contact.addresses[target.group];
        if (address.type.isEmpty())
            address.type = groupType(target.group);
        if (QString* part = addressPart(address, target.field);
            part && (part->isEmpty() || target.field == F::AddressType))
            *part = value;
    }
}

} // namespace

ImportedContact importedFromRow(const ColumnMapping& mapping, const QStringList& row)
{
    ImportedContact contact;
    const std::size_t columns = std::min(mapping.size(), std::size_t(row.size()));
    for (std::size_t i = 0; i < columns; ++i) {
        const QString& value = row.at(qsizetype(i));
        if (mapping[i].field != F::Ignore && !value.trimmed().isEmpty())
            fillValue(contact, mapping[i], int(i), value);
    }
    return contact;
}

} // namespace quillet
