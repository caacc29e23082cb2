#pragma once

#include "core/exchange/ImportLines.h"
#include "core/exchange/ImportedContact.h"

namespace quillet {

// Reads the entries of an LDIF file as Thunderbird writes its address book:
// folded lines, base64 values ("attr:: …"), the mozilla* home address
// attributes, the work address, and birthyear/birthmonth/birthday. Mailing
// lists (groupOfNames) are passed over. One entry at a time, each line read once.
class LdifReader
{
public:
    explicit LdifReader(ImportLines& lines) : m_lines(lines) {}
    // The next entry; false at the end of the file or on a failure to read it.
    bool next(ImportedContact& entry);

private:
    ImportLines& m_lines;
};

} // namespace quillet
