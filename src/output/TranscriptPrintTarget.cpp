#include "output/TranscriptPrintTarget.h"

#include "core/printing/GridTranscript.h"

namespace quillet {

Status TranscriptPrintTarget::print(const GridDocument& document, const PrintJob&)
{
    m_text += gridTranscript(document);
    ++m_jobs;
    return Status::success();
}

} // namespace quillet
