#include "core/common/TextRules.h"

#include <QVarLengthArray>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace quillet::text {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Records in *ok whether the call was valid, and passes the validity on.
bool report(bool* ok, bool valid)
{
    if (ok)
        *ok = valid;
    return valid;
}

// Maps every code point through `convert`, keeping one character for one.
template <typename Convert> QString mapCodePoints(const QString& text, Convert convert)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            const char32_t mapped = convert(QChar::surrogateToUcs4(c, text.at(i + 1)));
            result.append(QChar::highSurrogate(mapped));
            result.append(QChar::lowSurrogate(mapped));
            ++i;
        } else {
            result.append(QChar(static_cast<char16_t>(convert(c.unicode()))));
        }
    }
    return result;
}

} // namespace

QByteArrayView trimSpaces(QByteArrayView bytes)
{
    while (!bytes.isEmpty() && bytes.front() == ' ')
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && bytes.back() == ' ')
        bytes.chop(1);
    return bytes;
}

QString trimLeadingSpaces(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == u' ')
        ++start;
    return text.mid(start);
}

QString trimTrailingSpaces(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

QString trimSpaces(const QString& text)
{
    return trimLeadingSpaces(trimTrailingSpaces(text));
}

QStringView trimSpaces(QStringView text)
{
    while (!text.isEmpty() && text.front() == u' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    return text;
}

bool contains(const QString& haystack, const QString& needle)
{
    if (haystack.isEmpty())
        return false;
    return needle.isEmpty() || haystack.contains(needle);
}

QString left(const QString& text, int count, bool* ok)
{
    if (!report(ok, count >= 0))
        return {};
    return text.left(count);
}

QString right(const QString& text, int count, bool* ok)
{
    if (!report(ok, count >= 0))
        return {};
    return text.right(count);
}

QString mid(const QString& text, int start, bool* ok)
{
    if (!report(ok, start >= 1) || start > text.size())
        return {};
    return text.mid(start - 1);
}

QString mid(const QString& text, int start, int count, bool* ok)
{
    if (!report(ok, start >= 1 && count >= 0) || start > text.size())
        return {};
    return text.mid(start - 1, count);
}

int positionOf(const QString& haystack, const QString& needle, int start, bool* ok)
{
    if (!report(ok, start >= 1) || haystack.isEmpty())
        return 0;
    if (needle.isEmpty())
        return start <= haystack.size() + 1 ? start : 0;
    if (start > haystack.size())
        return 0;
    return static_cast<int>(haystack.indexOf(needle, start - 1) + 1);
}

namespace {

// Numbers are read in the C locale whatever the user's locale; overflow gives infinity, underflow 0.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

const char* terminated(QVarLengthArray<char, 64>& number)
{
    number.append('\0');
    return number.constData();
}

double readLeadingNumber(QStringView text, bool withFraction)
{
    // Gather the accepted characters without blanks, then let the C conversion read them.
    QVarLengthArray<char, 64> number;
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && isBlank(text.at(i)))
            ++i;
    };
    auto takeDigits = [&] {
        bool any = false;
        for (skipBlanks(); i < text.size() && isAsciiDigit(text.at(i)); skipBlanks()) {
            number.append(char(text.at(i++).unicode()));
            any = true;
        }
        return any;
    };
    skipBlanks();
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        number.append(char(text.at(i++).unicode()));
    bool digits = takeDigits();
    if (!withFraction)
        return digits ? strtod_l(terminated(number), nullptr, cLocale()) : 0.0;
    if (i < text.size() && text.at(i) == u'.') {
        number.append('.');
        ++i;
        digits = takeDigits() || digits;
    }
    if (!digits)
        return 0.0;
    if (i < text.size() && QStringLiteral("eEdD").contains(text.at(i))) {
        const qsizetype mark = i;
        const qsizetype kept = number.size();
        number.append('e');
        ++i;
        skipBlanks();
        if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
            number.append(char(text.at(i++).unicode()));
        if (!takeDigits()) {
            i = mark;
            number.resize(kept);
        }
    }
    return strtod_l(terminated(number), nullptr, cLocale());
}

} // namespace

double leadingNumber(QStringView text)
{
    return readLeadingNumber(text, true);
}

double leadingWholeNumber(QStringView text)
{
    return readLeadingNumber(text, false);
}

bool isNumeric(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t.at(i) == u'+' || t.at(i) == u'-')) {
        ++i;
        while (i < t.size() && (t.at(i) == u' ' || t.at(i) == u'\t'))
            ++i;
    }
    int digits = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (isAsciiDigit(c))
            ++digits;
        else if (c == u',' && digits > 0 && isAsciiDigit(t.at(i - 1)) && i + 1 < t.size() && isAsciiDigit(t.at(i + 1)))
            continue;
        else
            break;
    }
    if (i < t.size() && t.at(i) == u'.')
        for (++i; i < t.size() && isAsciiDigit(t.at(i)); ++i)
            ++digits;
    if (digits == 0)
        return false;
    if (i < t.size() && QStringLiteral("eEdD").contains(t.at(i))) {
        ++i;
        if (i < t.size() && (t.at(i) == u'+' || t.at(i) == u'-'))
            ++i;
        const qsizetype exponentStart = i;
        while (i < t.size() && isAsciiDigit(t.at(i)))
            ++i;
        if (i == exponentStart)
            return false;
    }
    return i == t.size();
}

double roundHalfEven(double value)
{
    // nearbyint rounds in the current mode, which is to-nearest-even unless changed.
    return std::nearbyint(value);
}

namespace {
std::optional<int> roundWithin(double value, double low, double high)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = roundHalfEven(value);
    if (rounded < low || rounded > high)
        return std::nullopt;
    return static_cast<int>(rounded);
}
} // namespace

std::optional<int> roundToInt16(double value)
{
    return roundWithin(value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
}

std::optional<int> roundToInt32(double value)
{
    return roundWithin(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
}

namespace {

char16_t asciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

bool keywordAt(QStringView text, qsizetype at, QLatin1StringView word)
{
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (asciiLower(text[at + i].unicode()) != asciiLower(char16_t(uchar(word[i].toLatin1()))))
            return false;
    }
    return true;
}

} // namespace

qsizetype find(QStringView text, QChar c, qsizetype from)
{
    const auto at = std::find(text.begin() + std::min(from, text.size()), text.end(), c);
    return at == text.end() ? -1 : at - text.begin();
}

bool isKeyword(QStringView text, QLatin1StringView word)
{
    return text.size() == word.size() && keywordAt(text, 0, word);
}

bool holdsKeyword(QStringView text, QLatin1StringView word)
{
    for (qsizetype at = 0; at + word.size() <= text.size(); ++at) {
        if (keywordAt(text, at, word))
            return true;
    }
    return false;
}

QString withoutControls(const QString& text)
{
    const auto isControl = [](char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); };
    qsizetype first = 0;
    while (first < text.size() && !isControl(text[first].unicode()))
        ++first;
    if (first == text.size())
        return text;
    QString result = text.left(first);
    result.reserve(text.size());
    for (qsizetype i = first; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue; // the line feed makes the one space
        if (c == u'\t' || c == u'\n' || c == u'\r')
            result += u' ';
        else if (!isControl(c))
            result += QChar(c);
    }
    return result;
}

QString upperCase(const QString& text)
{
    return mapCodePoints(text, [](char32_t c) { return QChar::toUpper(c); });
}

QString lowerCase(const QString& text)
{
    return mapCodePoints(text, [](char32_t c) { return QChar::toLower(c); });
}

} // namespace quillet::text
