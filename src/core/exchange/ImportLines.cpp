#include "core/exchange/ImportLines.h"

#include "core/common/FileErrors.h"
#include "core/exchange/CsvLineReader.h"

namespace quillet {

namespace {

// Copies into the line's own buffer, which a reader that keeps its line between
// calls then reuses instead of allocating one per line.
void assign(QString& line, QStringView text)
{
    line.resize(text.size());
    std::copy(text.begin(), text.end(), line.data());
}

} // namespace

Status ImportLines::open(const QString& path)
{
    m_file.close();
    m_status = Status::success();
    m_buffer.clear();
    m_pos = m_scanned = 0;
    m_atEnd = false;
    m_file.setFileName(path);
    if (Status opened = openForReading(m_file); !opened)
        return m_status = opened;
    const Result<FileSurvey> survey = surveyImportFile(m_file);
    if (!survey) {
        m_file.close();
        return m_status = survey.status();
    }
    m_encoding = survey->encoding;
    m_decoder.emplace(m_encoding);
    return m_status;
}

bool ImportLines::fail(AppError error)
{
    m_status = std::move(error);
    m_buffer.clear();
    m_pos = m_scanned = 0;
    m_atEnd = true;
    return false;
}

bool ImportLines::next(QString& line)
{
    while (m_status.ok()) {
        qsizetype end = m_scanned;
        const qsizetype size = m_buffer.size();
        const QChar* data = m_buffer.constData();
        while (end < size && data[end] != u'\r' && data[end] != u'\n')
            ++end;
        m_scanned = end;
        // A CR at the end of the buffer may have its LF in the next chunk.
        const bool complete = end < size && (data[end] == u'\n' || end + 1 < size || m_atEnd);
        if (complete) {
            assign(line, QStringView(m_buffer).sliced(m_pos, end - m_pos));
            const bool pair = data[end] == u'\r' && end + 1 < size && data[end + 1] == u'\n';
            m_lineEnd = pair ? QStringView(u"\r\n") : data[end] == u'\r' ? QStringView(u"\r") : QStringView(u"\n");
            m_pos = m_scanned = end + (pair ? 2 : 1);
            return true;
        }
        if (m_atEnd) {
            if (m_pos >= size)
                return false;
            assign(line, QStringView(m_buffer).sliced(m_pos));
            m_lineEnd = {};
            m_pos = m_scanned = size;
            return true;
        }
        if (!fill() && !m_status.ok())
            return false;
    }
    return false;
}

// Decodes the next chunk behind what is left of the current line.
bool ImportLines::fill()
{
    m_buffer.remove(0, m_pos);
    m_scanned -= m_pos;
    m_pos = 0;
    if (m_buffer.size() > m_limit)
        return fail(errors::outOfMemory());
    const QByteArray chunk = m_file.read(surveyChunkSize);
    if (chunk.isEmpty() && m_file.error() != QFileDevice::NoError)
        return fail(errorFromFileDevice(m_file));
    if (chunk.isEmpty()) {
        m_atEnd = true;
        m_buffer += m_decoder->decode({}, true); // a sequence cut by the end of the file
        return false;
    }
    m_buffer += m_decoder->decode(chunk, false);
    return true;
}

} // namespace quillet
