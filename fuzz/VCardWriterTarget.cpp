#include "FuzzSupport.h"
#include "FuzzTargets.h"

#include "core/common/TextRules.h"
#include "core/exchange/ImportLines.h"
#include "core/exchange/VCardReader.h"
#include "core/exchange/VCardWriter.h"

#include <QStringList>

#include <algorithm>

namespace quillet::fuzz {

namespace {

// A stored field as the card must carry it: without its surrounding spaces, and
// without carriage returns, which a vCard line cannot hold.
QString expected(QByteArrayView record, Field field)
{
    QString value = ContactRecord::fieldFromBytes(record, field).remove(u'\r');
    value.removeIf([](QChar c) {
        const char16_t code = c.unicode();
        return (code < 0x20 && c != u'\n' && c != u'\t') || (code >= 0x7F && code <= 0x9F);
    });
    return text::trimSpaces(value);
}

QString compare(const QString& what, const QString& wanted, const QString& read)
{
    return wanted == read ? QString() : mismatch(what, wanted, read);
}

QString checkNameAndAddress(QByteArrayView record, const ImportedContact& card)
{
    QString broken = compare(QStringLiteral("first name"), expected(record, Field::FirstName), card.first) +
                     compare(QStringLiteral("initial"), expected(record, Field::MI), card.middle) +
                     compare(QStringLiteral("last name"), expected(record, Field::LastName), card.last);
    QStringList parts;
    for (Field field : {Field::Street1, Field::Street2, Field::City, Field::State, Field::Zip, Field::Country})
        parts << expected(record, field);
    if (parts.join(QString()).isEmpty())
        return broken + (card.addresses.empty() ? QString() : QStringLiteral("an address from none"));
    if (card.addresses.size() != 1)
        return broken + QStringLiteral("%1 addresses from one").arg(card.addresses.size());
    const ImportedContact::Address& address = card.addresses.begin()->second;
    // A line break in the street makes a second street line when there is none.
    const qsizetype lineBreak = parts[0].indexOf(u'\n');
    const QString street = lineBreak < 0 ? parts[0] : parts[0].left(lineBreak);
    const QString street2 = !parts[1].isEmpty() ? parts[1] : lineBreak < 0 ? QString() : parts[0].mid(lineBreak + 1);
    const QStringList read{address.street, address.street2, address.city, address.state, address.zip, address.country};
    return broken + compare(QStringLiteral("address"),
                            QStringList{street, street2, parts[2], parts[3], parts[4], parts[5]}.join(u'|'),
                            read.join(u'|'));
}

QString checkOthers(QByteArrayView record, const ImportedContact& card)
{
    QStringList phones;
    for (const auto& [group, phone] : card.phones)
        phones << phone.type.split(u',', Qt::SkipEmptyParts).join(u',') + u'=' + phone.value;
    QStringList wanted;
    for (const auto& [field, type] : {std::pair{Field::HomePhone, "home"}, std::pair{Field::CellPhone, "cell"},
                                      std::pair{Field::WorkPhone, "work"}}) {
        if (const QString value = expected(record, field); !value.isEmpty())
            wanted << QString::fromLatin1(type) + u'=' + value;
    }
    QString broken = compare(QStringLiteral("phones"), wanted.join(u'|'), phones.join(u'|'));
    const QString email = expected(record, Field::Email);
    const QString readEmail = card.emails.empty() ? QString() : card.emails.begin()->second.value;
    broken += compare(QStringLiteral("e-mail"), email, readEmail);
    if (card.emails.size() > 1)
        broken += QStringLiteral("more than one e-mail");
    broken += compare(QStringLiteral("notes"), expected(record, Field::Notes), card.notes);
    QStringList categories = expected(record, Field::Category).split(u';', Qt::SkipEmptyParts);
    broken += compare(QStringLiteral("categories"), categories.join(u'|'), card.categories.join(u'|'));
    const QString stored = expected(record, Field::Birthdate);
    const bool date =
        stored.size() == 8 && std::all_of(stored.begin(), stored.end(), [](QChar c) { return c.isDigit(); });
    const QString birthdate = date ? stored.left(4) + u'-' + stored.mid(4, 2) + u'-' + stored.mid(6, 2) : QString();
    return broken + compare(QStringLiteral("birth date"), birthdate, card.birthdate);
}

} // namespace

QString vcardRoundTrip(const uint8_t* data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    // The input as stored records, the last one completed with a blank record's bytes.
    for (qsizetype at = 0; at < bytes.size(); at += recordSize) {
        QByteArray record = bytes.mid(at, recordSize);
        record += ContactRecord().toBytes().mid(record.size());
        QByteArray card;
        appendVCard(card, record);
        QList<ImportedContact> read;
        // The reader streams from a file, as an import does.
        const QString path = scratchPath(QStringLiteral("card.vcf"));
        if (!writeScratch(path, card))
            return QStringLiteral("cannot write the card to the scratch folder");
        ImportLines lines;
        if (lines.open(path)) {
            VCardReader reader(lines);
            for (ImportedContact contact; reader.next(contact); contact = ImportedContact())
                read.append(contact);
        }
        if (read.size() != 1)
            return QStringLiteral("record %1 came back as %2 cards").arg(at / recordSize + 1).arg(read.size());
        const QString broken = checkNameAndAddress(record, read.front()) + checkOthers(record, read.front());
        if (!broken.isEmpty())
            return QStringLiteral("record %1: ").arg(at / recordSize + 1) + broken;
    }
    return {};
}

} // namespace quillet::fuzz
