#pragma once

#include "core/contacts/FieldCatalogue.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

namespace quillet {

// The stored bytes of one field: leading spaces dropped, Windows-1252 ("?" for what
// it cannot hold), cut or padded with spaces to the field's width.
QByteArray encodeField(Field field, const QString& value);
// Writes those bytes over the field in a record's 400 bytes.
void setStoredField(char* record, Field field, const QString& value);

// One contact as it sits in a 400-byte record: seventeen fixed-width texts
// separated by "|" and ended by CR LF, in Windows-1252.
class ContactRecord
{
public:
    // Decodes 400 bytes (a shorter input reads as if padded with spaces).
    static ContactRecord fromBytes(QByteArrayView bytes);
    // Decodes one field of a record's bytes without decoding the others (fast scans).
    static QString fieldFromBytes(QByteArrayView bytes, Field field);
    // The field's stored bytes, undecoded; shorter than its width in a short input.
    static QByteArrayView storedFromBytes(QByteArrayView bytes, Field field);
    // Builds the 400 bytes: each value loses its leading spaces, is cut or padded
    // with spaces to its width; characters Windows-1252 cannot hold become "?".
    QByteArray toBytes() const;
    // The same 400 bytes written to `out`, which has room for them.
    void writeBytes(char* out) const;

    // The value as held: as read from the file (stored width, untrimmed) or as set.
    const QString& value(Field field) const { return m_values[static_cast<int>(field)]; }
    // The value with spaces trimmed from both ends, as windows show it.
    QString trimmed(Field field) const;
    void set(Field field, const QString& value) { m_values[static_cast<int>(field)] = value; }

    // True when FirstName begins with "*DELETED*" (case-sensitive).
    bool isDeleted() const;

private:
    std::array<QString, fieldCount> m_values;
};

inline const QString deletedMarker = QStringLiteral("*DELETED*");

// The first bytes of a record (the end of a file whose length is not a multiple of
// 400) completed with those of a blank record, separators and line end included.
QByteArray completedRecord(QByteArrayView present);

// Birthdate forms: display "MM/DD/YYYY" and stored "YYYYMMDD".
QString birthdateToStored(const QString& display); // "" -> 8 spaces
QString birthdateToDisplay(const QString& stored); // blank or "0"/"1" -> ""

} // namespace quillet
