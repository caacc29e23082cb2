#include "core/common/Cp1252.h"

#include <algorithm>
#include <array>

namespace quillet::cp1252 {

namespace {

// Bytes 0x80-0x9F. The five bytes the code page leaves undefined map to the
// control character of the same number, so they survive a round trip.
constexpr std::array<char16_t, 32> highControls{0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool heldEntirely(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80 && byteFor(c.unicode()) < 0)
            return false;
    }
    return true;
}

// Every character is held (a lone surrogate stands as "?").
qsizetype encodeHeld(QStringView text, char* out, qsizetype capacity)
{
    const qsizetype count = std::min(text.size(), capacity);
    for (qsizetype i = 0; i < count; ++i) {
        const char16_t c = text[i].unicode();
        const int byte = c < 0x80 ? c : byteFor(c);
        out[i] = byte < 0 ? '?' : static_cast<char>(byte);
    }
    return count;
}

// Letters without a canonical decomposition whose base letter a reader still expects.
char16_t undecomposedBase(char32_t codePoint)
{
    switch (codePoint) {
    case 0x0111: // đ
        return u'd';
    case 0x0110: // Đ
        return u'D';
    case 0x0142: // ł
        return u'l';
    case 0x0141: // Ł
        return u'L';
    case 0x0131: // ı
        return u'i';
    case 0x0127: // ħ
        return u'h';
    case 0x0126: // Ħ
        return u'H';
    default:
        return 0;
    }
}

// What one code point the code page cannot hold becomes: its base letters, or "?".
QString foldedCodePoint(char32_t codePoint)
{
    if (const char16_t base = undecomposedBase(codePoint))
        return QString(QChar(base));
    const char32_t single[] = {codePoint};
    const QString decomposed = QString::fromUcs4(single, 1).normalized(QString::NormalizationForm_D);
    QString kept;
    for (const QChar c : decomposed) {
        if (c.isMark())
            continue;
        if (c.isSurrogate() || byteFor(c.unicode()) < 0)
            return QStringLiteral("?");
        kept += c;
    }
    // A combining mark on its own folds to nothing: its letter is already there.
    if (kept.isEmpty() && !QChar::isMark(codePoint))
        return QStringLiteral("?");
    return kept;
}

} // namespace

char16_t charFor(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return highControls[byte - 0x80];
    return byte;
}

int byteFor(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (int i = 0; i < int(highControls.size()); ++i) {
        if (highControls[i] == codePoint)
            return 0x80 + i;
    }
    return -1;
}

QString fold(const QString& text)
{
    if (heldEntirely(text))
        return text;
    // Composed first, so that a letter followed by its combining accent becomes one held letter (e + ´ -> é).
    const QString composed = text.normalized(QString::NormalizationForm_C);
    QString folded;
    folded.reserve(composed.size());
    for (qsizetype i = 0; i < composed.size(); ++i) {
        char32_t codePoint = composed[i].unicode();
        if (QChar::isHighSurrogate(codePoint) && i + 1 < composed.size() && composed[i + 1].isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(composed[i], composed[i + 1]);
            ++i;
        }
        if (byteFor(codePoint) >= 0)
            folded += QChar(char16_t(codePoint));
        else
            folded += foldedCodePoint(codePoint);
    }
    return folded;
}

qsizetype encodeInto(QStringView text, char* out, qsizetype capacity)
{
    // One pass for text the code page holds, as nearly all text is; anything else
    // is folded whole first, since folding may join a letter and its accent.
    const qsizetype count = std::min(text.size(), capacity);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const int byte = c < 0x80 ? c : byteFor(c);
        if (byte < 0)
            return encodeHeld(fold(text.toString()), out, capacity);
        if (i < count)
            out[i] = static_cast<char>(byte);
    }
    return count;
}

QByteArray encode(QStringView text)
{
    const QString folded = heldEntirely(text) ? QString() : fold(text.toString());
    const QStringView held = folded.isNull() ? text : QStringView(folded);
    QByteArray bytes(held.size(), Qt::Uninitialized);
    encodeHeld(held, bytes.data(), bytes.size());
    return bytes;
}

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(charFor(static_cast<unsigned char>(bytes[i])));
    return text;
}

} // namespace quillet::cp1252
