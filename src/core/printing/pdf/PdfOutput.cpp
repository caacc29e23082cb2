#include "core/printing/pdf/PdfOutput.h"

#include "core/common/FileErrors.h"

#include <QFileDevice>
#include <QIODevice>

namespace quillet {

namespace {
constexpr qsizetype blockSize = 1 << 16;
}

PdfOutput::PdfOutput(QIODevice& device) : m_device(device)
{
    m_buffer.reserve(blockSize);
}

void PdfOutput::write(QByteArrayView bytes)
{
    m_buffer.append(bytes.data(), bytes.size());
    if (m_buffer.size() >= blockSize)
        static_cast<void>(flush());
}

PdfOutput& PdfOutput::operator<<(qint64 number)
{
    char digits[24];
    char* end = digits + sizeof digits;
    char* at = end;
    const bool negative = number < 0;
    quint64 rest = negative ? quint64(-number) : quint64(number);
    do {
        *--at = char('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (negative)
        *--at = '-';
    write(QByteArrayView(at, end - at));
    return *this;
}

Status PdfOutput::flush()
{
    if (m_status.ok() && !m_buffer.isEmpty() && m_device.write(m_buffer) != m_buffer.size()) {
        const auto* file = qobject_cast<const QFileDevice*>(&m_device);
        m_status = file && file->error() != QFileDevice::NoError ? errorFromFileDevice(*file) : errors::deviceIO();
    }
    m_flushed += m_buffer.size();
    m_buffer.resize(0); // keeps the capacity
    return m_status;
}

} // namespace quillet
