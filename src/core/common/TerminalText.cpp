#include "core/common/TerminalText.h"

namespace quillet {

namespace {

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// NativePath keeps a byte that is not UTF-8 as the lone surrogate U+DC00 + byte.
bool isRawByte(QStringView text, qsizetype at)
{
    const char16_t c = text[at].unicode();
    if (c < 0xDC80 || c > 0xDCFF)
        return false;
    return at == 0 || !text[at - 1].isHighSurrogate();
}

void appendHex(QString& out, int value)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    out += QLatin1String("\\x");
    out += QLatin1Char(digits[(value >> 4) & 0xF]);
    out += QLatin1Char(digits[value & 0xF]);
}

} // namespace

QString terminalSafe(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype at = 0; at < text.size(); ++at) {
        const char16_t c = text[at].unicode();
        if (c == u'\\')
            out += QLatin1String("\\\\");
        else if (isControl(c))
            appendHex(out, c);
        else if (isRawByte(text, at))
            appendHex(out, c - 0xDC00);
        else
            out += text[at];
    }
    return out;
}

} // namespace quillet
