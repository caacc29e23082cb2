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

// A stored field as the card must carry it: without its surrounding spaces (the
// stored ones, taken off first), and without the control characters a vCard holds
// none of (all but tab and line feed).
QString expected(QByteArrayView record, Field field)
{
    QString value = text::trimSpaces(ContactRecord::fieldFromBytes(record, field));
    value.removeIf(
        [](QChar c) { return (c < u' ' && c != u'\t' && c != u'\n') || (c.unicode() >= 0x7F && c.unicode() <= 0x9F); });
    return value;
}

// Joins values for a comparison: a character no stored field can hold (they are
// Windows-1252), so that two lists compare equal only when their values do.
constexpr QChar separator(0x241F);

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
    const QStringList read{address.street, address.street2, address.city, address.state, address.zip, address.country};
    return broken + compare(QStringLiteral("address"), parts.join(separator), read.join(separator));
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
    QString broken = compare(QStringLiteral("phones"), wanted.join(separator), phones.join(separator));
    const QString email = expected(record, Field::Email);
    const QString readEmail = card.emails.empty() ? QString() : card.emails.begin()->second.value;
    broken += compare(QStringLiteral("e-mail"), email, readEmail);
    if (card.emails.size() > 1)
        broken += QStringLiteral("more than one e-mail");
    broken += compare(QStringLiteral("notes"), expected(record, Field::Notes), card.notes);
    QStringList categories = expected(record, Field::Category).split(u';', Qt::SkipEmptyParts);
    broken += compare(QStringLiteral("categories"), categories.join(separator), card.categories.join(separator));
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
    QList<QByteArray> records;
    QByteArray cards;
    for (qsizetype at = 0; at < bytes.size(); at += recordSize) {
        records << bytes.mid(at, recordSize);
        records.back() += ContactRecord().toBytes().mid(records.back().size());
        appendVCard(cards, records.back());
    }
    const QString path = scratchPath(QStringLiteral("export.vcf"));
    if (!writeScratch(path, cards))
        return QStringLiteral("cannot write the scratch file");
    ImportLines lines;
    if (Status opened = lines.open(path); !opened)
        return records.isEmpty() ? QString()
                                 : QStringLiteral("the cards cannot be read: ") + opened.error().description;
    VCardReader reader(lines);
    ImportedContact card;
    qsizetype read = 0;
    for (; reader.next(card); card = ImportedContact()) {
        if (read >= records.size())
            return QStringLiteral("more cards than records");
        const QString broken = checkNameAndAddress(records[read], card) + checkOthers(records[read], card);
        if (!broken.isEmpty())
            return QStringLiteral("record %1: ").arg(read + 1) + broken;
        ++read;
    }
    if (!lines.status())
        return QStringLiteral("reading failed: ") + lines.status().error().description;
    return read == records.size() ? QString() : QStringLiteral("%1 cards for %2 records").arg(read).arg(records.size());
}

} // namespace quillet::fuzz
