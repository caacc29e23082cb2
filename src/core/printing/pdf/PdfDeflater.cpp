#include "core/printing/pdf/PdfDeflater.h"

#include <zlib.h>

namespace quillet {

struct PdfDeflater::Stream
{
    z_stream z{};
    bool ready = false;
};

PdfDeflater::PdfDeflater(int level) : m_stream(std::make_unique<Stream>())
{
    // A smaller hash table than zlib's default (8): each stream starts by clearing
    // it, which at the default costs more than compressing a page of labels.
    const int windowBits = 15, memoryLevel = 5;
    m_stream->ready =
        deflateInit2(&m_stream->z, level, Z_DEFLATED, windowBits, memoryLevel, Z_DEFAULT_STRATEGY) == Z_OK;
}

PdfDeflater::~PdfDeflater()
{
    if (m_stream->ready)
        deflateEnd(&m_stream->z);
}

QByteArrayView PdfDeflater::deflate(QByteArrayView bytes)
{
    z_stream& z = m_stream->z;
    if (!m_stream->ready || deflateReset(&z) != Z_OK)
        qFatal("zlib could not be set up"); // only when memory runs out
    m_output.resize(qsizetype(deflateBound(&z, uLong(bytes.size()))));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = uInt(bytes.size());
    z.next_out = reinterpret_cast<Bytef*>(m_output.data());
    z.avail_out = uInt(m_output.size());
    // The bound is enough for the whole stream in one call.
    if (::deflate(&z, Z_FINISH) != Z_STREAM_END)
        qFatal("zlib could not compress within its own bound");
    return QByteArrayView(m_output.constData(), qsizetype(z.total_out));
}

} // namespace quillet
