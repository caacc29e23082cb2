#include "exchange/VCardWriter.h"

#include "common/TextRules.h"

#include <QStringList>

namespace quillet {

namespace {

constexpr qsizetype maxOctets = 75;

QString value(const ContactRecord& record, Field field)
{
    return text::trimSpaces(record.value(field));
}

void addLine(QByteArray& out, const QString& name, const QString& text)
{
    out += foldedLine((name + u':' + text).toUtf8());
}

void addIfAny(QByteArray& out, const QString& name, const QString& text)
{
    if (!text.isEmpty())
        addLine(out, name, vcardEscape(text));
}

QString isoBirthdate(const QString& stored)
{
    if (stored.size() != 8)
        return {};
    for (const QChar c : stored) {
        if (!c.isDigit())
            return {};
    }
    return stored.left(4) + u'-' + stored.mid(4, 2) + u'-' + stored.mid(6, 2);
}

} // namespace

QString vcardEscape(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar c : value) {
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
    QByteArray out;
    qsizetype start = 0;
    qsizetype room = maxOctets;
    while (line.size() - start > room) {
        qsizetype cut = start + room;
        while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut; // not inside a UTF-8 sequence
        out += line.mid(start, cut - start) + "\r\n ";
        start = cut;
        room = maxOctets - 1; // the space that opens the continuation counts
    }
    out += line.mid(start) + "\r\n";
    return out;
}

void appendVCard(QByteArray& out, const ContactRecord& record)
{
    const QString first = value(record, Field::FirstName);
    const QString mi = value(record, Field::MI);
    const QString last = value(record, Field::LastName);
    out += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
    addLine(out, QStringLiteral("N"),
            vcardEscape(last) + u';' + vcardEscape(first) + u';' + vcardEscape(mi) + QStringLiteral(";;"));
    QStringList whole;
    for (const QString& part : {first, mi, last}) {
        if (!part.isEmpty())
            whole << part;
    }
    addLine(out, QStringLiteral("FN"), vcardEscape(whole.join(u' ')));
    const QStringList address{value(record, Field::Street2), value(record, Field::Street1),
                              value(record, Field::City),    value(record, Field::State),
                              value(record, Field::Zip),     value(record, Field::Country)};
    if (!address.join(QString()).isEmpty()) {
        QString adr;
        for (const QString& part : address)
            adr += u';' + vcardEscape(part);
        addLine(out, QStringLiteral("ADR;TYPE=home"), adr);
    }
    addIfAny(out, QStringLiteral("TEL;TYPE=home"), value(record, Field::HomePhone));
    addIfAny(out, QStringLiteral("TEL;TYPE=cell"), value(record, Field::CellPhone));
    addIfAny(out, QStringLiteral("TEL;TYPE=work"), value(record, Field::WorkPhone));
    addIfAny(out, QStringLiteral("EMAIL;TYPE=internet"), value(record, Field::Email));
    const QString birthdate = isoBirthdate(value(record, Field::Birthdate));
    if (!birthdate.isEmpty())
        addLine(out, QStringLiteral("BDAY"), birthdate);
    addIfAny(out, QStringLiteral("NOTE"), value(record, Field::Notes));
    QStringList categories;
    for (const QString& category : value(record, Field::Category).split(u';', Qt::SkipEmptyParts))
        categories << vcardEscape(category.trimmed());
    if (!categories.isEmpty())
        addLine(out, QStringLiteral("CATEGORIES"), categories.join(u','));
    out += "END:VCARD\r\n";
}

} // namespace quillet
