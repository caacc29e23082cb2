#pragma once

#include "core/contacts/ContactRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quillet {

// One contact as a vCard 3.0 in UTF-8 with CR LF line ends: N, FN, ADR;TYPE=home,
// TEL with TYPE home, cell and work, EMAIL, BDAY, NOTE and CATEGORIES (the stored
// ";" list written with commas); values escaped, lines folded at 75 octets.
// Works on the record's stored bytes, as the other exports do.
void appendVCard(QByteArray& out, QByteArrayView record);

// A text value with "\", ",", ";" and line breaks escaped, and the control
// characters other than tab left out (C1 too): a vCard holds none.
QString vcardEscape(const QString& value);
// A content line cut into lines of at most 75 octets, each continuation opened by
// a space, never inside a UTF-8 sequence; CR LF after each.
QByteArray foldedLine(const QByteArray& line);

} // namespace quillet
