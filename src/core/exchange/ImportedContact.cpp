#include "core/exchange/ImportedContact.h"

#include "core/common/Cp1252.h"
#include "core/common/TextRules.h"
#include "core/exchange/ImportValues.h"

#include <QRegularExpression>

#include <utility>

namespace quillet {

namespace iv = importvalues;

namespace {

// Google puts several values in one column, separated by " ::: ".
QString firstValue(const QString& value)
{
    if (!value.contains(u':'))
        return value;
    const qsizetype separator = value.indexOf(QStringLiteral(" ::: "));
    return separator < 0 ? value : value.left(separator);
}

bool typeHas(const QString& type, const char* word)
{
    return text::holdsKeyword(type, QLatin1StringView(word));
}

const ImportedContact::Address* chosenAddress(const ImportedContact& imported)
{
    const ImportedContact::Address* first = nullptr;
    for (const auto& [group, address] : imported.addresses) {
        if (address.isEmpty())
            continue;
        if (typeHas(address.type, "home"))
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
        if (value.isEmpty() || typeHas(phone.type, "fax") || typeHas(phone.type, "pager"))
            continue;
        QString& slot = typeHas(phone.type, "cell") || typeHas(phone.type, "mobile")     ? cell
                        : typeHas(phone.type, "work") || typeHas(phone.type, "business") ? work
                        : typeHas(phone.type, "home")                                    ? home
                                                                                         : other;
        if (slot.isEmpty())
            slot = value;
    }
    record.set(Field::HomePhone, home.isEmpty() ? other : home);
    record.set(Field::CellPhone, cell);
    record.set(Field::WorkPhone, work);
}

// The preferred usable e-mail, else the first usable one; an unusable one is noted
// only when no other takes its place.
QString chosenEmail(const ImportedContact& imported, ContactChanges& changes)
{
    QString chosen;
    int preference = 0;
    bool unusable = false;
    for (const auto& [group, email] : imported.emails) {
        const QString value = iv::email(firstValue(email.value));
        unusable = unusable || (value.isEmpty() && !email.value.trimmed().isEmpty());
        if (!value.isEmpty() && (chosen.isEmpty() || email.preference < preference)) {
            chosen = value;
            preference = email.preference;
        }
    }
    if (chosen.isEmpty() && unusable)
        changes.note(Field::Email, ValueChange::NotUsable);
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

QStringList addressLines(const QString& text)
{
    // Most values are one line.
    if (!text.contains(u'\n')) {
        const QString line = text.trimmed();
        return line.isEmpty() ? QStringList() : QStringList{line};
    }
    QStringList lines;
    for (const QString& line : QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n')) {
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    }
    return lines;
}

// "Springfield, MA 01103" or "Springfield MA 01103-1234": the city line of a formatted address.
bool takeCityLine(const QString& line, ImportedContact::Address& address)
{
    static const QRegularExpression cityLine(
        QStringLiteral("^(.+?),?\\s+([A-Za-z]{2}|[A-Za-z][A-Za-z .]+?)\\s+(\\d{5}(?:-\\d{4})?)$"));
    const QRegularExpressionMatch match = cityLine.match(line);
    if (!match.hasMatch())
        return false;
    if (address.city.trimmed().isEmpty() && address.state.trimmed().isEmpty() && address.zip.trimmed().isEmpty()) {
        address.city = match.captured(1);
        address.state = match.captured(2);
        address.zip = match.captured(3);
    }
    return true;
}

QString poBoxLine(const QString& poBox)
{
    const QString box = poBox.trimmed();
    static const QRegularExpression named(QStringLiteral("^(p\\.?\\s*o\\.?\\s*box|postfach|box)\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    return box.isEmpty() || named.match(box).hasMatch() ? box : QStringLiteral("PO Box ") + box;
}

void setAddress(const ImportedContact& imported, ContactRecord& record, ContactChanges& changes)
{
    const ImportedContact::Address* chosen = chosenAddress(imported);
    if (!chosen)
        return;
    const ImportedContact::Address address = assembledAddress(*chosen);
    const QString country = iv::plain(address.country);
    const QString given = iv::plain(address.state);
    const QString state = iv::state(given);
    if (state.isEmpty() && !given.isEmpty())
        changes.note(Field::State, ValueChange::TooLong);
    record.set(Field::Street1, iv::plain(address.street));
    record.set(Field::Street2, iv::plain(address.street2));
    record.set(Field::City, iv::plain(address.city));
    record.set(Field::State, state);
    record.set(Field::Zip, iv::zip(iv::plain(address.zip), state, country));
    record.set(Field::Country, country);
}

void setBirthdate(const ImportedContact& imported, ContactRecord& record, ContactChanges& changes)
{
    QString birthdate = iv::birthdate(imported.birthdate);
    if (birthdate.isEmpty())
        birthdate = iv::birthdateFromParts(imported.birthYear, imported.birthMonth, imported.birthDay);
    // A date without a year (--03-14) cannot be stored: the field holds whole dates only.
    const bool given = !imported.birthdate.trimmed().isEmpty() || !imported.birthYear.trimmed().isEmpty();
    if (birthdate.isEmpty() && given)
        changes.note(Field::Birthdate, ValueChange::NotUsable);
    record.set(Field::Birthdate, birthdate);
}

bool isPhone(Field field)
{
    return field == Field::HomePhone || field == Field::CellPhone || field == Field::WorkPhone;
}

} // namespace

bool ImportedContact::Address::isEmpty() const
{
    return street.trimmed().isEmpty() && street2.trimmed().isEmpty() && city.trimmed().isEmpty() &&
           state.trimmed().isEmpty() && zip.trimmed().isEmpty() && country.trimmed().isEmpty() &&
           poBox.trimmed().isEmpty() && formatted.trimmed().isEmpty();
}

ImportedContact::Address assembledAddress(ImportedContact::Address address)
{
    QStringList street = addressLines(address.street);
    QStringList extended = addressLines(address.street2);
    QStringList whole = addressLines(address.formatted);
    const QString box = poBoxLine(address.poBox);
    // A one-line "address" column (Thunderbird's "Home Address") is the street itself.
    if (street.isEmpty() && whole.size() == 1)
        street = std::exchange(whole, {});
    if (street.isEmpty() && box.isEmpty() && whole.isEmpty() && extended.size() > 1)
        whole = std::exchange(extended, {}); // Gmail's whole address in the extended part
    QStringList lines = street + extended;
    if (lines.isEmpty() && box.isEmpty() && !whole.isEmpty()) {
        // The street lines stand before the city line; the line after it is the country.
        qsizetype cityLine = whole.size();
        for (qsizetype i = 1; i < whole.size() && cityLine == whole.size(); ++i) {
            if (takeCityLine(whole.at(i), address))
                cityLine = i;
        }
        if (cityLine + 1 < whole.size() && address.country.trimmed().isEmpty())
            address.country = whole.at(cityLine + 1);
        lines = whole.mid(0, std::min<qsizetype>(cityLine, 2));
    }
    if (!box.isEmpty())
        lines << box;
    address.street = lines.value(0);
    address.street2 = lines.mid(1).join(u' ');
    return address;
}

ImportedRecord contactFromImported(const ImportedContact& imported)
{
    ImportedRecord result;
    ContactRecord& record = result.record;
    setName(imported, record);
    setAddress(imported, record, result.changes);
    placePhones(imported, record);
    record.set(Field::Email, chosenEmail(imported, result.changes));
    setBirthdate(imported, record, result.changes);
    record.set(Field::Category, iv::categories(imported.categories));
    record.set(Field::Notes, iv::plain(imported.notes));
    // Folded before the cut, so the width counts the letters the record keeps.
    const ContactRecord original = record;
    for (int i = 0; i < fieldCount - 1; ++i) {
        const Field field = allFields[i];
        record.set(field, cp1252::fold(record.value(field)));
    }
    noteStoredForm(original, record, result.changes);
    for (int i = 0; i < fieldCount - 1; ++i) {
        const Field field = allFields[i];
        if (!isPhone(field))
            record.set(field, record.value(field).left(fieldLayout(field).width));
    }
    return result;
}

void fitPhones(ContactRecord& record, ContactChanges& changes)
{
    for (const Field field : {Field::HomePhone, Field::CellPhone, Field::WorkPhone}) {
        const QString value = text::trimSpaces(record.value(field));
        const QString fitted = iv::fittedPhone(value, fieldLayout(field).width);
        if (fitted == value)
            continue;
        changes.note(field, fitted.isEmpty() ? ValueChange::TooLong : ValueChange::Shortened);
        record.set(field, fitted);
    }
}

void noteStoredForm(const ContactRecord& original, const ContactRecord& folded, ContactChanges& changes)
{
    for (const Field field : {Field::FirstName, Field::LastName}) {
        if (folded.value(field).count(u'?') > original.value(field).count(u'?'))
            changes.nameFolded = true;
    }
    for (int i = 0; i < fieldCount - 1; ++i) {
        const Field field = allFields[i];
        // MI keeps its first letter by rule; phones are fitted, never cut.
        if (field != Field::MI && !isPhone(field) &&
            text::trimLeadingSpaces(folded.value(field)).size() > fieldLayout(field).width)
            changes.note(field, ValueChange::Shortened);
    }
}

bool isBlankContact(const ContactRecord& record)
{
    return text::trimSpaces(record.value(Field::FirstName)).isEmpty() &&
           text::trimSpaces(record.value(Field::LastName)).isEmpty() &&
           text::trimSpaces(record.value(Field::Email)).isEmpty();
}

} // namespace quillet
