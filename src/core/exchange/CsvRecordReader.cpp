#include "core/exchange/CsvRecordReader.h"

namespace quillet {

// From the opening quote at `pos` to the end of the field, reading further lines
// while the quote stays open; the position after the field in m_line.
qsizetype CsvRecordReader::quotedField(qsizetype pos, QString& value)
{
    ++pos;
    while (true) {
        const qsizetype quote = m_line.indexOf(u'"', pos);
        const qsizetype end = quote < 0 ? m_line.size() : quote;
        const QStringView part = QStringView(m_line).sliced(pos, end - pos);
        if (!m_quotedSpecial)
            m_quotedSpecial = part.contains(m_separator);
        value += part;
        if (quote < 0) {
            // The field goes on past the line end, which it keeps.
            const QString lineEnd = m_lines.lineEnd().toString();
            if (lineEnd.isEmpty() || !m_lines.next(m_line))
                return m_line.size();
            m_quotedSpecial = true;
            value += lineEnd;
            pos = 0;
            continue;
        }
        pos = quote + 1;
        if (pos >= m_line.size() || m_line[pos] != u'"')
            break;
        value += u'"'; // a doubled quote
        ++pos;
    }
    // Text between the closing quote and the separator belongs to the field, as spreadsheets read it.
    const qsizetype separator = m_line.indexOf(m_separator, pos);
    const qsizetype end = separator < 0 ? m_line.size() : separator;
    value += QStringView(m_line).sliced(pos, end - pos);
    return end;
}

bool CsvRecordReader::next(QStringList& fields)
{
    fields.clear();
    do {
        if (!m_lines.next(m_line))
            return false;
    } while (m_line.isEmpty());
    qsizetype pos = 0;
    while (true) {
        if (pos < m_line.size() && m_line[pos] == u'"') {
            QString value;
            pos = quotedField(pos, value);
            fields.append(value);
        } else {
            const qsizetype separator = m_line.indexOf(m_separator, pos);
            const qsizetype end = separator < 0 ? m_line.size() : separator;
            fields.append(end == pos ? QString() : m_line.sliced(pos, end - pos));
            pos = end;
        }
        if (pos >= m_line.size())
            return true;
        ++pos; // the separator
    }
}

} // namespace quillet
