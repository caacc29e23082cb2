#include "list/ListLine.h"

#include "common/TextRules.h"
#include "contacts/ContactRecord.h"

namespace quillet {

namespace {

// The stored text of a field at its full width (a record built in code may hold less).
QString stored(const ContactRecord& record, Field field)
{
    return record.value(field).leftJustified(fieldLayout(field).width);
}

QString namePart(const ContactRecord& record, SortOrder order)
{
    const QString first = text::trimSpaces(record.value(Field::FirstName));
    const QString last = text::trimSpaces(record.value(Field::LastName));
    const QString initial = middleInitialPart(record.value(Field::MI));
    if (order == SortOrder::LastName)
        return last + QStringLiteral(", ") + first + QLatin1Char(' ') + initial;
    return first + QLatin1Char(' ') + initial + last;
}

} // namespace

QString middleInitialPart(const QString& mi)
{
    if (mi.isEmpty() || mi.front() < QLatin1Char('A') || mi.front() > QLatin1Char('Z'))
        return {};
    return mi + QStringLiteral(". ");
}

QString phoneColumn(const QString& stored)
{
    if (text::leadingNumber(stored) >= 1)
        return stored;
    return QString(22, QLatin1Char(' '));
}

QString listLine(const ContactRecord& record, SortOrder order)
{
    const QChar tab = QLatin1Char('\t');
    QString line = namePart(record, order);
    line.reserve(line.size() + 130);
    line += tab + stored(record, Field::City);
    line += tab + stored(record, Field::State);
    line += tab + stored(record, Field::Zip);
    line += tab + phoneColumn(stored(record, Field::HomePhone));
    line += tab + phoneColumn(stored(record, Field::CellPhone));
    line += tab + stored(record, Field::Email);
    return line;
}

} // namespace quillet
