#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1252, the single-byte code page of contacts files and of CSV files that
// are not UTF-8. Implemented here so that it does not depend on the system's ICU.
namespace quillet::cp1252 {

// One byte per character (per code point, so a character outside the BMP is one
// byte too). A character the code page cannot hold is folded (see fold). The five bytes
// the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) are encoded from
// and decoded to the control characters of the same number, so any byte sequence
// survives a decode/encode round trip.
QByteArray encode(QStringView text);
QString decode(QByteArrayView bytes);
// The first `capacity` bytes at most of encode(text), written to `out`; returns
// how many were written.
qsizetype encodeInto(QStringView text, char* out, qsizetype capacity);

// The text with every character the code page cannot hold replaced: decomposed
// with its marks dropped when the base letter is held ("Nguyễn" -> "Nguyen",
// "Łódź" -> "Lodz"), a few letters that do not decompose by a table (đ ł ı ħ),
// anything else "?". Held characters stay as they are (é, ñ, Ø, ß). Text that the
// code page holds entirely comes back unchanged without copying.
QString fold(const QString& text);

// The byte (0-255) for one code point, or -1 when the code page cannot hold it.
int byteFor(char32_t codePoint);
// The character a byte stands for.
char16_t charFor(unsigned char byte);

} // namespace quillet::cp1252
