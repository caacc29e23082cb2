#pragma once

#include "core/common/AppError.h"
#include "core/exchange/ImportText.h"

#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringDecoder>

#include <optional>

namespace quillet {

using CsvEncoding = TextEncoding;

// Reads an import file one line at a time, holding one chunk and one line, never
// the whole file.
// - The encoding follows the import text rule (see EncodingSurvey); a byte-order
//   mark is dropped.
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
    std::optional<ImportDecoder> m_decoder;
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
