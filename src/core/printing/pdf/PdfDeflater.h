#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <memory>

namespace quillet {

// zlib's deflate for stream contents (FlateDecode), one compressor kept for every
// stream of a document rather than set up afresh for each page.
class PdfDeflater
{
public:
    explicit PdfDeflater(int level);
    ~PdfDeflater();
    PdfDeflater(const PdfDeflater&) = delete;
    PdfDeflater& operator=(const PdfDeflater&) = delete;

    // The bytes compressed as one zlib stream; valid until the next call.
    QByteArrayView deflate(QByteArrayView bytes);

private:
    struct Stream;
    std::unique_ptr<Stream> m_stream;
    QByteArray m_output;
};

} // namespace quillet
