#include "exchange/CsvLineReader.h"

#include "common/Cp1252.h"
#include "common/FileErrors.h"

#include <QDir>
#include <QFileInfo>

namespace quillet {

namespace {
constexpr qint64 chunkSize = 64 * 1024;
constexpr char byteOrderMark[] = "\xEF\xBB\xBF";
} // namespace

void Utf8Validator::feed(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (!m_valid)
            return;
        const auto b = static_cast<unsigned char>(c);
        if (m_pending > 0) {
            m_valid = b >= m_lowest && b <= m_highest;
            --m_pending;
            m_lowest = 0x80;
            m_highest = 0xBF;
            continue;
        }
        if (b < 0x80)
            continue;
        if (b >= 0xC2 && b <= 0xDF)
            m_pending = 1;
        else if (b >= 0xE0 && b <= 0xEF)
            m_pending = 2;
        else if (b >= 0xF0 && b <= 0xF4)
            m_pending = 3;
        else
            m_valid = false;
        // The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
        if (b == 0xE0)
            m_lowest = 0xA0;
        else if (b == 0xED)
            m_highest = 0x9F;
        else if (b == 0xF0)
            m_lowest = 0x90;
        else if (b == 0xF4)
            m_highest = 0x8F;
    }
}

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
    if (!m_file.seek(m_start)) {
        m_file.close();
        return m_status = errorFromFileDevice(m_file);
    }
    return m_status;
}

void CsvLineReader::close()
{
    m_file.close();
    m_status = Status::success();
    m_utf8 = QStringDecoder(QStringDecoder::Utf8);
    m_buffer.clear();
    m_pos = m_scanned = 0;
    m_skipLineFeed = m_atEnd = false;
    m_start = 0;
}

// One pass over the bytes: is it UTF-8, does it hold a carriage return, does it start with a mark.
Status CsvLineReader::survey()
{
    Utf8Validator validator;
    bool sawCarriageReturn = false;
    bool first = true;
    while (true) {
        const QByteArray chunk = m_file.read(chunkSize);
        if (chunk.isEmpty() && m_file.error() != QFileDevice::NoError)
            return errorFromFileDevice(m_file);
        if (chunk.isEmpty())
            break;
        QByteArrayView view(chunk);
        if (first && view.startsWith(QByteArrayView(byteOrderMark))) {
            m_start = 3;
            view = view.sliced(3);
        }
        first = false;
        validator.feed(view);
        sawCarriageReturn = sawCarriageReturn || view.contains('\r');
    }
    m_encoding = validator.finish() ? CsvEncoding::Utf8 : CsvEncoding::Windows1252;
    m_terminator = sawCarriageReturn ? u'\r' : u'\n';
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
    if (chunk.isEmpty()) {
        m_atEnd = true;
        return m_pos < m_buffer.size();
    }
    const qsizetype before = m_buffer.size();
    m_buffer += m_encoding == CsvEncoding::Utf8 ? QString(m_utf8.decode(chunk)) : cp1252::decode(chunk);
    if (m_skipLineFeed && before == 0 && m_buffer.startsWith(u'\n'))
        m_buffer.remove(0, 1);
    m_skipLineFeed = false;
    return true;
}

} // namespace quillet
