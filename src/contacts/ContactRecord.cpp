#include "contacts/ContactRecord.h"

#include "common/Cp1252.h"
#include "common/TextRules.h"

#include <algorithm>

namespace quillet {

namespace {

struct FieldInfo
{
    FieldLayout layout;
    const char* name;
};

// Offsets and widths of the record layout; a "|" follows every field but the last,
// and CR LF ends the record at bytes 398-399.
constexpr std::array<FieldInfo, fieldCount> fields{{
    {{0, 11}, "FirstName"},
    {{12, 1}, "MI"},
    {{14, 16}, "LastName"},
    {{31, 30}, "Street1"},
    {{62, 15}, "Street2"},
    {{78, 16}, "City"},
    {{95, 2}, "State"},
    {{98, 10}, "Zip"},
    {{109, 19}, "Country"},
    {{129, 15}, "HomePhone"},
    {{145, 15}, "CellPhone"},
    {{161, 13}, "WorkPhone"},
    {{175, 50}, "Email"},
    {{226, 8}, "Birthdate"},
    {{235, 80}, "Category"},
    {{316, 80}, "Notes"},
    {{397, 1}, "ReminderFlag"},
}};

const FieldInfo& info(Field field)
{
    return fields[static_cast<int>(field)];
}

} // namespace

FieldLayout fieldLayout(Field field)
{
    return info(field).layout;
}

QString fieldName(Field field)
{
    return QString::fromLatin1(info(field).name);
}

QByteArray encodeField(Field field, const QString& value)
{
    const int width = fieldLayout(field).width;
    QByteArray bytes = cp1252::encode(text::trimLeadingSpaces(value));
    if (bytes.size() > width)
        bytes.truncate(width);
    return bytes.leftJustified(width, ' ');
}

ContactRecord ContactRecord::fromBytes(QByteArrayView bytes)
{
    ContactRecord record;
    for (Field field : allFields)
        record.set(field, fieldFromBytes(bytes, field));
    return record;
}

QString ContactRecord::fieldFromBytes(QByteArrayView bytes, Field field)
{
    const FieldLayout layout = fieldLayout(field);
    const qsizetype available = std::clamp<qsizetype>(bytes.size() - layout.offset, 0, layout.width);
    QString value = available > 0 ? cp1252::decode(bytes.sliced(layout.offset, available)) : QString();
    // A short input reads as if padded with spaces.
    if (available < layout.width)
        value.append(QString(layout.width - available, u' '));
    return value;
}

QByteArray ContactRecord::toBytes() const
{
    QByteArray bytes(recordSize, '|');
    for (Field field : allFields) {
        const FieldLayout layout = fieldLayout(field);
        bytes.replace(layout.offset, layout.width, encodeField(field, value(field)));
    }
    bytes[recordSize - 2] = '\r';
    bytes[recordSize - 1] = '\n';
    return bytes;
}

QString ContactRecord::trimmed(Field field) const
{
    return text::trimSpaces(value(field));
}

bool ContactRecord::isDeleted() const
{
    return value(Field::FirstName).startsWith(deletedMarker, Qt::CaseSensitive);
}

QByteArray completedRecord(QByteArrayView present)
{
    QByteArray bytes = ContactRecord().toBytes();
    const qsizetype kept = std::min<qsizetype>(present.size(), recordSize);
    bytes.replace(0, kept, present.first(kept));
    return bytes;
}

QString birthdateToStored(const QString& display)
{
    if (display.isEmpty())
        return QString(fieldLayout(Field::Birthdate).width, u' ');
    // "MM/DD/YYYY" -> "YYYY" + "MM" + "DD", whatever the characters are.
    return text::mid(display, 7, 4) + text::mid(display, 1, 2) + text::mid(display, 4, 2);
}

QString birthdateToDisplay(const QString& stored)
{
    // A blank field reads as 0; anything not above 1 has no display form.
    if (!(text::leadingNumber(stored) > 1))
        return {};
    return text::trimSpaces(text::mid(stored, 5, 2) + u'/' + text::mid(stored, 7, 2) + u'/' + text::mid(stored, 1, 4));
}

} // namespace quillet
