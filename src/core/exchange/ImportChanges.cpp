#include "core/exchange/ImportChanges.h"

#include <QStringList>

namespace quillet {

namespace {

struct Noun
{
    Field field; // the first field of those the noun counts together
    const char* one;
    const char* many;
    const char* unit; // what a too long value is longer than, in
};

// Phones and street lines are counted together: the summary speaks of what the user
// knows them as, not of which field took them.
constexpr Noun nouns[] = {
    {Field::FirstName, "first name", "first names", "letters"},
    {Field::MI, "middle initial", "middle initials", "letter"},
    {Field::LastName, "last name", "last names", "letters"},
    {Field::Street1, "street line", "street lines", "characters"},
    {Field::City, "city", "cities", "characters"},
    {Field::State, "state", "states", "letters"},
    {Field::Zip, "ZIP code", "ZIP codes", "characters"},
    {Field::Country, "country", "countries", "characters"},
    {Field::HomePhone, "phone number", "phone numbers", "digits"},
    {Field::Email, "e-mail address", "e-mail addresses", "characters"},
    {Field::Birthdate, "birthdate", "birthdates", "characters"},
    {Field::Category, "category list", "category lists", "characters"},
    {Field::Notes, "note", "notes", "characters"},
};

Field countedAs(Field field)
{
    switch (field) {
    case Field::Street2:
        return Field::Street1;
    case Field::CellPhone:
    case Field::WorkPhone:
        return Field::HomePhone;
    default:
        return field;
    }
}

QString counted(int count, const Noun& noun)
{
    return QStringLiteral("%1 %2").arg(count).arg(QString::fromLatin1(count == 1 ? noun.one : noun.many));
}

} // namespace

void ContactChanges::noteEmptied(Field field, const QString& before, const QString& after, ValueChange why)
{
    if (after.isEmpty() && !before.trimmed().isEmpty())
        note(field, why);
}

QString changeMarks(const ContactChanges& changes)
{
    QStringList marks;
    for (const FieldChange& change : changes.fields) {
        const QString caption = QString::fromLatin1(fieldInfo(change.field).caption);
        marks << caption + (change.change == ValueChange::Shortened ? QStringLiteral(" shortened")
                                                                    : QStringLiteral(" left empty"));
    }
    if (changes.nameFolded)
        marks << QStringLiteral("name folded to \"?\"");
    return marks.join(QStringLiteral(", "));
}

void ChangeTally::add(const ContactChanges& changes)
{
    for (const FieldChange& change : changes.fields)
        ++m_changes[std::size_t(countedAs(change.field))][std::size_t(change.change)];
    m_namesFolded += changes.nameFolded ? 1 : 0;
}

QString ChangeTally::skippedText() const
{
    static const char* const reasons[] = {"already on file", "without a name", "not read by the file's layout"};
    QStringList parts;
    for (std::size_t i = 0; i < m_skipped.size(); ++i) {
        if (m_skipped[i] > 0)
            parts << QStringLiteral("%1 %2").arg(m_skipped[i]).arg(QString::fromLatin1(reasons[i]));
    }
    return parts.isEmpty() ? QString() : parts.join(QStringLiteral(", ")) + QStringLiteral(" skipped.");
}

QString ChangeTally::changedText() const
{
    QStringList parts;
    for (const Noun& noun : nouns) {
        const std::array<int, 3>& counts = m_changes[std::size_t(noun.field)];
        // The phone fields differ in width: their digits did not fit the one they were for.
        if (const int n = counts[std::size_t(ValueChange::TooLong)]; n > 0 && noun.field == Field::HomePhone)
            parts << counted(n, noun) + QStringLiteral(" too long for their field left empty");
        else if (n > 0)
            parts << QStringLiteral("%1 longer than %2 %3 left empty")
                         .arg(counted(n, noun))
                         .arg(fieldLayout(noun.field).width)
                         .arg(QString::fromLatin1(noun.unit));
        if (const int n = counts[std::size_t(ValueChange::NotUsable)]; n > 0)
            parts << counted(n, noun) + QStringLiteral(" not usable left empty");
        if (const int n = counts[std::size_t(ValueChange::Shortened)]; n > 0)
            parts << counted(n, noun) + QStringLiteral(" shortened");
    }
    if (m_namesFolded > 0)
        parts << QStringLiteral("%1 folded to \"?\"")
                     .arg(m_namesFolded == 1 ? QStringLiteral("1 name")
                                             : QStringLiteral("%1 names").arg(m_namesFolded));
    return parts.isEmpty() ? QString() : parts.join(QStringLiteral("; ")) + u'.';
}

} // namespace quillet
