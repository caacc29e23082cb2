#pragma once

#include "core/common/AppError.h"
#include "core/common/Result.h"

#include <QString>

namespace quillet {

// The column layouts the import recognises from a CSV file's header line, tested
// in this order; the first that fits wins.
enum class ImportLayout {
    None = 0,
    WebPortal = 1,       // a web portal's address book ("Yahoo! Phone" in the header)
    MailProgramFull = 2, // a mail program's full export ("Primary Phone" and "Web Page")
    MailProgramList = 3, // a mail program's name and e-mail list ("Name,E-mail Address")
    QuilletCsv = 4,      // our own CSV export
    NameAndEmail = 5,    // any other list of names with an e-mail column
};

ImportLayout detectLayout(const QString& header);
int layoutNumber(ImportLayout layout);
// "layout 4: Quillet CSV export", for the command line.
QString layoutDescription(ImportLayout layout);

// The header line made ready for splitting. `compatible` is false when a name and
// e-mail list has no e-mail column ("CSV file not compatible with import function.").
struct PreparedHeader
{
    QString text;
    bool compatible = true;
};
Result<PreparedHeader> prepareHeader(ImportLayout layout, const QString& header);

// Prepares a data line's text for splitting and applies the skip rules that look at
// the text; false when the line is to be skipped.
bool prepareLine(ImportLayout layout, QString& line);

// The steps the preparations are made of.
QString removeQuotes(const QString& text);
// Without any CR LF pair, every line feed becomes CR LF.
QString lineFeedRepair(const QString& text);
// Keeps what stands before the 21st comma (columns 0 to 20).
QString columnCut(const QString& text);
// Cuts the line after the last letter of the top-level domain tested last among
// those it holds (".com", ".net", ".gov", ".org", ".edu", ".mil"); false when it holds none.
bool addressEndCut(QString& line);
// The 1-based position of the comma that ends the e-mail column's name in a name
// and e-mail header, 0 when the header has none of the names.
int emailColumnEnd(const QString& header);

} // namespace quillet
