#pragma once

#include "core/common/AppError.h"
#include "core/exchange/ImportText.h"

#include <QFile>
#include <QString>
#include <QStringView>

#include <optional>

namespace quillet {

// Reads an import file one physical line at a time, holding one chunk and one line,
// never the whole file: what the vCard, LDIF and CSV readings are built on. Lines
// end at CR LF, CR or LF; the encoding follows the import text rule (see
// EncodingSurvey) and a byte-order mark is dropped. A file that is not text is
// refused when it is opened.
class ImportLines
{
public:
    // Longer lines end the read with "Out of memory" rather than exhaust it.
    static constexpr qsizetype maxLineLength = 16 * 1024 * 1024;

    Status open(const QString& path);
    // The next line without its line end; false at the end of the file or on a
    // failure, which status() then tells.
    bool next(QString& line);
    // What ended the line last read: "\r\n", "\r", "\n", or nothing at the end of the file.
    QStringView lineEnd() const { return m_lineEnd; }
    const Status& status() const { return m_status; }
    TextEncoding encoding() const { return m_encoding; }

    // Sets the limit for tests; 0 restores maxLineLength.
    void setLineLengthLimit(qsizetype limit) { m_limit = limit > 0 ? limit : maxLineLength; }

private:
    bool fill();
    bool fail(AppError error);

    QFile m_file;
    Status m_status;
    TextEncoding m_encoding = TextEncoding::Utf8;
    std::optional<ImportDecoder> m_decoder;
    QString m_buffer;        // decoded text not yet handed out
    qsizetype m_pos = 0;     // start of the next line in m_buffer
    qsizetype m_scanned = 0; // where the search for the line end goes on
    bool m_atEnd = false;
    QStringView m_lineEnd;
    qsizetype m_limit = maxLineLength;
};

} // namespace quillet
