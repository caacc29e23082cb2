#pragma once

#include <QString>
#include <QStringList>

// The value rules of the readings that are not classic layouts: each value that
// fails its field's check is emptied; nothing drops a contact.
namespace quillet::importvalues {

// Line breaks, tabs and "|" become spaces, other control characters and commas go
// (as the Add Contact checks remove them), spaces are trimmed from both ends.
QString plain(const QString& value);
// A US state's two-letter code from its full name (any case), else empty.
QString usStateCode(const QString& name);
bool isUsStateCode(const QString& code);
// A full US state name becomes its code; any other state longer than two letters is emptied.
QString state(const QString& value);
// A four-digit ZIP gets its leading zero back when the country is empty or the
// United States and the state is a US state: spreadsheets drop that zero, while
// elsewhere four-digit postcodes are real.
QString zip(const QString& value, const QString& cleanedState, const QString& country);
// As Add Contact cleans a phone: "(" and spaces and "+" removed, ")" becomes "-".
// A vCard 4.0 "tel:" URI gives its number, without the scheme and its parameters
// (";ext=102"); another URI ("sip:") is no phone number and gives nothing.
QString phone(const QString& value);
// A cleaned phone number made to fit `width` without losing a digit: a US country
// code goes first ("1-919-..."), then the punctuation; empty when the digits alone
// are too long.
QString fittedPhone(const QString& cleaned, int width);
// Empty unless it is local@domain (no space, text on both sides of the one "@");
// a "mailto:" is dropped.
QString email(const QString& value);
// The stored form YYYYMMDD of 1951-03-14, 03/14/1951, 3/14/1951, 19510314 or
// 1951-03-14T00:00:00; empty for a date without a year (--03-14) or anything unusable.
QString birthdate(const QString& value);
// The three parts of a birthday kept in separate columns; empty when one is missing.
QString birthdateFromParts(const QString& year, const QString& month, const QString& day);
// Several categories stored separated by ";".
QString categories(const QStringList& names);

struct PersonName
{
    QString first;
    QString middle;
    QString last;
};
// A whole name in one text: "Ann B. Lee", "Lee, Ann", "Ann Lee, Jr."; a single word is the last name.
PersonName splitName(const QString& whole);

} // namespace quillet::importvalues
