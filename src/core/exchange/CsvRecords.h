#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace quillet {

// Reads CSV records as RFC 4180 has them: a field in double quotes may hold the
// separator, doubled quotes and line breaks, and loses its enclosing quotes; a
// quote inside an unquoted field is an ordinary character. Records end at CR LF,
// CR or LF outside quotes; empty lines are passed over.
class CsvRecords
{
public:
    CsvRecords(QStringView text, QChar separator) : m_text(text), m_separator(separator) {}

    // The next record's fields; false at the end of the text.
    bool next(QStringList& fields);
    // Whether a quoted field read so far held the separator or a line break.
    bool quotedSeparatorOrBreak() const { return m_quotedSpecial; }

private:
    QString quotedField();
    QStringView m_text;
    QChar m_separator;
    qsizetype m_pos = 0;
    bool m_quotedSpecial = false;
};

// The text up to its first line end: the header line whose separator is counted.
QStringView firstLine(QStringView text);

} // namespace quillet
