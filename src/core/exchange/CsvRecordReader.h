#pragma once

#include "core/exchange/ImportLines.h"

#include <QChar>
#include <QStringList>

namespace quillet {

// Reads CSV records from an import file as CsvRecords reads them from a text (RFC
// 4180: a field in double quotes may hold the separator, doubled quotes and line
// breaks), one record at a time and each character once.
class CsvRecordReader
{
public:
    CsvRecordReader(ImportLines& lines, QChar separator) : m_lines(lines), m_separator(separator) {}

    // The next record's fields; false at the end of the file or on a failure to read it.
    bool next(QStringList& fields);
    // Whether a quoted field read so far held the separator or a line break.
    bool quotedSeparatorOrBreak() const { return m_quotedSpecial; }

private:
    qsizetype quotedField(qsizetype pos, QString& value);

    ImportLines& m_lines;
    QChar m_separator;
    QString m_line;
    bool m_quotedSpecial = false;
};

} // namespace quillet
