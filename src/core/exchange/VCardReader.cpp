#include "core/exchange/VCardReader.h"

#include "core/common/Cp1252.h"
#include "core/common/TextRules.h"
#include "core/exchange/ImportText.h"

#include <QStringDecoder>

#include <algorithm>
#include <functional>
#include <optional>

namespace quillet {

namespace {

struct Property
{
    QStringView name; // without its group
    QString types;    // every TYPE given, lower case, comma-separated
    int preference = 100;
    bool quotedPrintable = false;
    QString charset;
    QStringView value;

    bool is(QLatin1StringView wanted) const { return text::isKeyword(name, wanted); }
};

// Parameter values may be quoted: TYPE="home,work".
QStringView unquoted(QStringView value)
{
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
        return value.sliced(1, value.size() - 2);
    return value;
}

// The position of the colon that ends a content line's name and parameters, from
// `from` on; `quoted` carries a double quote still open from an earlier part.
qsizetype nameEnd(QStringView line, qsizetype from, bool& quoted)
{
    for (qsizetype i = from; i < line.size(); ++i) {
        if (line[i] == u'"')
            quoted = !quoted;
        else if (line[i] == u':' && !quoted)
            return i;
    }
    return -1;
}

// Read in place: most lines have a parameter or two, and every card a dozen lines.
Property parseProperty(QStringView line)
{
    Property property;
    bool quoted = false;
    const qsizetype colon = nameEnd(line, 0, quoted);
    if (colon < 0)
        return property;
    property.value = line.sliced(colon + 1);
    const QStringView head = line.first(colon);
    const qsizetype semicolon = text::find(head, u';'); // ends the name
    QStringView name = semicolon < 0 ? head : head.first(semicolon);
    for (qsizetype dot = name.size() - 1; dot >= 0; --dot) {
        if (name[dot] == u'.') {
            name = name.sliced(dot + 1);
            break;
        }
    }
    property.name = name;
    if (semicolon < 0)
        return property;
    const QStringView parameters = head.sliced(semicolon + 1);
    for (qsizetype start = 0; start <= parameters.size();) {
        qsizetype end = text::find(parameters, u';', start);
        end = end < 0 ? parameters.size() : end;
        const QStringView parameter = parameters.sliced(start, end - start);
        start = end + 1;
        const qsizetype equals = text::find(parameter, u'=');
        const QStringView key = equals < 0 ? QStringView() : parameter.first(equals);
        const QStringView value = unquoted(equals < 0 ? parameter : parameter.sliced(equals + 1));
        const bool quotedPrintable = text::isKeyword(value, QLatin1StringView("quoted-printable"));
        if (text::isKeyword(key, QLatin1StringView("ENCODING")) || (key.isEmpty() && quotedPrintable)) {
            property.quotedPrintable = property.quotedPrintable || quotedPrintable;
        } else if (text::isKeyword(key, QLatin1StringView("CHARSET"))) {
            property.charset = value.toString().toLower();
        } else if (text::isKeyword(key, QLatin1StringView("PREF"))) {
            property.preference = std::max(1, value.toInt());
        } else if (text::isKeyword(key, QLatin1StringView("TYPE")) || key.isEmpty()) {
            property.types += value;
            property.types += u',';
        }
    }
    if (!property.types.isEmpty()) {
        property.types = std::move(property.types).toLower();
        property.types.remove(u'"');
        if (text::holdsKeyword(property.types, QLatin1StringView("pref")))
            property.preference = 1;
    }
    return property;
}

// "=XX" escapes to bytes; other characters stand for the bytes they were read from.
QByteArray quotedPrintableBytes(QStringView value, const std::function<QByteArray(QStringView)>& raw)
{
    QByteArray bytes;
    bytes.reserve(value.size());
    qsizetype plainFrom = 0;
    const auto flush = [&](qsizetype to) {
        if (to > plainFrom)
            bytes += raw(value.sliced(plainFrom, to - plainFrom));
    };
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'=' && i + 2 < value.size()) {
            bool ok = false;
            const int byte = value.sliced(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                flush(i);
                bytes.append(char(byte));
                i += 2;
                plainFrom = i + 1;
            }
        }
    }
    flush(value.size());
    return bytes;
}

struct CardBuilder
{
    ImportedContact& contact;
    int next = 0; // group numbers in card order

    void add(const Property& p, QStringView raw)
    {
        if (p.is(QLatin1StringView("N"))) {
            const QStringList n = vcardComponents(raw);
            contact.last = n.value(0);
            contact.first = n.value(1);
            contact.middle = n.value(2);
        } else if (p.is(QLatin1StringView("FN"))) {
            contact.name = vcardUnescape(raw);
        } else if (p.is(QLatin1StringView("ORG"))) {
            contact.company = vcardComponents(raw).value(0);
        } else if (p.is(QLatin1StringView("ADR"))) {
            const QStringList adr = vcardComponents(raw);
            ImportedContact::Address& address = contact.addresses[++next];
            address.type = p.types;
            address.poBox = adr.value(0);
            address.street2 = adr.value(1);
            address.street = adr.value(2);
            address.city = adr.value(3);
            address.state = adr.value(4);
            address.zip = adr.value(5);
            address.country = adr.value(6);
        } else if (p.is(QLatin1StringView("TEL"))) {
            contact.phones[++next] = {p.types.isEmpty() ? QStringLiteral("home") : p.types, vcardUnescape(raw)};
        } else if (p.is(QLatin1StringView("EMAIL"))) {
            contact.emails[++next] = {vcardUnescape(raw), p.preference};
        } else if (p.is(QLatin1StringView("BDAY"))) {
            contact.birthdate = vcardUnescape(raw);
        } else if (p.is(QLatin1StringView("NOTE"))) {
            contact.notes = vcardUnescape(raw);
        } else if (p.is(QLatin1StringView("CATEGORIES"))) {
            contact.categories << vcardComponents(raw, u',');
        }
    }
};

// Whether a content line's name and parameters say its value is quoted-printable.
bool namesQuotedPrintable(QStringView head)
{
    // Looked for on every line: the hyphen rules out most lines cheaply.
    return text::find(head, u'-') >= 0 && text::holdsKeyword(head, QLatin1StringView("QUOTED-PRINTABLE"));
}

} // namespace

QString vcardUnescape(QStringView value)
{
    qsizetype i = std::find(value.begin(), value.end(), u'\\') - value.begin();
    if (i == value.size())
        return value.toString();
    QString text(value.size(), Qt::Uninitialized);
    QChar* out = std::copy(value.begin(), value.begin() + i, text.data());
    for (; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            *out++ = value[i];
            continue;
        }
        const QChar next = value[++i];
        *out++ = next == u'n' || next == u'N' ? QChar(u'\n') : next;
    }
    text.truncate(out - text.data());
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

// One content line, unfolded. A quoted-printable value's soft line break ("=" at
// the end) joins the next line whole, before folding could take its first blank.
// The parameters are looked at once per line, so a long value costs its length.
bool VCardReader::logicalLine(QString& line)
{
    if (!m_havePending && !m_lines.next(m_pending))
        return false;
    line.swap(m_pending); // each keeps its buffer for the next line
    m_havePending = false;
    bool quoted = false;
    qsizetype colon = nameEnd(line, 0, quoted);
    bool quotedPrintable = colon > 0 && namesQuotedPrintable(QStringView(line).first(colon));
    while (m_lines.next(m_pending)) {
        const qsizetype from = line.size();
        if (quotedPrintable && line.endsWith(u'=')) {
            line.chop(1);
            line += m_pending;
        } else if (!m_pending.isEmpty() && (m_pending.front() == u' ' || m_pending.front() == u'\t')) {
            line += QStringView(m_pending).sliced(1);
        } else {
            m_havePending = true;
            return true;
        }
        if (colon < 0 && (colon = nameEnd(line, from, quoted)) > 0)
            quotedPrintable = namesQuotedPrintable(QStringView(line).first(colon));
    }
    return true;
}

// The bytes a stretch of the file's text was read from: the charset a value names
// applies to those. A file read as UTF-8 decodes each byte outside a valid sequence
// as Windows-1252, so a letter of that code page gives its byte back and any other
// character its UTF-8 sequence. A UTF-16 file holds characters, not bytes.
QByteArray VCardReader::rawBytes(QStringView text) const
{
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype wideFrom = -1; // a run of characters the code page does not hold
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const int byte = i < text.size() ? cp1252::byteFor(text[i].unicode()) : 0;
        if (byte < 0 && i < text.size()) {
            wideFrom = wideFrom < 0 ? i : wideFrom;
            continue;
        }
        if (wideFrom >= 0)
            bytes += text.sliced(wideFrom, i - wideFrom).toUtf8();
        wideFrom = -1;
        if (i < text.size())
            bytes += char(byte);
    }
    return bytes;
}

QString VCardReader::decoded(const QByteArray& bytes, const QString& charset)
{
    if (charset.isEmpty() || charset == u"utf-8")
        return decodeImportBytes(bytes);
    std::shared_ptr<QStringDecoder>& decoder = m_decoders[charset];
    if (!decoder)
        decoder = std::make_shared<QStringDecoder>(charset.toLatin1().constData());
    if (!decoder->isValid())
        return decodeImportBytes(bytes); // a charset nobody knows: the import text rule
    decoder->resetState();
    return decoder->decode(bytes);
}

// The value as text: quoted-printable decoded, a named charset applied; the escapes are left for the caller.
QStringView VCardReader::valueText(QStringView value, bool quotedPrintable, const QString& charset,
                                   QString& decodedText)
{
    const bool eightBit = m_lines.encoding() == TextEncoding::Windows1252 || m_lines.encoding() == TextEncoding::Utf8;
    if (quotedPrintable) {
        const auto raw = [this, eightBit](QStringView text) { return eightBit ? rawBytes(text) : text.toUtf8(); };
        return decodedText = decoded(quotedPrintableBytes(value, raw), eightBit ? charset : QString());
    }
    if (charset.isEmpty() || !eightBit || charset == u"utf-8")
        return value;
    return decodedText = decoded(rawBytes(value), charset);
}

bool VCardReader::next(ImportedContact& card)
{
    card = {};
    std::optional<CardBuilder> builder;
    while (logicalLine(m_line)) {
        const Property property = parseProperty(m_line);
        const QStringView value = property.value.trimmed();
        if (property.is(QLatin1StringView("BEGIN")) && text::isKeyword(value, QLatin1StringView("VCARD"))) {
            card = {};
            builder.emplace(CardBuilder{card});
        } else if (property.is(QLatin1StringView("END")) && text::isKeyword(value, QLatin1StringView("VCARD"))) {
            if (builder)
                return true;
        } else if (property.is(QLatin1StringView("VERSION"))) {
            if (m_version.isEmpty())
                m_version = value.toString();
        } else if (builder) {
            QString decodedText;
            builder->add(property, valueText(property.value, property.quotedPrintable, property.charset, decodedText));
        }
    }
    return builder.has_value() && m_lines.status().ok();
}

} // namespace quillet
