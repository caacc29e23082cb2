#pragma once

#include "core/exchange/ImportedContact.h"

#include <QStringView>

#include <functional>

namespace quillet {

// Reads the entries of an LDIF file as Thunderbird writes its address book:
// folded lines, base64 values ("attr:: …"), the mozilla* home address
// attributes, the work address, and birthyear/birthmonth/birthday. Mailing
// lists (groupOfNames) are passed over.
void readLdif(QStringView text, const std::function<void(const ImportedContact&)>& entry);

} // namespace quillet
