#include "core/exchange/CertificateFingerprint.h"

namespace quillet {

QString fingerprintText(const QByteArray& digest)
{
    return QString::fromLatin1(digest.toHex(':').toUpper());
}

std::optional<QByteArray> fingerprintDigest(QStringView text)
{
    QByteArray hex;
    for (const QChar c : text) {
        if (c == u':' || c == u' ')
            continue;
        if (!c.isDigit() && !(c.toLower() >= u'a' && c.toLower() <= u'f'))
            return std::nullopt;
        hex += char(c.toLatin1());
    }
    if (hex.size() != 64)
        return std::nullopt;
    return QByteArray::fromHex(hex);
}

} // namespace quillet
