#pragma once

#include "common/AppError.h"

#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringDecoder>

namespace quillet {

enum class CsvEncoding { Utf8, Windows1252 };

// Streaming check that a byte sequence is well-formed UTF-8 (no overlong forms,
// no surrogates, nothing above U+10FFFF); sequences may be split across feeds.
class Utf8Validator
{
public:
    void feed(QByteArrayView bytes);
    // True when everything fed so far is valid and no sequence is left unfinished.
    bool finish() const { return m_valid && m_pending == 0; }

private:
    bool m_valid = true;
    int m_pending = 0;        // continuation bytes still expected
    unsigned m_lowest = 0x80; // allowed range of the next continuation byte
    unsigned m_highest = 0xBF;
};

// Reads an import file one line at a time, holding one chunk and one line, never
// the whole file.
// - A file that is valid UTF-8 is read as UTF-8, anything else as Windows-1252; a
//   UTF-8 byte-order mark at the start is dropped either way.
// - A carriage return ends a line (a line feed right after it belongs to the same
//   line end) and a lone line feed stays inside the line; but a file with no
//   carriage return at all ends its lines at line feeds.
// - Empty lines are passed over, as spreadsheets write them at the end of a file.
class CsvLineReader
{
public:
    // Longer lines end the read with "Out of memory" rather than exhaust it.
    static constexpr qsizetype maxLineLength = 16 * 1024 * 1024;

    // Opens the file and reads it once to choose the encoding and the line end.
    Status open(const QString& path);
    void close();

    // The next non-empty line; false at the end of the file or on a failure, which
    // status() then tells.
    bool next(QString& line);
    const Status& status() const { return m_status; }

    CsvEncoding encoding() const { return m_encoding; }
    bool endsLinesAtLineFeed() const { return m_terminator == u'\n'; }

    // Sets the limit for tests; 0 restores maxLineLength.
    void setLineLengthLimit(qsizetype limit) { m_limit = limit > 0 ? limit : maxLineLength; }

private:
    Status survey();
    bool takeLine(QString& line);
    bool fill();
    bool fail(AppError error);

    QFile m_file;
    Status m_status;
    CsvEncoding m_encoding = CsvEncoding::Utf8;
    QStringDecoder m_utf8{QStringDecoder::Utf8};
    char16_t m_terminator = u'\r';
    qint64 m_start = 0;      // after the byte-order mark
    QString m_buffer;        // decoded text not yet handed out
    qsizetype m_pos = 0;     // start of the current line in m_buffer
    qsizetype m_scanned = 0; // where the search for the line end goes on
    bool m_skipLineFeed = false;
    bool m_atEnd = false;
    qsizetype m_limit = maxLineLength;
};

// Opens a file for reading, with the error box numbers for the usual failures.
Status openForReading(QFile& file);

} // namespace quillet
