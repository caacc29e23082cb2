#include "core/exchange/CleaningRules.h"

#include "core/common/TextRules.h"

#include <algorithm>

namespace quillet {

using text::left;
using text::mid;
using text::right;

namespace {

using F = Field;
using R = CleaningRule;

constexpr CleaningStep webPortalSteps[] = {
    {R::SlashDates, F::Birthdate},   {R::UpperCase, F::State},        {R::LastFourTest, F::HomePhone},
    {R::LastFourTest, F::CellPhone}, {R::LastFourTest, F::WorkPhone}, {R::HomeFromWork, F::HomePhone},
    {R::ShortStreet, F::Street1},    {R::DigitTest, F::City},         {R::MarkTest, F::State},
    {R::StateLength, F::State},      {R::FirstFiveTest, F::Zip},      {R::MarkTest, F::Country},
    {R::CenturyTest, F::Birthdate},
};

constexpr CleaningStep mailProgramFullSteps[] = {
    {R::SlashDates, F::Birthdate},   {R::PhoneMarks, F::HomePhone},   {R::PhoneMarks, F::CellPhone},
    {R::LastFourTest, F::HomePhone}, {R::LastFourTest, F::CellPhone}, {R::CenturyTest, F::Birthdate},
};

// WorkPhone is left as read.
constexpr CleaningStep quilletSteps[] = {
    {R::DashDates, F::Birthdate},    {R::UpperCase, F::State},   {R::LastFourTest, F::HomePhone},
    {R::LastFourTest, F::CellPhone}, {R::DigitTest, F::City},    {R::MarkTest, F::State},
    {R::StateLength, F::State},      {R::FirstFiveTest, F::Zip}, {R::MarkTest, F::Country},
    {R::CenturyTest, F::Birthdate},
};

constexpr Field webPortalCleared[] = {F::Street2, F::Notes};
constexpr Field mailProgramFullCleared[] = {F::Category, F::WorkPhone, F::Street1, F::City,   F::Street2,
                                            F::Notes,    F::State,     F::Zip,     F::Country};
// The name and e-mail lists keep names and e-mail only.
constexpr Field listCleared[] = {F::HomePhone, F::CellPhone, F::Birthdate, F::Category, F::WorkPhone, F::Street1,
                                 F::City,      F::Street2,   F::Notes,     F::State,    F::Zip,       F::Country};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Matches a whole value against a pattern in which "#" is one digit.
bool matchesPattern(const QString& value, QStringView pattern)
{
    if (value.size() != pattern.size())
        return false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (pattern.at(i) == u'#' ? !isDigit(value.at(i)) : value.at(i) != pattern.at(i))
            return false;
    }
    return true;
}

bool holdsDigit(const QString& value)
{
    return std::any_of(value.begin(), value.end(), isDigit);
}

} // namespace

std::span<const CleaningStep> cleaningSteps(ImportLayout layout)
{
    switch (layout) {
    case ImportLayout::WebPortal:
        return webPortalSteps;
    case ImportLayout::MailProgramFull:
        return mailProgramFullSteps;
    case ImportLayout::QuilletCsv:
        return quilletSteps;
    default:
        return {};
    }
}

std::span<const Field> clearedFields(ImportLayout layout)
{
    switch (layout) {
    case ImportLayout::WebPortal:
        return webPortalCleared;
    case ImportLayout::MailProgramFull:
        return mailProgramFullCleared;
    case ImportLayout::MailProgramList:
    case ImportLayout::NameAndEmail:
        return listCleared;
    default:
        return {};
    }
}

QString rearrangeDate(const QString& value, QChar separator)
{
    const auto pattern = [separator](const char16_t* form) {
        return QString::fromUtf16(form).replace(u'/', separator);
    };
    QString date = value;
    if (matchesPattern(date, pattern(u"#/#/####")))
        date = QStringLiteral("0") + left(date, 2) + QStringLiteral("0") + mid(date, 3, 2) + right(date, 4);
    if (matchesPattern(date, pattern(u"#/##/####")))
        date.prepend(u'0');
    if (matchesPattern(date, pattern(u"##/#/####")))
        date = left(date, 3) + QStringLiteral("0") + right(date, 6);
    return right(date, 4) + left(date, 2) + mid(date, 4, 2);
}

QString cleanValue(CleaningRule rule, const QString& value)
{
    const auto emptyIf = [&value](bool condition) { return condition ? QString() : value; };
    switch (rule) {
    case R::SlashDates:
        return rearrangeDate(value, u'/');
    case R::DashDates:
        return rearrangeDate(value, u'-');
    case R::CenturyTest: {
        const QString century = left(value, 2);
        return emptyIf(century != QStringLiteral("19") && century != QStringLiteral("20"));
    }
    case R::UpperCase:
        return text::upperCase(value);
    case R::LastFourTest:
        return emptyIf(!text::isNumeric(right(value, 4)));
    case R::ShortStreet:
        return emptyIf(value.size() < 6);
    case R::DigitTest:
        return emptyIf(holdsDigit(value));
    case R::MarkTest:
        return emptyIf(holdsDigit(value) || value.contains(u'#'));
    case R::StateLength:
        return emptyIf(value.size() > 2);
    case R::FirstFiveTest:
        return emptyIf(!text::isNumeric(left(value, 5)));
    case R::PhoneMarks: {
        QString result = value;
        return result.remove(u'+').remove(u'(').remove(u')');
    }
    case R::HomeFromWork:
        break;
    }
    return value;
}

void applyCleaning(std::span<const CleaningStep> steps, ContactRecord& working, ContactChanges* changes)
{
    for (const CleaningStep& step : steps) {
        if (step.rule == R::HomeFromWork) {
            if (working.value(F::HomePhone).isEmpty() && !working.value(F::WorkPhone).isEmpty())
                working.set(F::HomePhone, working.value(F::WorkPhone));
            continue;
        }
        const QString before = working.value(step.field);
        working.set(step.field, cleanValue(step.rule, before));
        if (changes)
            changes->noteEmptied(step.field, before, working.value(step.field),
                                 step.rule == R::StateLength ? ValueChange::TooLong : ValueChange::NotUsable);
    }
}

void clearFields(std::span<const Field> fields, ContactRecord& working)
{
    for (const Field field : fields)
        working.set(field, QString());
}

} // namespace quillet
