#include "core/exchange/VCardReader.h"

#include "core/exchange/ImportText.h"

#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace quillet {

namespace {

struct Property
{
    QString name;  // upper case, without its group
    QString types; // every TYPE given, lower case, comma-separated
    int preference = 100;
    bool quotedPrintable = false;
    QString charset;
    QStringView value;
};

Property parseProperty(QStringView line)
{
    Property property;
    qsizetype colon = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size() && colon < 0; ++i) {
        if (line[i] == u'"')
            quoted = !quoted;
        else if (line[i] == u':' && !quoted)
            colon = i;
    }
    if (colon < 0)
        return property;
    property.value = line.sliced(colon + 1);
    const QList<QStringView> parts = line.first(colon).split(u';');
    QStringView name = parts.first();
    if (const qsizetype dot = name.lastIndexOf(u'.'); dot >= 0)
        name = name.sliced(dot + 1);
    property.name = name.toString().toUpper();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QStringView parameter = parts[i];
        const qsizetype equals = parameter.indexOf(u'=');
        const QString key = (equals < 0 ? QStringView() : parameter.first(equals)).toString().toUpper();
        QString value = (equals < 0 ? parameter : parameter.sliced(equals + 1)).toString().toLower();
        value.remove(u'"');
        if (key == u"ENCODING" || (key.isEmpty() && value == u"quoted-printable"))
            property.quotedPrintable = property.quotedPrintable || value == u"quoted-printable";
        else if (key == u"CHARSET")
            property.charset = value;
        else if (key == u"PREF")
            property.preference = std::max(1, value.toInt());
        else if (key == u"TYPE" || key.isEmpty())
            property.types += value + u',';
    }
    if (property.types.contains(QStringLiteral("pref")))
        property.preference = 1;
    return property;
}

QString decodeQuotedPrintable(QStringView value, const QString& charset)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'=' && i + 2 < value.size()) {
            bool ok = false;
            const int byte = value.sliced(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                bytes.append(char(byte));
                i += 2;
                continue;
            }
        }
        if (value[i].unicode() < 0x80)
            bytes.append(char(value[i].unicode()));
        else
            bytes.append(QString(value[i]).toUtf8());
    }
    if (!charset.isEmpty() && charset != u"utf-8") {
        QStringDecoder decoder(charset.toLatin1().constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return decodeImportBytes(bytes);
}

// The value as text: quoted-printable decoded; escapes are left for the caller.
QString rawValue(const Property& property)
{
    if (property.quotedPrintable)
        return decodeQuotedPrintable(property.value, property.charset);
    return property.value.toString();
}

struct CardBuilder
{
    ImportedContact contact;
    int next = 0; // group numbers in card order

    void add(const Property& p)
    {
        const QString raw = rawValue(p);
        if (p.name == u"N") {
            const QStringList n = vcardComponents(raw);
            contact.last = n.value(0);
            contact.first = n.value(1);
            contact.middle = n.value(2);
        } else if (p.name == u"FN") {
            contact.name = vcardUnescape(raw);
        } else if (p.name == u"ORG") {
            contact.company = vcardComponents(raw).value(0);
        } else if (p.name == u"ADR") {
            const QStringList adr = vcardComponents(raw);
            const QString street = adr.value(2);
            const qsizetype lineBreak = street.indexOf(u'\n');
            ImportedContact::Address& address = contact.addresses[++next];
            address.type = p.types;
            address.street = lineBreak < 0 ? street : street.left(lineBreak);
            address.street2 = !adr.value(1).isEmpty() ? adr.value(1)
                              : lineBreak < 0         ? QString()
                                                      : street.mid(lineBreak + 1);
            address.city = adr.value(3);
            address.state = adr.value(4);
            address.zip = adr.value(5);
            address.country = adr.value(6);
        } else if (p.name == u"TEL") {
            contact.phones[++next] = {p.types.isEmpty() ? QStringLiteral("home") : p.types, vcardUnescape(raw)};
        } else if (p.name == u"EMAIL") {
            contact.emails[++next] = {vcardUnescape(raw), p.preference};
        } else if (p.name == u"BDAY") {
            contact.birthdate = vcardUnescape(raw);
        } else if (p.name == u"NOTE") {
            contact.notes = vcardUnescape(raw);
        } else if (p.name == u"CATEGORIES") {
            contact.categories << vcardComponents(raw, u',');
        }
    }
};

// The next unfolded line from `pos`; quoted-printable soft breaks ("=" at the end) join too.
void nextLine(QStringView text, qsizetype& pos, QString& line)
{
    line.clear(); // keeps its room for the next line
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        line += text.sliced(pos, end - pos);
        pos = end;
        if (pos < text.size() && text[pos] == u'\r')
            ++pos;
        if (pos < text.size() && text[pos] == u'\n')
            ++pos;
        if (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t')) {
            ++pos; // a folded line goes on after one white space
            continue;
        }
        const bool softBreak =
            line.endsWith(u'=') && line.contains(QStringLiteral("QUOTED-PRINTABLE"), Qt::CaseInsensitive);
        if (softBreak && pos < text.size()) {
            line.chop(1);
            continue;
        }
        break;
    }
}

} // namespace

QString vcardUnescape(QStringView value)
{
    QString text;
    text.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        const QChar next = value[++i];
        text += next == u'n' || next == u'N' ? QChar(u'\n') : next;
    }
    return text;
}

QStringList vcardComponents(QStringView value, QChar separator)
{
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= value.size(); ++i) {
        if (i < value.size() && value[i] == u'\\') {
            ++i;
            continue;
        }
        if (i == value.size() || value[i] == separator) {
            parts << vcardUnescape(value.sliced(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

QString readVCards(QStringView text, const std::function<void(const ImportedContact&)>& card)
{
    QString version;
    std::optional<CardBuilder> builder;
    qsizetype pos = 0;
    QString line;
    while (pos < text.size()) {
        nextLine(text, pos, line);
        const Property property = parseProperty(line);
        const QString value = property.value.trimmed().toString();
        if (property.name == u"BEGIN" && value.compare(u"VCARD", Qt::CaseInsensitive) == 0) {
            builder.emplace();
        } else if (property.name == u"END" && value.compare(u"VCARD", Qt::CaseInsensitive) == 0) {
            if (builder)
                card(builder->contact);
            builder.reset();
        } else if (property.name == u"VERSION") {
            if (version.isEmpty())
                version = value;
        } else if (builder) {
            builder->add(property);
        }
    }
    // A last card without its END still counts.
    if (builder)
        card(builder->contact);
    return version;
}

} // namespace quillet
