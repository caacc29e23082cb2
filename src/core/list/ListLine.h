#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <limits>

namespace quillet {

class ContactRecord;

// Which name begins a list line; the list's order by first or last name follows from it.
enum class SortOrder { FirstName = 0, LastName = 1 };

// One line of the contact list and the record it came from (0 for a pasted line,
// which names no contact).
struct ListEntry
{
    QString text;
    int recordNumber = 0;
};

// "J. " for a capital A-Z, nothing for a blank, a lower-case letter or anything else.
QString middleInitialPart(const QString& mi);

// Seven tab-joined columns: name part, City, State, Zip, Home, Cell, Email. The
// fields after the name keep their stored widths so the columns line up; a phone
// whose leading whole number is below 1 ("(555) 123-4567", "0000", "0.5e1") shows
// as 22 spaces.
QString listLine(const ContactRecord& record, SortOrder order);
// The same from a record's 400 bytes as read from the file.
QString listLine(QByteArrayView recordBytes, SortOrder order);
// That line in the record's own Windows-1252 bytes, one a character, appended to
// `line`: what a long job keeps or compares without making a text of it. With
// `enough`, the columns after the one that makes the line that long are left out.
void appendListLine(QByteArray& line, QByteArrayView recordBytes, SortOrder order,
                    qsizetype enough = std::numeric_limits<qsizetype>::max());
// The seven columns of a line listLine made, without the tabs that join them. The
// six after the name have known widths, so a tab inside a field stays in its column.
QStringList listLineColumns(const QString& line);

} // namespace quillet
