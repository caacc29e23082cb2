#include "core/exchange/ServerCard.h"

#include "core/exchange/VCardWriter.h"

#include <QCryptographicHash>
#include <QList>

#include <algorithm>

namespace quillet {

namespace {

const QString uidPrefix = QStringLiteral("quillet-");
constexpr qsizetype uidHexDigits = 32;

// The content lines of a card with their continuations joined, empty lines dropped.
QList<QByteArray> unfoldedLines(QByteArrayView card)
{
    QByteArray text = card.toByteArray();
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    text.replace("\n ", "");
    text.replace("\n\t", "");
    QList<QByteArray> lines = text.split('\n');
    lines.removeIf([](const QByteArray& line) { return line.trimmed().isEmpty(); });
    return lines;
}

QString folded(const ContactRecord& record, Field field)
{
    return record.trimmed(field).toCaseFolded();
}

} // namespace

QString serverCardUid(const ContactRecord& record)
{
    const QString named = folded(record, Field::FirstName) + QChar(0x1f) + folded(record, Field::LastName) +
                          QChar(0x1f) + folded(record, Field::Email);
    const QByteArray digest = QCryptographicHash::hash(named.toUtf8(), QCryptographicHash::Sha256);
    return uidPrefix + QString::fromLatin1(digest.toHex().left(uidHexDigits));
}

bool isOwnCardUid(QStringView uid)
{
    if (uid.size() != uidPrefix.size() + uidHexDigits || !uid.startsWith(uidPrefix))
        return false;
    for (const QChar c : uid.sliced(uidPrefix.size())) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f')))
            return false;
    }
    return true;
}

QByteArray serverCard(QByteArrayView record, const QString& uid)
{
    QByteArray card;
    appendVCard(card, record);
    const QByteArray version = "VERSION:3.0\r\n";
    const qsizetype at = card.indexOf(version) + version.size();
    card.insert(at, foldedLine("UID:" + vcardEscape(uid).toUtf8()));
    return card;
}

QString cardUid(QByteArrayView card)
{
    for (const QByteArray& line : unfoldedLines(card)) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        QByteArray name = line.left(colon);
        name = name.left(name.indexOf(';') < 0 ? name.size() : name.indexOf(';'));
        name = name.mid(name.lastIndexOf('.') + 1).trimmed().toUpper();
        if (name == "UID")
            return QString::fromUtf8(line.mid(colon + 1)).trimmed();
    }
    return {};
}

bool sameCard(QByteArrayView a, QByteArrayView b)
{
    // Servers may store a card with its lines in another order (Radicale sorts them).
    QList<QByteArray> first = unfoldedLines(a);
    QList<QByteArray> second = unfoldedLines(b);
    std::sort(first.begin(), first.end());
    std::sort(second.begin(), second.end());
    return first == second;
}

} // namespace quillet
