#include "printing/NumberText.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace quillet::printnum {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Reads the characters the number is made of, skipping blanks anywhere in it.
class NumberReader
{
public:
    explicit NumberReader(QStringView text) : m_text(text) {}

    std::string read()
    {
        std::string out;
        skipBlanks();
        if (peek() == u'+' || peek() == u'-')
            out += char(take().unicode());
        const qsizetype digitsBefore = readDigits(out);
        qsizetype digitsAfter = 0;
        if (peek() == u'.') {
            out += char(take().unicode());
            digitsAfter = readDigits(out);
        }
        if (digitsBefore + digitsAfter == 0)
            return {};
        readExponent(out);
        return out;
    }

private:
    QChar peek()
    {
        skipBlanks();
        return m_pos < m_text.size() ? m_text[m_pos] : QChar();
    }
    QChar take() { return m_text[m_pos++]; }
    void skipBlanks()
    {
        while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
            ++m_pos;
    }
    qsizetype readDigits(std::string& out)
    {
        qsizetype count = 0;
        while (isDigit(peek())) {
            out += char(take().unicode());
            ++count;
        }
        return count;
    }
    // "1e3" and "1d3" both read as 1000; an exponent without digits is ignored.
    void readExponent(std::string& out)
    {
        const QChar mark = peek().toLower();
        if (mark != u'e' && mark != u'd')
            return;
        const qsizetype start = m_pos;
        take();
        std::string exponent = "e";
        if (peek() == u'+' || peek() == u'-')
            exponent += char(take().unicode());
        if (readDigits(exponent) == 0) {
            m_pos = start;
            return;
        }
        out += exponent;
    }

    QStringView m_text;
    qsizetype m_pos = 0;
};

} // namespace

double leadingNumber(QStringView text)
{
    const std::string number = NumberReader(text).read();
    if (number.empty())
        return 0;
    return std::strtod(number.c_str(), nullptr);
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5)
        return floor + 1;
    if (fraction < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

std::optional<int> wholeNumber16(QStringView text)
{
    const double value = roundHalfEven(leadingNumber(text));
    if (!(value >= -32768 && value <= 32767))
        return std::nullopt;
    return int(value);
}

} // namespace quillet::printnum
