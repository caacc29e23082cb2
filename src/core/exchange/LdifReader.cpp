#include "core/exchange/LdifReader.h"

#include "core/exchange/ImportText.h"

#include <QByteArray>
#include <QHash>

namespace quillet {

namespace {

constexpr int homeAddress = 1;
constexpr int workAddress = 2;

struct EntryBuilder
{
    ImportedContact contact;
    bool list = false;
    bool any = false; // an entry starts with its "dn:"; a "version:" line alone is none

    void add(const QString& attribute, const QString& value)
    {
        any = any || attribute == u"dn";
        ImportedContact::Address& home = contact.addresses[homeAddress];
        ImportedContact::Address& work = contact.addresses[workAddress];
        home.type = QStringLiteral("home");
        work.type = QStringLiteral("work");
        static const QHash<QString, QString ImportedContact::*> people{{"givenname", &ImportedContact::first},
                                                                       {"sn", &ImportedContact::last},
                                                                       {"cn", &ImportedContact::name},
                                                                       {"o", &ImportedContact::company},
                                                                       {"description", &ImportedContact::notes},
                                                                       {"birthyear", &ImportedContact::birthYear},
                                                                       {"birthmonth", &ImportedContact::birthMonth},
                                                                       {"birthday", &ImportedContact::birthDay}};
        static const QHash<QString, std::pair<int, QString ImportedContact::Address::*>> addresses{
            {"mozillahomestreet", {homeAddress, &ImportedContact::Address::street}},
            {"mozillahomestreet2", {homeAddress, &ImportedContact::Address::street2}},
            {"mozillahomelocalityname", {homeAddress, &ImportedContact::Address::city}},
            {"mozillahomestate", {homeAddress, &ImportedContact::Address::state}},
            {"mozillahomepostalcode", {homeAddress, &ImportedContact::Address::zip}},
            {"mozillahomecountryname", {homeAddress, &ImportedContact::Address::country}},
            {"street", {workAddress, &ImportedContact::Address::street}},
            {"mozillaworkstreet2", {workAddress, &ImportedContact::Address::street2}},
            {"l", {workAddress, &ImportedContact::Address::city}},
            {"st", {workAddress, &ImportedContact::Address::state}},
            {"postalcode", {workAddress, &ImportedContact::Address::zip}},
            {"c", {workAddress, &ImportedContact::Address::country}}};
        static const QHash<QString, QString> phones{
            {"homephone", "home"}, {"mobile", "cell"}, {"telephonenumber", "work"}};
        if (const auto person = people.find(attribute); person != people.end()) {
            contact.*(*person) = value;
        } else if (const auto address = addresses.find(attribute); address != addresses.end()) {
            contact.addresses[address->first].*(address->second) = value;
        } else if (const auto phone = phones.find(attribute); phone != phones.end()) {
            contact.phones[int(contact.phones.size()) + 1] = {*phone, value};
        } else if (attribute == u"mail" || attribute == u"mozillasecondemail") {
            contact.emails[attribute == u"mail" ? 1 : 2].value = value;
        } else if (attribute == u"objectclass") {
            list = list || value.compare(u"groupOfNames", Qt::CaseInsensitive) == 0;
        }
    }
};

// One attribute line: "name: text", "name:: base64" or "name:< url" (not read).
void addLine(EntryBuilder& builder, QStringView line)
{
    const qsizetype colon = line.indexOf(u':');
    if (colon <= 0)
        return;
    QString attribute = line.first(colon).toString().toLower();
    if (const qsizetype option = attribute.indexOf(u';'); option >= 0)
        attribute.truncate(option); // "cn;lang-en"
    QStringView rest = line.sliced(colon + 1);
    QString value;
    if (rest.startsWith(u':'))
        value = decodeImportBytes(QByteArray::fromBase64(rest.sliced(1).trimmed().toLatin1()));
    else if (rest.startsWith(u'<'))
        return;
    else
        value = rest.trimmed().toString();
    builder.add(attribute, value);
}

} // namespace

bool LdifReader::next(ImportedContact& entry)
{
    EntryBuilder builder;
    QString line;
    const auto finishLine = [&] {
        if (!line.isEmpty() && !line.startsWith(u'#'))
            addLine(builder, line);
        line.clear();
    };
    QString physical;
    while (m_lines.next(physical)) {
        if (physical.startsWith(u' ')) {
            line += QStringView(physical).sliced(1); // a folded line
        } else if (physical.isEmpty()) {
            finishLine();
            if (builder.any && !builder.list) {
                entry = std::move(builder.contact);
                return true;
            }
            builder = {};
        } else {
            finishLine();
            line = std::move(physical);
        }
    }
    finishLine();
    if (!m_lines.status().ok() || !builder.any || builder.list)
        return false;
    entry = std::move(builder.contact);
    return true;
}

} // namespace quillet
