#include "core/exchange/ImportValues.h"

#include "core/common/TextRules.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <array>
#include <optional>

namespace quillet::importvalues {

namespace {

const QHash<QString, QString>& usStates()
{
    static const QHash<QString, QString> states = [] {
        static const char* const pairs[][2] = {{"alabama", "AL"},
                                               {"alaska", "AK"},
                                               {"arizona", "AZ"},
                                               {"arkansas", "AR"},
                                               {"california", "CA"},
                                               {"colorado", "CO"},
                                               {"connecticut", "CT"},
                                               {"delaware", "DE"},
                                               {"district of columbia", "DC"},
                                               {"florida", "FL"},
                                               {"georgia", "GA"},
                                               {"hawaii", "HI"},
                                               {"idaho", "ID"},
                                               {"illinois", "IL"},
                                               {"indiana", "IN"},
                                               {"iowa", "IA"},
                                               {"kansas", "KS"},
                                               {"kentucky", "KY"},
                                               {"louisiana", "LA"},
                                               {"maine", "ME"},
                                               {"maryland", "MD"},
                                               {"massachusetts", "MA"},
                                               {"michigan", "MI"},
                                               {"minnesota", "MN"},
                                               {"mississippi", "MS"},
                                               {"missouri", "MO"},
                                               {"montana", "MT"},
                                               {"nebraska", "NE"},
                                               {"nevada", "NV"},
                                               {"new hampshire", "NH"},
                                               {"new jersey", "NJ"},
                                               {"new mexico", "NM"},
                                               {"new york", "NY"},
                                               {"north carolina", "NC"},
                                               {"north dakota", "ND"},
                                               {"ohio", "OH"},
                                               {"oklahoma", "OK"},
                                               {"oregon", "OR"},
                                               {"pennsylvania", "PA"},
                                               {"rhode island", "RI"},
                                               {"south carolina", "SC"},
                                               {"south dakota", "SD"},
                                               {"tennessee", "TN"},
                                               {"texas", "TX"},
                                               {"utah", "UT"},
                                               {"vermont", "VT"},
                                               {"virginia", "VA"},
                                               {"washington", "WA"},
                                               {"west virginia", "WV"},
                                               {"wisconsin", "WI"},
                                               {"wyoming", "WY"},
                                               {"puerto rico", "PR"},
                                               {"guam", "GU"},
                                               {"virgin islands", "VI"},
                                               {"american samoa", "AS"},
                                               {"northern mariana islands", "MP"}};
        QHash<QString, QString> table;
        for (const auto& pair : pairs)
            table.insert(QString::fromLatin1(pair[0]), QString::fromLatin1(pair[1]));
        return table;
    }();
    return states;
}

bool isUnitedStates(const QString& country)
{
    static const QStringList names{"", "us", "usa", "u.s.", "u.s.a.", "united states", "united states of america"};
    return names.contains(country.trimmed().toLower());
}

bool allDigits(QStringView text)
{
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return !text.isEmpty();
}

// YYYYMMDD; a year of more than four digits has no place in the field.
QString stored(int year, int month, int day)
{
    if (year < 1000 || year > 9999 || !QDate(year, month, day).isValid())
        return {};
    const int digits[] = {year / 1000, year / 100 % 10, year / 10 % 10, year % 10,
                          month / 10,  month % 10,      day / 10,       day % 10};
    QString text(8, Qt::Uninitialized);
    for (int i = 0; i < 8; ++i)
        text[i] = QChar(u'0' + digits[i]);
    return text;
}

// The three parts of `text` between exactly two separators.
std::optional<std::array<QStringView, 3>> threeParts(QStringView text, QChar separator)
{
    const qsizetype first = quillet::text::find(text, separator);
    const qsizetype second = first < 0 ? -1 : quillet::text::find(text, separator, first + 1);
    if (second < 0 || quillet::text::find(text, separator, second + 1) >= 0)
        return std::nullopt;
    return std::array<QStringView, 3>{text.first(first), text.sliced(first + 1, second - first - 1),
                                      text.sliced(second + 1)};
}

} // namespace

QString plain(const QString& value)
{
    bool clean = true;
    for (const QChar c : value)
        clean = clean && c.unicode() >= 0x20 && c != u'|' && c != u',' && (c.unicode() < 0x7F || c.unicode() > 0x9F);
    if (clean)
        return text::trimSpaces(value);
    QString text = text::withoutControls(value);
    text.replace(u'|', u' ');
    text.remove(u',');
    return text::trimSpaces(text);
}

QString usStateCode(const QString& name)
{
    return usStates().value(name.simplified().toLower());
}

bool isUsStateCode(const QString& code)
{
    static const QSet<QString> codes = [] {
        QSet<QString> set;
        for (const QString& value : usStates())
            set.insert(value);
        return set;
    }();
    return codes.contains(code);
}

QString state(const QString& value)
{
    const QString text = value.trimmed();
    if (text.size() <= 2)
        return text::upperCase(text);
    return usStateCode(text);
}

QString zip(const QString& value, const QString& cleanedState, const QString& country)
{
    const QString text = value.trimmed();
    if (text.size() == 4 && allDigits(text) && isUnitedStates(country) && isUsStateCode(cleanedState))
        return u'0' + text;
    return text;
}

QString phone(const QString& value)
{
    QString text = value.trimmed();
    if (const qsizetype colon = text.indexOf(u':'); colon > 0 && text.first(colon).toLower() == u"tel")
        text = text.mid(colon + 1).section(u';', 0, 0);
    else if (static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*$"));
             colon > 0 && scheme.match(text.first(colon)).hasMatch())
        return {};
    text.remove(u'(');
    text.replace(u')', u'-');
    text.remove(u' ');
    text.remove(u'+');
    return plain(text);
}

QString fittedPhone(const QString& cleaned, int width)
{
    if (cleaned.size() <= width)
        return cleaned;
    QString digits;
    for (const QChar c : cleaned) {
        if (c.isDigit())
            digits += c;
    }
    QString text = cleaned;
    // Eleven digits starting with 1: the US country code, which a US number does not need.
    if (digits.size() == 11 && digits.startsWith(u'1')) {
        digits.remove(0, 1);
        qsizetype first = text.indexOf(u'1');
        text.remove(0, first + 1);
        while (!text.isEmpty() && !text.front().isDigit())
            text.remove(0, 1);
        if (text.size() <= width)
            return text;
    }
    return digits.size() <= width ? digits : QString();
}

QString email(const QString& value)
{
    QString text = plain(value);
    if (text.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive))
        text = text.mid(7);
    const qsizetype at = text.indexOf(u'@');
    const bool address = at > 0 && at < text.size() - 1 && text.indexOf(u'@', at + 1) < 0 && !text.contains(u' ');
    return address ? text : QString();
}

QString birthdate(const QString& value)
{
    // 1951-03-14 (a time may follow after "T"), 19510314, or 03/14/1951 with one-digit month or day allowed.
    QStringView text = QStringView(value).trimmed();
    if (const qsizetype time = quillet::text::find(text, u'T'); time >= 8)
        text = text.first(time);
    const auto number = [](QStringView part, int minimum, int maximum) {
        return part.size() >= minimum && part.size() <= maximum && allDigits(part) ? part.toInt() : -1;
    };
    if (const auto dashed = threeParts(text, u'-'))
        return stored(number((*dashed)[0], 4, 4), number((*dashed)[1], 1, 2), number((*dashed)[2], 1, 2));
    if (const auto slashed = threeParts(text, u'/'))
        return stored(number((*slashed)[2], 4, 4), number((*slashed)[0], 1, 2), number((*slashed)[1], 1, 2));
    if (text.size() == 8 && allDigits(text))
        return stored(text.first(4).toInt(), text.sliced(4, 2).toInt(), text.sliced(6, 2).toInt());
    return {};
}

QString birthdateFromParts(const QString& year, const QString& month, const QString& day)
{
    if (!allDigits(year.trimmed()) || !allDigits(month.trimmed()) || !allDigits(day.trimmed()))
        return {};
    return stored(year.trimmed().toInt(), month.trimmed().toInt(), day.trimmed().toInt());
}

QString categories(const QStringList& names)
{
    QStringList kept;
    for (const QString& name : names) {
        const QString text = plain(name);
        if (!text.isEmpty() && !kept.contains(text))
            kept << text;
    }
    return kept.join(u';');
}

PersonName splitName(const QString& whole)
{
    static const QRegularExpression suffix(
        QStringLiteral(",?\\s+(jr|sr|ii|iii|iv|v|md|m\\.d|phd|ph\\.d|esq|dds|cpa)\\.?$"),
        QRegularExpression::CaseInsensitiveOption);
    QString text = whole.simplified();
    text.remove(suffix);
    PersonName name;
    if (const qsizetype comma = text.indexOf(u','); comma >= 0) {
        // "Lee, Ann B."
        const QStringList given = text.mid(comma + 1).split(u' ', Qt::SkipEmptyParts);
        name.last = text.left(comma).trimmed();
        name.first = given.value(0);
        name.middle = given.value(1);
        return name;
    }
    const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return name;
    name.last = words.last();
    if (words.size() >= 2)
        name.first = words.first();
    if (words.size() >= 3)
        name.middle = words.at(1);
    if (words.size() > 3)
        name.last = words.mid(2).join(u' ');
    return name;
}

} // namespace quillet::importvalues
