#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <string>

// The spelling of PDF values, shared by the page contents and the objects.
namespace quillet::pdfsyntax {

// A number in thousandths (123456 -> "123.456", -500 -> "-0.5", 2000 -> "2"),
// spelled into `out`, which has room for 24 characters; its length.
int spellThousandths(int64_t thousandths, char* out);
void appendThousandths(QByteArray& out, int64_t thousandths);
// A number rounded to the nearest thousandth: a hundredth of a glyph's width in
// font units, and far below what a printer can place.
void appendNumber(QByteArray& out, double value);
QByteArray number(double value);

// A literal string "(...)" of bytes: parentheses and backslashes escaped, control
// bytes as octal so that no line end inside is changed by a reader.
void appendLiteralString(std::string& out, QByteArrayView bytes);

// A text string of the document information: UTF-16BE with its byte-order mark, in hex.
QByteArray textString(const QString& text);

// A date as "(D:20240131120000Z)".
QByteArray date(const QDateTime& when);

} // namespace quillet::pdfsyntax
