#pragma once

#include "core/common/AppError.h"

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

namespace quillet {

// The bytes of a PDF on their way to a device, counted so that the cross-reference
// table knows where each object starts. Written in large blocks; the first failed
// write is kept, and nothing more is written after it.
class PdfOutput
{
public:
    explicit PdfOutput(QIODevice& device);

    void write(QByteArrayView bytes);
    PdfOutput& operator<<(QByteArrayView bytes)
    {
        write(bytes);
        return *this;
    }
    PdfOutput& operator<<(char c)
    {
        write(QByteArrayView(&c, 1));
        return *this;
    }
    PdfOutput& operator<<(qint64 number);

    // Bytes written so far, including those still buffered.
    qint64 position() const { return m_flushed + m_buffer.size(); }
    // Hands the buffer to the device; the first failure of any write.
    Status flush();
    Status status() const { return m_status; }

private:
    QIODevice& m_device;
    QByteArray m_buffer;
    qint64 m_flushed = 0;
    Status m_status;
};

} // namespace quillet
