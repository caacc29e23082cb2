#include "core/exchange/CsvRecords.h"

namespace quillet {

namespace {

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

} // namespace

QStringView firstLine(QStringView text)
{
    qsizetype end = 0;
    while (end < text.size() && !isLineEnd(text[end]))
        ++end;
    return text.first(end);
}

// From the opening quote to the character after the closing one.
QString CsvRecords::quotedField()
{
    QString value;
    ++m_pos;
    while (m_pos < m_text.size()) {
        const qsizetype quote = m_text.indexOf(u'"', m_pos);
        const qsizetype end = quote < 0 ? m_text.size() : quote;
        const QStringView part = m_text.sliced(m_pos, end - m_pos);
        if (!m_quotedSpecial)
            m_quotedSpecial = part.contains(m_separator) || part.contains(u'\n') || part.contains(u'\r');
        value += part;
        m_pos = end + 1;
        if (quote < 0 || m_pos >= m_text.size() || m_text[m_pos] != u'"')
            break;
        value += u'"'; // a doubled quote
        ++m_pos;
    }
    // Text between the closing quote and the separator belongs to the field, as spreadsheets read it.
    while (m_pos < m_text.size() && m_text[m_pos] != m_separator && !isLineEnd(m_text[m_pos]))
        value += m_text[m_pos++];
    return value;
}

bool CsvRecords::next(QStringList& fields)
{
    fields.clear();
    while (m_pos < m_text.size() && isLineEnd(m_text[m_pos]))
        ++m_pos;
    if (m_pos >= m_text.size())
        return false;
    while (true) {
        if (m_pos < m_text.size() && m_text[m_pos] == u'"') {
            fields.append(quotedField());
        } else {
            const qsizetype start = m_pos;
            while (m_pos < m_text.size() && m_text[m_pos] != m_separator && !isLineEnd(m_text[m_pos]))
                ++m_pos;
            fields.append(start == m_pos ? QString() : m_text.sliced(start, m_pos - start).toString());
        }
        if (m_pos >= m_text.size() || isLineEnd(m_text[m_pos]))
            break;
        ++m_pos; // the separator
    }
    if (m_pos < m_text.size() && m_text[m_pos] == u'\r')
        ++m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == u'\n')
        ++m_pos;
    return true;
}

} // namespace quillet
