#include "core/list/ListLine.h"

#include "core/common/Cp1252.h"
#include "core/common/TextRules.h"
#include "core/contacts/ContactRecord.h"

#include <algorithm>
#include <array>

namespace quillet {

namespace {

// A line is built as text, or as the Windows-1252 bytes of that text.
void put(QString& line, QStringView text)
{
    line.append(text);
}
void put(QString& line, QByteArrayView stored)
{
    const qsizetype start = line.size();
    line.resize(start + stored.size());
    QChar* out = line.data() + start;
    for (qsizetype i = 0; i < stored.size(); ++i)
        out[i] = QChar(cp1252::charFor(static_cast<unsigned char>(stored[i])));
}
void put(QString& line, QLatin1StringView literal)
{
    line.append(literal);
}
void put(QByteArray& line, QByteArrayView stored)
{
    line.append(stored);
}
void put(QByteArray& line, QLatin1StringView literal)
{
    line.append(literal.data(), literal.size());
}
void putSpaces(QString& line, qsizetype count)
{
    line.append(QString(count, QLatin1Char(' ')));
}
void putSpaces(QByteArray& line, qsizetype count)
{
    line.append(count, ' ');
}

// Fields as a decoded record holds them.
struct RecordFields
{
    const ContactRecord& record;

    QString trimmed(Field field) const { return text::trimSpaces(record.value(field)); }
    QString initialPart() const { return middleInitialPart(record.value(Field::MI)); }
    bool hasNumber(Field field) const { return text::leadingWholeNumber(record.value(field)) >= 1; }
    // A field at its stored width (a record built in code may hold less).
    template <typename Line> void appendStored(Line& line, Field field) const
    {
        const QStringView value = record.value(field);
        const qsizetype width = fieldLayout(field).width;
        put(line, value.left(width));
        if (value.size() < width)
            putSpaces(line, width - value.size());
    }
};

// Fields straight from a record's bytes: a long file's list is built without
// decoding every field into a text of its own first. A short input reads as if
// padded with spaces.
struct ByteFields
{
    QByteArrayView bytes;

    QByteArrayView stored(Field field) const { return ContactRecord::storedFromBytes(bytes, field); }
    QByteArrayView trimmed(Field field) const { return text::trimSpaces(stored(field)); }
    // The initial followed by ". " when it is a capital A-Z, as middleInitialPart.
    QByteArray initialPart() const
    {
        const QByteArrayView mi = stored(Field::MI);
        return !mi.isEmpty() && mi.front() >= 'A' && mi.front() <= 'Z' ? mi.toByteArray() + ". " : QByteArray();
    }
    bool hasNumber(Field field) const
    {
        // Decoded in place: a list of many lines reads two phones for each.
        const QByteArrayView value = stored(field);
        std::array<char16_t, 128> decoded;
        const std::size_t length = std::min(decoded.size(), std::size_t(value.size()));
        for (std::size_t i = 0; i < length; ++i)
            decoded[i] = cp1252::charFor(static_cast<unsigned char>(value[qsizetype(i)]));
        return text::leadingWholeNumber(QStringView(decoded.data(), qsizetype(length))) >= 1;
    }
    template <typename Line> void appendStored(Line& line, Field field) const
    {
        const QByteArrayView value = stored(field);
        put(line, value);
        putSpaces(line, fieldLayout(field).width - value.size());
    }
};

template <typename Line, typename Fields> void appendNamePart(Line& line, const Fields& fields, SortOrder order)
{
    const auto first = fields.trimmed(Field::FirstName);
    const auto last = fields.trimmed(Field::LastName);
    const auto initial = fields.initialPart();
    if (order == SortOrder::LastName) {
        put(line, last);
        put(line, QLatin1StringView(", "));
        put(line, first);
        put(line, QLatin1StringView(" "));
        put(line, initial);
    } else {
        put(line, first);
        put(line, QLatin1StringView(" "));
        put(line, initial);
        put(line, last);
    }
}

// A phone without a number shows as this many spaces, wider than the stored field.
constexpr qsizetype blankPhoneWidth = 22;

template <typename Line, typename Fields> void appendPhone(Line& line, const Fields& fields, Field field)
{
    if (fields.hasNumber(field))
        fields.appendStored(line, field);
    else
        putSpaces(line, blankPhoneWidth);
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

// The line, or its columns up to the one that reaches `enough` characters.
template <typename Line, typename Fields>
void appendLine(Line& line, const Fields& fields, SortOrder order,
                qsizetype enough = std::numeric_limits<qsizetype>::max())
{
    const qsizetype start = line.size();
    const QLatin1StringView tab("\t");
    appendNamePart(line, fields, order);
    for (Field field : {Field::City, Field::State, Field::Zip}) {
        if (line.size() - start >= enough)
            return;
        put(line, tab);
        fields.appendStored(line, field);
    }
    for (Field field : {Field::HomePhone, Field::CellPhone}) {
        if (line.size() - start >= enough)
            return;
        put(line, tab);
        appendPhone(line, fields, field);
    }
    if (line.size() - start >= enough)
        return;
    put(line, tab);
    fields.appendStored(line, Field::Email);
}

template <typename Fields> QString buildLine(const Fields& fields, SortOrder order)
{
    QString line;
    line.reserve(longestLine);
    appendLine(line, fields, order);
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

void appendListLine(QByteArray& line, QByteArrayView recordBytes, SortOrder order, qsizetype enough)
{
    appendLine(line, ByteFields{recordBytes}, order, enough);
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
