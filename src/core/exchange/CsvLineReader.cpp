#include "core/exchange/CsvLineReader.h"

#include "core/common/FileErrors.h"

#include <QDir>
#include <QFileInfo>

namespace quillet {

namespace {
constexpr qint64 chunkSize = 64 * 1024;
} // namespace

Status openForReading(QFile& file)
{
    const QFileInfo info(file.fileName());
    if (!info.exists())
        return info.dir().exists() ? errors::fileNotFound() : errors::pathNotFound();
    // A FIFO, a device or a folder would hang the reading or never end it.
    if (!info.isFile())
        return errors::notRegularFile();
    if (!file.open(QIODevice::ReadOnly))
        return errorFromFileDevice(file);
    return {};
}

Status CsvLineReader::open(const QString& path)
{
    close();
    m_file.setFileName(path);
    if (Status opened = openForReading(m_file); !opened)
        return m_status = opened;
    if (Status surveyed = survey(); !surveyed) {
        m_file.close();
        return m_status = surveyed;
    }
    return m_status;
}

void CsvLineReader::close()
{
    m_file.close();
    m_status = Status::success();
    m_decoder.reset();
    m_buffer.clear();
    m_pos = m_scanned = 0;
    m_skipLineFeed = m_atEnd = false;
    m_start = 0;
}

// One pass over the bytes: which encoding, and does the text hold a carriage return.
Status CsvLineReader::survey()
{
    const Result<FileSurvey> surveyed = surveyImportFile(m_file);
    if (!surveyed)
        return surveyed.status();
    m_encoding = surveyed->encoding;
    m_start = surveyed->markLength;
    m_decoder.emplace(m_encoding);
    m_terminator = surveyed->carriageReturn ? u'\r' : u'\n';
    return {};
}

bool CsvLineReader::fail(AppError error)
{
    m_status = std::move(error);
    m_buffer.clear();
    m_pos = m_scanned = 0;
    m_atEnd = true;
    return false;
}

bool CsvLineReader::next(QString& line)
{
    while (m_status.ok()) {
        if (takeLine(line)) {
            if (line.isEmpty())
                continue;
            return true;
        }
        if (!fill())
            return false;
    }
    return false;
}

bool CsvLineReader::takeLine(QString& line)
{
    const qsizetype end = m_buffer.indexOf(QChar(m_terminator), m_scanned);
    if (end < 0) {
        m_scanned = m_buffer.size();
        if (!m_atEnd || m_pos >= m_buffer.size())
            return false;
        line = m_buffer.sliced(m_pos); // the last line, without a line end
        m_pos = m_scanned = m_buffer.size();
        return true;
    }
    line = m_buffer.sliced(m_pos, end - m_pos);
    m_pos = end + 1;
    if (m_terminator == u'\r' && m_pos < m_buffer.size() && m_buffer.at(m_pos) == u'\n')
        ++m_pos;
    else if (m_terminator == u'\r' && m_pos == m_buffer.size())
        m_skipLineFeed = true; // the line feed may open the next chunk
    m_scanned = m_pos;
    return true;
}

// Decodes the next chunk behind what is left of the current line; false at the end.
bool CsvLineReader::fill()
{
    if (m_atEnd)
        return false;
    m_buffer.remove(0, m_pos);
    m_scanned -= m_pos;
    m_pos = 0;
    if (m_buffer.size() > m_limit)
        return fail(errors::outOfMemory());
    const QByteArray chunk = m_file.read(chunkSize);
    if (chunk.isEmpty() && m_file.error() != QFileDevice::NoError)
        return fail(errorFromFileDevice(m_file));
    const qsizetype before = m_buffer.size();
    if (chunk.isEmpty()) {
        m_atEnd = true;
        m_buffer += m_decoder->decode({}, true); // a sequence cut by the end of the file
        return m_pos < m_buffer.size();
    }
    m_buffer += m_decoder->decode(chunk, false);
    if (m_skipLineFeed && before == 0 && m_buffer.startsWith(u'\n'))
        m_buffer.remove(0, 1);
    m_skipLineFeed = false;
    return true;
}

} // namespace quillet
