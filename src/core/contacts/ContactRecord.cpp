#include "core/contacts/ContactRecord.h"

#include "core/common/Cp1252.h"
#include "core/common/TextRules.h"

#include <algorithm>

namespace quillet {

namespace {

// Writes the field's stored bytes to `out`, which has room for its width.
void encodeFieldInto(Field field, QStringView value, char* out)
{
    const int width = fieldLayout(field).width;
    while (!value.isEmpty() && value.front() == u' ')
        value = value.sliced(1);
    const qsizetype written = cp1252::encodeInto(value, out, width);
    std::fill(out + written, out + width, ' ');
}

} // namespace

QByteArray encodeField(Field field, const QString& value)
{
    QByteArray bytes(fieldLayout(field).width, Qt::Uninitialized);
    encodeFieldInto(field, value, bytes.data());
    return bytes;
}

void setStoredField(char* record, Field field, const QString& value)
{
    encodeFieldInto(field, value, record + fieldLayout(field).offset);
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

QByteArrayView ContactRecord::storedFromBytes(QByteArrayView bytes, Field field)
{
    const FieldLayout layout = fieldLayout(field);
    const qsizetype available = std::clamp<qsizetype>(bytes.size() - layout.offset, 0, layout.width);
    return available > 0 ? bytes.sliced(layout.offset, available) : QByteArrayView();
}

QByteArray ContactRecord::toBytes() const
{
    QByteArray bytes(recordSize, Qt::Uninitialized);
    writeBytes(bytes.data());
    return bytes;
}

void ContactRecord::writeBytes(char* out) const
{
    std::fill(out, out + recordSize - 2, '|');
    for (Field field : allFields)
        encodeFieldInto(field, value(field), out + fieldLayout(field).offset);
    out[recordSize - 2] = '\r';
    out[recordSize - 1] = '\n';
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
