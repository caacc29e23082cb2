#include "core/printing/pdf/PdfSyntax.h"

#include <cmath>

namespace quillet::pdfsyntax {

int spellThousandths(int64_t thousandths, char* out)
{
    char reversed[24];
    int length = 0;
    uint64_t rest = thousandths < 0 ? uint64_t(-thousandths) : uint64_t(thousandths);
    uint64_t fraction = rest % 1000;
    rest /= 1000;
    if (fraction != 0) {
        int places = 3;
        for (; fraction % 10 == 0; --places)
            fraction /= 10;
        for (int place = 0; place < places; ++place, fraction /= 10)
            reversed[length++] = char('0' + fraction % 10);
        reversed[length++] = '.';
    }
    do {
        reversed[length++] = char('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (thousandths < 0)
        reversed[length++] = '-';
    for (int index = 0; index < length; ++index)
        out[index] = reversed[length - 1 - index];
    return length;
}

void appendThousandths(QByteArray& out, int64_t thousandths)
{
    char text[24];
    out.append(text, spellThousandths(thousandths, text));
}

void appendNumber(QByteArray& out, double value)
{
    appendThousandths(out, std::llround(value * 1000));
}

QByteArray number(double value)
{
    QByteArray out;
    appendNumber(out, value);
    return out;
}

void appendLiteralString(std::string& out, QByteArrayView bytes)
{
    out += '(';
    const auto plain = [](unsigned char byte) { return byte >= 0x20 && byte != '(' && byte != ')' && byte != '\\'; };
    for (qsizetype at = 0; at < bytes.size();) {
        qsizetype end = at;
        while (end < bytes.size() && plain(static_cast<unsigned char>(bytes[end])))
            ++end;
        out.append(bytes.data() + at, std::size_t(end - at));
        if (end == bytes.size())
            break;
        const auto byte = static_cast<unsigned char>(bytes[end]);
        if (byte >= 0x20) {
            out += '\\';
            out += char(byte);
        } else {
            const char octal[] = {'\\', char('0' + (byte >> 6)), char('0' + ((byte >> 3) & 7)), char('0' + (byte & 7))};
            out.append(octal, 4);
        }
        at = end + 1;
    }
    out += ')';
}

QByteArray textString(const QString& text)
{
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + '>';
}

QByteArray date(const QDateTime& when)
{
    return "(D:" + when.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + "Z)";
}

} // namespace quillet::pdfsyntax
