#include "core/list/ListLine.h"

#include "core/common/Cp1252.h"
#include "core/common/TextRules.h"
#include "core/contacts/ContactRecord.h"

namespace quillet {

namespace {

// Fields as a decoded record holds them.
struct RecordFields
{
    const ContactRecord& record;

    QString text(Field field) const { return record.value(field); }
    // A field at its stored width (a record built in code may hold less).
    void appendStored(QString& line, Field field) const
    {
        const QStringView value = record.value(field);
        const qsizetype width = fieldLayout(field).width;
        line.append(value.left(width));
        if (value.size() < width)
            line.append(QString(width - value.size(), QLatin1Char(' ')));
    }
};

// Fields straight from a record's bytes: a long file's list is built without
// decoding every field into a text of its own first.
struct ByteFields
{
    QByteArrayView bytes;

    QString text(Field field) const { return ContactRecord::fieldFromBytes(bytes, field); }
    void appendStored(QString& line, Field field) const
    {
        const FieldLayout layout = fieldLayout(field);
        const qsizetype start = line.size();
        line.resize(start + layout.width);
        QChar* out = line.data() + start;
        for (int i = 0; i < layout.width; ++i) {
            const qsizetype at = layout.offset + i;
            out[i] =
                at < bytes.size() ? QChar(cp1252::charFor(static_cast<unsigned char>(bytes[at]))) : QLatin1Char(' ');
        }
    }
};

template <typename Fields> void appendNamePart(QString& line, const Fields& fields, SortOrder order)
{
    const QString first = text::trimSpaces(fields.text(Field::FirstName));
    const QString last = text::trimSpaces(fields.text(Field::LastName));
    const QString initial = middleInitialPart(fields.text(Field::MI));
    if (order == SortOrder::LastName)
        line.append(last).append(QLatin1String(", ")).append(first).append(QLatin1Char(' ')).append(initial);
    else
        line.append(first).append(QLatin1Char(' ')).append(initial).append(last);
}

// A phone without a number shows as this many spaces, wider than the stored field.
constexpr qsizetype blankPhoneWidth = 22;

template <typename Fields> void appendPhone(QString& line, const Fields& fields, Field field)
{
    if (text::leadingWholeNumber(fields.text(field)) >= 1)
        fields.appendStored(line, field);
    else
        line.append(QString(blankPhoneWidth, QLatin1Char(' ')));
}

// The width of the column that ends at `end`. A phone column is blank exactly when
// its last blankPhoneWidth characters are spaces: a stored phone is narrower, so
// those would take in the tab before it.
qsizetype columnWidth(const QString& line, qsizetype end, Field field)
{
    const bool phone = field == Field::HomePhone || field == Field::CellPhone;
    if (phone && end >= blankPhoneWidth &&
        QStringView(line).sliced(end - blankPhoneWidth, blankPhoneWidth).count(QLatin1Char(' ')) == blankPhoneWidth)
        return blankPhoneWidth;
    return fieldLayout(field).width;
}

// The longest line: a name part of 16 + 2 + 11 + 1 + 3 characters, then six tabs
// and 16 + 2 + 10 + 22 + 22 + 50 characters.
constexpr qsizetype longestLine = 33 + 6 + 16 + 2 + 10 + 22 + 22 + 50;

template <typename Fields> QString buildLine(const Fields& fields, SortOrder order)
{
    const QChar tab = QLatin1Char('\t');
    QString line;
    line.reserve(longestLine);
    appendNamePart(line, fields, order);
    for (Field field : {Field::City, Field::State, Field::Zip}) {
        line.append(tab);
        fields.appendStored(line, field);
    }
    for (Field field : {Field::HomePhone, Field::CellPhone}) {
        line.append(tab);
        appendPhone(line, fields, field);
    }
    line.append(tab);
    fields.appendStored(line, Field::Email);
    return line;
}

} // namespace

QString middleInitialPart(const QString& mi)
{
    if (mi.isEmpty() || mi.front() < QLatin1Char('A') || mi.front() > QLatin1Char('Z'))
        return {};
    return mi + QStringLiteral(". ");
}

QString listLine(const ContactRecord& record, SortOrder order)
{
    return buildLine(RecordFields{record}, order);
}

QString listLine(QByteArrayView recordBytes, SortOrder order)
{
    return buildLine(ByteFields{recordBytes}, order);
}

QStringList listLineColumns(const QString& line)
{
    QStringList columns;
    qsizetype end = line.size();
    for (Field field : {Field::Email, Field::CellPhone, Field::HomePhone, Field::Zip, Field::State, Field::City}) {
        const qsizetype width = columnWidth(line, end, field);
        if (end < width + 1)
            return {line}; // not a line listLine made
        columns.prepend(line.mid(end - width, width));
        end -= width + 1;
    }
    columns.prepend(line.left(end));
    return columns;
}

} // namespace quillet
