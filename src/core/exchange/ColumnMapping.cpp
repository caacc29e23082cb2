#include "core/exchange/ColumnMapping.h"

#include "core/contacts/FieldCatalogue.h"

#include <QHash>
#include <QRegularExpression>

namespace quillet {

namespace {

using F = ImportField;

constexpr int homeGroup = homeAddressGroup;
constexpr int businessGroup = businessAddressGroup;
constexpr int otherGroup = 3;
// Numbered columns ("Address 2 - City") get groups above the named ones.
constexpr int numberedGroups = 10;

struct Entry
{
    const char* header;
    F field;
    int group;
};

// Header names of the exports people make (Google's current and older CSV, Outlook
// for Windows and on the web, Thunderbird, KAddressBook, spreadsheets) and of the
// classic layouts, in lower case.
constexpr Entry dictionary[] = {
    {"first name", F::First, 0},
    {"first", F::First, 0},
    {"given name", F::First, 0},
    {"firstname", F::First, 0},
    {"middle name", F::MI, 0},
    {"middle", F::MI, 0},
    {"mi", F::MI, 0},
    {"middle initial", F::MI, 0},
    {"additional name", F::MI, 0},
    {"additional names", F::MI, 0},
    {"last name", F::Last, 0},
    {"last", F::Last, 0},
    {"family name", F::Last, 0},
    {"lastname", F::Last, 0},
    {"name", F::Name, 0},
    {"full name", F::Name, 0},
    {"display name", F::Name, 0},
    {"formatted name", F::Name, 0},
    {"contact name", F::Name, 0},
    {"company", F::Company, 0},
    {"organization", F::Company, 0},
    {"organisation", F::Company, 0},
    {"organization name", F::Company, 0},
    {"company name", F::Company, 0},
    // Addresses without a kind: spreadsheets and our own export.
    {"street", F::Street, 0},
    {"street 1", F::Street, 0},
    {"address", F::Street, 0},
    {"street address", F::Street, 0},
    {"address line 1", F::Street, 0},
    {"street 2", F::Street2, 0},
    {"address line 2", F::Street2, 0},
    {"city", F::City, 0},
    {"town", F::City, 0},
    {"state", F::State, 0},
    {"province", F::State, 0},
    {"region", F::State, 0},
    {"state/province", F::State, 0},
    {"zip code", F::Zip, 0},
    {"zipcode", F::Zip, 0},
    {"postal code", F::Zip, 0},
    {"postcode", F::Zip, 0},
    {"country", F::Country, 0},
    {"country/region", F::Country, 0},
    // Home, business and other addresses: Outlook, Thunderbird, KAddressBook, the web portal layout.
    {"home street", F::Street, homeGroup},
    {"home address", F::FormattedAddress, homeGroup},
    {"home address label", F::FormattedAddress, homeGroup},
    {"home address po box", F::PoBox, homeGroup},
    {"home address post office box", F::PoBox, homeGroup},
    {"home address state", F::State, homeGroup},
    {"home address zip code", F::Zip, homeGroup},
    {"home address street", F::Street, homeGroup},
    {"home street 2", F::Street2, homeGroup},
    {"home address 2", F::Street2, homeGroup},
    {"home city", F::City, homeGroup},
    {"home address city", F::City, homeGroup},
    {"home state", F::State, homeGroup},
    {"home address region", F::State, homeGroup},
    {"home postal code", F::Zip, homeGroup},
    {"home zip", F::Zip, homeGroup},
    {"home zipcode", F::Zip, homeGroup},
    {"home address post code", F::Zip, homeGroup},
    {"home address postal code", F::Zip, homeGroup},
    {"home country", F::Country, homeGroup},
    {"home country/region", F::Country, homeGroup},
    {"home address country", F::Country, homeGroup},
    {"business street", F::Street, businessGroup},
    {"business address", F::FormattedAddress, businessGroup},
    {"business address label", F::FormattedAddress, businessGroup},
    {"business address po box", F::PoBox, businessGroup},
    {"business address post office box", F::PoBox, businessGroup},
    {"business address state", F::State, businessGroup},
    {"business address zip code", F::Zip, businessGroup},
    {"business address street", F::Street, businessGroup},
    {"work address", F::Street, businessGroup},
    {"business street 2", F::Street2, businessGroup},
    {"work address 2", F::Street2, businessGroup},
    {"business city", F::City, businessGroup},
    {"business address city", F::City, businessGroup},
    {"work city", F::City, businessGroup},
    {"business state", F::State, businessGroup},
    {"business address region", F::State, businessGroup},
    {"work state", F::State, businessGroup},
    {"business postal code", F::Zip, businessGroup},
    {"business address post code", F::Zip, businessGroup},
    {"business address postal code", F::Zip, businessGroup},
    {"work zipcode", F::Zip, businessGroup},
    {"work zip", F::Zip, businessGroup},
    {"business country/region", F::Country, businessGroup},
    {"business country", F::Country, businessGroup},
    {"business address country", F::Country, businessGroup},
    {"work country", F::Country, businessGroup},
    {"other street", F::Street, otherGroup},
    {"other address", F::FormattedAddress, otherGroup},
    {"other address po box", F::PoBox, otherGroup},
    {"other street 2", F::Street2, otherGroup},
    {"other city", F::City, otherGroup},
    {"other state", F::State, otherGroup},
    {"other postal code", F::Zip, otherGroup},
    {"other country/region", F::Country, otherGroup},
    {"other country", F::Country, otherGroup},
    // Phones and e-mail.
    {"home phone", F::Home, 0},
    {"phone", F::Home, 0},
    {"telephone", F::Home, 0},
    {"home", F::Home, 0},
    {"phone number", F::Home, 0},
    {"primary phone", F::Home, 0},
    {"mobile phone", F::Cell, 0},
    {"cell phone", F::Cell, 0},
    {"mobile", F::Cell, 0},
    {"cell", F::Cell, 0},
    {"mobile number", F::Cell, 0},
    {"cellphone", F::Cell, 0},
    {"business phone", F::Work, 0},
    {"work phone", F::Work, 0},
    {"work", F::Work, 0},
    {"office phone", F::Work, 0},
    {"e-mail address", F::Email, 1},
    {"email (preferred)", F::Email, 1},
    {"e-mail (preferred)", F::Email, 1},
    {"email address", F::Email, 1},
    {"e-mail", F::Email, 1},
    {"email", F::Email, 1},
    {"primary email", F::Email, 1},
    {"mail", F::Email, 1},
    {"e-mail 2 address", F::Email, 2},
    {"secondary email", F::Email, 2},
    {"e-mail 3 address", F::Email, 3},
    // The rest.
    {"birthday", F::Birthdate, 0},
    {"birth date", F::Birthdate, 0},
    {"date of birth", F::Birthdate, 0},
    {"birth year", F::BirthYear, 0},
    {"birth month", F::BirthMonth, 0},
    {"birth day", F::BirthDay, 0},
    {"category", F::Category, 0},
    {"categories", F::Category, 0},
    {"labels", F::Category, 0},
    {"group membership", F::Category, 0},
    {"groups", F::Category, 0},
    {"notes", F::Notes, 0},
    {"note", F::Notes, 0},
    {"comments", F::Notes, 0},
};

// The import fields that fill one record field each, and that field.
constexpr std::pair<F, Field> recordFields[] = {{F::First, Field::FirstName},   {F::MI, Field::MI},
                                                {F::Last, Field::LastName},     {F::Street, Field::Street1},
                                                {F::Street2, Field::Street2},   {F::City, Field::City},
                                                {F::State, Field::State},       {F::Zip, Field::Zip},
                                                {F::Country, Field::Country},   {F::Home, Field::HomePhone},
                                                {F::Cell, Field::CellPhone},    {F::Work, Field::WorkPhone},
                                                {F::Email, Field::Email},       {F::Birthdate, Field::Birthdate},
                                                {F::Category, Field::Category}, {F::Notes, Field::Notes}};

const QHash<QString, ColumnTarget>& dictionaryTable()
{
    static const QHash<QString, ColumnTarget> table = [] {
        QHash<QString, ColumnTarget> hash;
        for (const Entry& entry : dictionary)
            hash.insert(QString::fromLatin1(entry.header), ColumnTarget{entry.field, entry.group});
        // Our own export's column names, as the catalogue gives them.
        for (const auto& [importField, field] : recordFields)
            hash.insert(QString::fromLatin1(fieldInfo(field).exportHeader).toLower(),
                        ColumnTarget{importField, importField == F::Email ? 1 : 0});
        return hash;
    }();
    return table;
}

// Google's numbered columns, older and current: "E-mail 1 - Type"/"Label"/"Value",
// "Phone 2 - Value", "Address 1 - Street"/"City"/"Region"/"Postal Code", "Organization 1 - Name".
std::optional<ColumnTarget> numberedTarget(const QString& header)
{
    static const QRegularExpression numbered(QStringLiteral("^(e-?mail|phone|address|organization) (\\d+) - (.+)$"));
    const QRegularExpressionMatch match = numbered.match(header);
    if (!match.hasMatch())
        return std::nullopt;
    const QString kind = match.captured(1);
    const int number = match.captured(2).toInt();
    const QString part = match.captured(3);
    const int group = numberedGroups + number;
    const bool isType = part == u"type" || part == u"label";
    if (kind.startsWith(u'e'))
        return ColumnTarget{isType ? F::EmailType : part == u"value" ? F::Email : F::Ignore, group};
    if (kind == u"phone")
        return ColumnTarget{isType ? F::PhoneType : part == u"value" ? F::Phone : F::Ignore, group};
    if (kind == u"organization")
        return ColumnTarget{number == 1 && part == u"name" ? F::Company : F::Ignore, 0};
    static const QHash<QString, F> addressParts{{"type", F::AddressType},
                                                {"label", F::AddressType},
                                                {"street", F::Street},
                                                {"extended address", F::Street2},
                                                {"city", F::City},
                                                {"region", F::State},
                                                {"postal code", F::Zip},
                                                {"country", F::Country},
                                                {"formatted", F::FormattedAddress},
                                                {"po box", F::PoBox}};
    return ColumnTarget{addressParts.value(part, F::Ignore), group};
}

} // namespace

ColumnTarget suggestedTarget(const QString& header)
{
    const QString key = header.trimmed().toLower();
    if (const auto found = dictionaryTable().find(key); found != dictionaryTable().end())
        return *found;
    return numberedTarget(key).value_or(ColumnTarget{});
}

bool sameColumnHeader(const QString& column, const QString& named)
{
    return column.trimmed().compare(named.trimmed(), Qt::CaseInsensitive) == 0;
}

ColumnMapping suggestMapping(const QStringList& headers)
{
    ColumnMapping mapping;
    mapping.reserve(headers.size());
    for (const QString& header : headers)
        mapping.push_back(suggestedTarget(header));
    return mapping;
}

const std::vector<ImportField>& choosableFields()
{
    static const std::vector<ImportField> fields{
        F::Ignore, F::First,   F::MI,   F::Last, F::Name, F::Company, F::Street,    F::Street2,  F::City, F::State,
        F::Zip,    F::Country, F::Home, F::Cell, F::Work, F::Email,   F::Birthdate, F::Category, F::Notes};
    return fields;
}

QString fieldCaption(ImportField field)
{
    for (const auto& [importField, recordField] : recordFields) {
        if (importField == field)
            return QString::fromLatin1(fieldInfo(recordField).caption);
    }
    switch (field) {
    case F::Ignore:
        return QStringLiteral("(ignore)");
    case F::Name:
        return QStringLiteral("Whole Name");
    case F::Company:
        return QStringLiteral("Company");
    default:
        return fieldKeyword(field);
    }
}

QString fieldKeyword(ImportField field)
{
    // A record field is named as its command-line option names it ("--first" -> "first").
    for (const auto& [importField, recordField] : recordFields) {
        if (importField == field)
            return QString::fromLatin1(fieldInfo(recordField).cliOption).mid(2);
    }
    switch (field) {
    case F::Name:
        return QStringLiteral("name");
    case F::Company:
        return QStringLiteral("company");
    case F::Phone:
        return QStringLiteral("phone");
    case F::PhoneType:
        return QStringLiteral("phone type");
    case F::EmailType:
        return QStringLiteral("email type");
    case F::AddressType:
        return QStringLiteral("address type");
    case F::BirthYear:
        return QStringLiteral("birth year");
    case F::BirthMonth:
        return QStringLiteral("birth month");
    case F::BirthDay:
        return QStringLiteral("birth day");
    case F::PoBox:
        return QStringLiteral("po box");
    case F::FormattedAddress:
        return QStringLiteral("whole address");
    default:
        return QStringLiteral("ignore");
    }
}

std::optional<ImportField> fieldFromKeyword(const QString& keyword)
{
    for (const ImportField field : choosableFields()) {
        if (fieldKeyword(field) == keyword.trimmed().toLower())
            return field;
    }
    return std::nullopt;
}

bool hasNameOrEmail(const ColumnMapping& mapping)
{
    for (const ColumnTarget& target : mapping) {
        switch (target.field) {
        case F::First:
        case F::Last:
        case F::Name:
        case F::Company:
        case F::Email:
            return true;
        default:
            break;
        }
    }
    return false;
}

int keyFieldCount(const ColumnMapping& mapping)
{
    bool first = false, last = false, street = false, city = false, state = false, zip = false, email = false;
    for (const ColumnTarget& target : mapping) {
        const F field = target.field;
        first = first || field == F::First || field == F::Name;
        last = last || field == F::Last || field == F::Name || field == F::Company;
        street = street || field == F::Street || field == F::FormattedAddress;
        city = city || field == F::City;
        state = state || field == F::State;
        zip = zip || field == F::Zip;
        email = email || field == F::Email;
    }
    return int(first) + int(last) + int(street) + int(city) + int(state) + int(zip) + int(email);
}

QString mappingDescription(const QStringList& headers, const ColumnMapping& mapping)
{
    QStringList parts;
    for (std::size_t i = 0; i < mapping.size() && i < std::size_t(headers.size()); ++i) {
        if (mapping[i].field != F::Ignore)
            parts << headers.at(qsizetype(i)).trimmed() + QStringLiteral(" → ") + fieldKeyword(mapping[i].field);
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace quillet
