#include "ports/PrintTarget.h"

#include "core/printing/GridDocument.h"

namespace quillet {

Status PrintTarget::printStream(GridStream& stream, const PrintJob& job)
{
    return print(wholeDocument(stream), job);
}

} // namespace quillet
