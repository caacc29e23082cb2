#pragma once

#include "core/common/AppError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

namespace quillet {

enum class TextEncoding { Utf8, Utf16LE, Utf16BE, Windows1252 };

// The encoding of a file from its first bytes and its content: a byte-order mark
// decides; else a file holding at least one valid multi-byte UTF-8 sequence is
// UTF-8, any other Windows-1252. `markLength` gets the mark's length in bytes.
class EncodingSurvey
{
public:
    void feed(QByteArrayView bytes);
    TextEncoding encoding() const;
    int markLength() const { return m_markLength; }

private:
    bool m_first = true;
    bool m_sawSequence = false;
    int m_markLength = 0;
    TextEncoding m_marked = TextEncoding::Windows1252;
    QByteArray m_carry; // an unfinished sequence at the end of the last feed
};

// Decodes UTF-8 sequence by sequence; a byte that starts no valid sequence is
// taken as Windows-1252, so one stray byte in a UTF-8 file costs one letter.
// Sequences may be split across calls; `last` ends the input.
class MixedUtf8Decoder
{
public:
    QString decode(QByteArrayView bytes, bool last);

private:
    QByteArray m_carry;
};

// Decodes chunks of a file in a chosen encoding, the mark already skipped.
class ImportDecoder
{
public:
    explicit ImportDecoder(TextEncoding encoding);
    QString decode(QByteArrayView bytes, bool last);

private:
    TextEncoding m_encoding;
    MixedUtf8Decoder m_mixed;
    QStringDecoder m_utf16;
};

// The length of the valid UTF-8 sequence at the start of `bytes`: 0 when it starts
// none (an ASCII byte is a sequence of 1), -1 when it may still complete.
int utf8SequenceLength(QByteArrayView bytes);

// A whole import file decoded by the rule above. Files past maxImportFileSize are
// refused with "Out of memory".
inline constexpr qint64 maxImportFileSize = qint64(1) << 30;
Status readImportText(const QString& path, QString& text, TextEncoding* encoding = nullptr);
QString decodeImportBytes(QByteArrayView bytes, TextEncoding* encoding = nullptr);

enum class ImportFormat { Csv, VCard, Ldif };
// vCard when the first non-blank line is BEGIN:VCARD (any case); LDIF when the
// first line that is not a comment starts with "dn:" or "version:"; else CSV.
ImportFormat detectFormat(QStringView text);

// The most frequent of ",", tab and ";" outside quotes in the header line; a tie
// goes to the comma.
QChar csvSeparator(QStringView headerLine);

} // namespace quillet
