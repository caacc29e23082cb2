#include "ports/PrintTarget.h"

#include "core/printing/GridDocument.h"

namespace quillet {

Status PrintTarget::printStream(GridStream& stream, const PrintJob& job)
{
    const GridDocument document = wholeDocument(stream);
    if (Status read = stream.status(); !read)
        return read;
    return print(document, job);
}

} // namespace quillet
