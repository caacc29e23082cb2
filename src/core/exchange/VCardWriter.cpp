#include "core/exchange/VCardWriter.h"

#include "core/common/Cp1252.h"
#include "core/common/TextRules.h"
#include "core/contacts/ContactRecord.h"

#include <QStringList>

namespace quillet {

namespace {

constexpr qsizetype maxOctets = 75;

// A stored field without its surrounding spaces.
QByteArrayView trimmedField(QByteArrayView record, Field field)
{
    return text::trimSpaces(ContactRecord::storedFromBytes(record, field));
}

// A stored field without its surrounding spaces, escaped, in UTF-8.
QByteArray escapedField(QByteArrayView record, Field field)
{
    return vcardEscape(cp1252::decode(trimmedField(record, field))).toUtf8();
}

// The stored ";" list: each category escaped on its own (so that an escaped comma
// in one stays whole), empty ones left out, joined by commas.
QByteArray categoriesValue(QByteArrayView record)
{
    QStringList categories;
    for (const QString& category : cp1252::decode(trimmedField(record, Field::Category)).split(u';')) {
        // Empty once escaped: a category of control characters only is none either.
        if (const QString escaped = vcardEscape(category); !escaped.isEmpty())
            categories << escaped;
    }
    return categories.join(u',').toUtf8();
}

void addLine(QByteArray& out, QByteArrayView name, const QByteArray& value)
{
    out += foldedLine(name.toByteArray() + ':' + value);
}

void addIfAny(QByteArray& out, QByteArrayView name, const QByteArray& value)
{
    if (!value.isEmpty())
        addLine(out, name, value);
}

QByteArray isoBirthdate(const QByteArray& stored)
{
    if (stored.size() != 8)
        return {};
    for (const char c : stored) {
        if (c < '0' || c > '9')
            return {};
    }
    return stored.left(4) + '-' + stored.mid(4, 2) + '-' + stored.mid(6, 2);
}

} // namespace

QString vcardEscape(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar c : value) {
        // A control character (a NUL in an old record) would make the card a binary
        // file to every reader; tabs and line breaks are text.
        const char16_t code = c.unicode();
        if ((code < 0x20 && c != u'\n' && c != u'\t' && c != u'\r') || (code >= 0x7F && code <= 0x9F))
            continue;
        if (c == u'\\' || c == u',' || c == u';')
            escaped += u'\\';
        if (c == u'\n')
            escaped += QStringLiteral("\\n");
        else if (c != u'\r')
            escaped += c;
    }
    return escaped;
}

QByteArray foldedLine(const QByteArray& line)
{
    if (line.size() <= maxOctets)
        return line + "\r\n";
    QByteArray out;
    out.reserve(line.size() + line.size() / 25 + 4);
    qsizetype start = 0;
    qsizetype room = maxOctets;
    while (line.size() - start > room) {
        qsizetype cut = start + room;
        while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut; // not inside a UTF-8 sequence
        out.append(line.constData() + start, cut - start);
        out += "\r\n ";
        start = cut;
        room = maxOctets - 1; // the space that opens the continuation counts
    }
    out.append(line.constData() + start, line.size() - start);
    out += "\r\n";
    return out;
}

void appendVCard(QByteArray& out, QByteArrayView record)
{
    const QByteArray first = escapedField(record, Field::FirstName);
    const QByteArray mi = escapedField(record, Field::MI);
    const QByteArray last = escapedField(record, Field::LastName);
    out += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
    addLine(out, "N", last + ';' + first + ';' + mi + ";;");
    QByteArray whole;
    for (const QByteArray* part : {&first, &mi, &last}) {
        if (!part->isEmpty())
            whole += (whole.isEmpty() ? "" : " ") + *part;
    }
    addLine(out, "FN", whole);
    QByteArray adr;
    bool anyAddress = false;
    for (const Field field : {Field::Street2, Field::Street1, Field::City, Field::State, Field::Zip, Field::Country}) {
        const QByteArray part = escapedField(record, field);
        anyAddress = anyAddress || !part.isEmpty();
        adr += ';' + part;
    }
    if (anyAddress)
        addLine(out, "ADR;TYPE=home", adr);
    addIfAny(out, "TEL;TYPE=home", escapedField(record, Field::HomePhone));
    addIfAny(out, "TEL;TYPE=cell", escapedField(record, Field::CellPhone));
    addIfAny(out, "TEL;TYPE=work", escapedField(record, Field::WorkPhone));
    addIfAny(out, "EMAIL;TYPE=internet", escapedField(record, Field::Email));
    addIfAny(out, "BDAY", isoBirthdate(escapedField(record, Field::Birthdate)));
    addIfAny(out, "NOTE", escapedField(record, Field::Notes));
    addIfAny(out, "CATEGORIES", categoriesValue(record));
    out += "END:VCARD\r\n";
}

} // namespace quillet
