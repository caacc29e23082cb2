#include "core/editing/QuickAddParser.h"

#include "core/common/TextRules.h"

namespace quillet {

namespace {

using F = FormField;

QString lineAt(const QStringList& lines, int index)
{
    return index < lines.size() ? lines.at(index) : QString();
}

// Titles go in a fixed order; the bare forms only when the name begins with them.
QString removeTitles(QString name)
{
    for (const char* title : {"Mrs.", "Mr.", "Ms.", "Dr.", "Miss "})
        name.remove(QLatin1String(title));
    struct Leading
    {
        const char* prefix;
        const char* removed;
    };
    static constexpr Leading leading[] = {{"Mrs", "Mrs"}, {"Miss ", "Miss"}, {"Mr", "Mr"}, {"Ms", "Ms"}, {"Dr ", "Dr"}};
    for (const Leading& title : leading) {
        if (name.startsWith(QLatin1String(title.prefix)))
            name.remove(QLatin1String(title.removed));
    }
    return name;
}

// The last character code from "A" to "z" standing alone (" Q " or " Q. ") from
// position 3 wins; the six codes between the cases make the initial empty.
std::optional<QString> middleInitial(const QString& line)
{
    std::optional<QString> initial;
    for (char16_t code = u'A'; code <= u'z'; ++code) {
        const QString c(code);
        const bool found = text::positionOf(line, QStringLiteral(" ") + c + QStringLiteral(". "), 3) > 0 ||
                           text::positionOf(line, QStringLiteral(" ") + c + QStringLiteral(" "), 3) > 0;
        if (found)
            initial = (code > u'Z' && code < u'a') ? QString() : c;
    }
    return initial;
}

// The last name is what remains of line 1 after as many characters as the first
// name and the initial hold, so a title in line 1 stays in it.
std::optional<QString> lastName(const QString& line, const QString& firstName, const QString& initial)
{
    bool ok = true;
    QString rest = text::right(line, line.length() - (initial.length() + firstName.length()), &ok);
    if (!ok)
        return std::nullopt;
    rest.remove(u'.');
    if (rest.length() >= 2 && rest.at(1) == u' ')
        rest = text::mid(rest, 3, rest.length() - 2);
    return text::trimSpaces(rest);
}

void parseNameLine(const QString& line1, QuickAddResult& result)
{
    const QString name = text::trimLeadingSpaces(removeTitles(text::left(line1, 18)));
    const QString trimmed = text::trimSpaces(line1);
    const std::optional<QString> initial = middleInitial(trimmed);
    if (initial)
        result.set(F::MiddleInitial, *initial);
    // Without a space there is no telling where the first name ends, nor so where
    // the last name begins: both stay unfilled.
    const int space = text::positionOf(name, QStringLiteral(" "));
    if (space == 0)
        return;
    const QString firstName = text::trimSpaces(text::left(name, space - 1));
    result.set(F::FirstName, firstName);
    if (const std::optional<QString> last = lastName(trimmed, firstName, initial.value_or(QString())))
        result.set(F::LastName, *last);
}

struct SuffixGroup
{
    const char* tests[3]; // exact case; unused places are null
    const char* locate;   // any case
    int from;
    int keep;
    int testFrom = 1;
};

const SuffixGroup suffixGroups[] = {
    {{" ave "}, " Ave", 1, 4},
    {{" AVENUE", " Avenue", " avenue"}, " Avenue", 1, 7},
    {{" st "}, " st", 1, 3},
    {{" STREET", " Street", " street"}, " Street", 1, 7},
    {{" blvd ", " Blvd", " blvd"}, " blvd ", 6, 5},
    {{" BOULEVARD", " Boulevard", " boulevard"}, " Boulevard", 6, 10},
    {{" cir "}, " Cir ", 6, 4},
    {{" CIRCLE", " Circle", " circle"}, " Circle", 6, 7},
    {{" ct ", " CT"}, " Ct ", 6, 3},
    {{" COURT", " Court", " court"}, " Court", 6, 6},
    {{" Dr ", " dr ", " DR "}, " Dr", 6, 3},
    {{" DRIVE", " Drive", " drive"}, " Drive", 1, 6},
    {{" hwy ", " HWY"}, " Hwy", 6, 4},
    {{" HIGHWAY", " Highway", " highway"}, " Highway", 6, 8},
    {{" ln ", " LN"}, " Ln ", 6, 3},
    {{" LANE", " Lane", " lane"}, " Lane", 6, 5},
    {{" pkwy ", " PKWY"}, " Pkwy", 6, 5},
    {{" PARKWAY", " Parkway", " parkway"}, " Parkway", 6, 8},
    {{" pl ", " PL "}, " Pl ", 6, 3},
    {{" PLACE", " Place", " place"}, " Place", 6, 6},
    {{" Rd", " rd ", " RD"}, " Rd", 6, 3},
    {{" ROAD", " Road", " road"}, " Road", 1, 5},
    {{" ter ", " TER "}, " Ter ", 6, 4},
    {{" TERRACE", " Terrace", " terrace"}, " Terrace", 6, 8},
    {{" WAY", " Way", " way"}, " Way", 6, 4, 8},
};

std::optional<QString> suffixStreetPart(const QString& s)
{
    for (const SuffixGroup& group : suffixGroups) {
        bool matches = false;
        for (const char* test : group.tests)
            matches = matches || (test && text::positionOf(s, QLatin1String(test), group.testFrom) > 0);
        if (!matches)
            continue;
        const int p = text::positionOf(text::upperCase(s), text::upperCase(QLatin1String(group.locate)), group.from);
        return text::left(s, p + group.keep);
    }
    return std::nullopt;
}

// The street part of line 2 (dots removed); nullopt when the rules point before
// the start of the line (a comma or "#" only within its first five characters).
std::optional<QString> streetPart(const QString& s)
{
    bool ok = true;
    if (text::contains(s, QStringLiteral(","))) {
        const QString part = text::left(s, text::positionOf(s, QStringLiteral(","), 6) - 1, &ok);
        return ok ? std::optional<QString>(part) : std::nullopt;
    }
    if (const std::optional<QString> part = suffixStreetPart(s))
        return part;
    const bool allApt = text::positionOf(s, QStringLiteral(" APT"), 10) > 0 &&
                        text::positionOf(s, QStringLiteral(" Apt"), 10) > 0 &&
                        text::positionOf(s, QStringLiteral(" apt"), 10) > 0;
    if (text::positionOf(s, QStringLiteral(" #")) > 0 && !allApt) {
        const QString part = text::left(s, text::positionOf(s, QStringLiteral("#"), 6) - 2, &ok);
        return ok ? std::optional<QString>(part) : std::nullopt;
    }
    return s;
}

// What follows the street part in line 2 as typed. The street part was measured
// without dots, so with dots in line 2 the rest can begin with the street's last
// character and a space; that pair is dropped.
QString streetRest(const QString& line2, const QString& street)
{
    const QString typed = text::trimSpaces(line2);
    QString rest = text::right(typed, qMax(0, typed.length() - street.length()));
    rest.remove(u',');
    rest.remove(u'.');
    rest = text::trimSpaces(rest);
    if (rest.length() >= 2 && rest.at(0) != u'#' && rest.at(1) == u' ' && !street.isEmpty() &&
        rest.at(0) == street.back())
        rest = text::mid(rest, 3, 12);
    return rest;
}

enum class StreetOutcome { Stop, Continue };

// Fills the street; *rest gets the rest of line 2 when the street part was found.
StreetOutcome parseStreetLine(const QString& line2, QuickAddResult& result, std::optional<QString>* rest)
{
    QString s = text::trimSpaces(line2);
    if (s.isEmpty())
        return StreetOutcome::Stop;
    s.remove(u'.');
    if (s.isEmpty() || s.at(0) < u'0' || s.at(0) > u'9')
        return StreetOutcome::Stop;
    if (const std::optional<QString> part = streetPart(s)) {
        const QString street = text::trimSpaces(*part);
        result.set(F::Street, street);
        *rest = streetRest(line2, street);
    }
    return StreetOutcome::Continue;
}

bool looksLikeSecondStreet(const QString& line)
{
    for (const char* word : {"#", "SUITE", "STE", "UNIT", "APT", "Suite", "Ste", "Unit", "Apt"}) {
        if (line.contains(QLatin1String(word)))
            return true;
    }
    return false;
}

void parseCityLine(const QString& line, QuickAddResult& result)
{
    const QString c = text::left(line, 16);
    if (c.length() < 12)
        return;
    const int p = text::contains(c, QStringLiteral(",")) ? text::positionOf(c, QStringLiteral(","), 3)
                                                         : text::positionOf(c, QStringLiteral(" "), 5);
    // No usable separator: the city stays unfilled; state and ZIP code have their own rules.
    if (p > 0)
        result.set(F::City, text::trimSpaces(text::left(c, p - 1)));
    const QString r = text::right(line, 15);
    const bool comma = text::contains(r, QStringLiteral(","));
    const int q = text::positionOf(r, comma ? QStringLiteral(",") : QStringLiteral(" "));
    result.set(F::State, text::trimSpaces(text::mid(r, q + (comma ? 2 : 1), 2)));
    const QString z = text::right(line, 10);
    result.set(F::Zip, text::trimSpaces(text::contains(z, QStringLiteral("-")) ? z : text::right(z, 5)));
}

} // namespace

QuickAddResult parseLabelLines(const QStringList& lines)
{
    QuickAddResult result;
    const QString line1 = lineAt(lines, 0);
    if (!line1.isEmpty()) {
        if (!line1.contains(u' ')) {
            result.lineOneNeedsSpace = true;
            return result;
        }
        parseNameLine(line1, result);
    }
    std::optional<QString> rest;
    if (parseStreetLine(lineAt(lines, 1), result, &rest) == StreetOutcome::Stop)
        return result;
    const QString line3 = lineAt(lines, 2);
    QString cityLine = line3;
    if (looksLikeSecondStreet(line3) && rest.value_or(QString()).isEmpty() && line3.length() <= 11) {
        result.set(F::Street2, text::trimSpaces(line3));
        cityLine = lineAt(lines, 3);
    } else if (rest) {
        result.set(F::Street2, *rest);
    }
    parseCityLine(cityLine, result);
    return result;
}

} // namespace quillet
