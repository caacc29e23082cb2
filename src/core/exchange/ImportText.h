#pragma once

#include "core/common/AppError.h"
#include "core/common/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringDecoder>

#include <optional>

namespace quillet {

enum class TextEncoding { Utf8, Utf16LE, Utf16BE, Windows1252 };

// The encoding of a file from its first bytes and its content: a byte-order mark
// decides; else the pattern of zero bytes in the first chunk tells UTF-16 without a
// mark (text in Latin letters has a zero in every other byte); else a file holding
// at least one valid multi-byte UTF-8 sequence is UTF-8, any other Windows-1252.
// `markLength` gets the mark's length in bytes. The first chunk also tells a file
// that is not text at all (a picture, an archive): see isBinary().
class EncodingSurvey
{
public:
    void feed(QByteArrayView bytes);
    TextEncoding encoding() const;
    int markLength() const { return m_markLength; }
    bool isBinary() const { return m_binary; }

private:
    void surveyStart(QByteArrayView bytes);

    bool m_first = true;
    bool m_sawSequence = false;
    bool m_binary = false;
    int m_markLength = 0;
    std::optional<TextEncoding> m_decided; // by a mark or by the zero bytes
    QByteArray m_carry;                    // an unfinished sequence at the end of the last feed
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
    QStringDecoder m_utf8{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
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

// Import files past this size are refused with "Out of memory".
inline constexpr qint64 maxImportFileSize = qint64(1) << 30;

struct ImportText
{
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
    bool whole = true; // false when the file goes on past the bytes read
};
// The start of an import file, at most `limit` bytes of it, decoded by the rule
// above (the survey sees only those bytes). A file that is not text is refused
// with "This file is not a contacts file: it is not text."
Result<ImportText> readImportText(const QString& path, qint64 limit = maxImportFileSize);
QString decodeImportBytes(QByteArrayView bytes, TextEncoding* encoding = nullptr);

// One pass over an open import file: its encoding, the length of its mark, and
// whether a carriage return stands anywhere in its text. Refuses a file that is not
// text or is past maxImportFileSize, and leaves the file just after the mark.
struct FileSurvey
{
    TextEncoding encoding = TextEncoding::Utf8;
    int markLength = 0;
    bool carriageReturn = false;
};
inline constexpr qint64 surveyChunkSize = 64 * 1024;
Result<FileSurvey> surveyImportFile(QFile& file);

enum class ImportFormat { Csv, VCard, Ldif };
// vCard when the first non-blank line is BEGIN:VCARD (any case); LDIF when the
// first line that is not a comment starts with "dn:" or "version:"; else CSV.
ImportFormat detectFormat(QStringView text);

// The most frequent of ",", tab and ";" outside quotes in the header line; a tie
// goes to the comma.
QChar csvSeparator(QStringView headerLine);

} // namespace quillet
