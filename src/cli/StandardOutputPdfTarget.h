#pragma once

#include "ports/PrintTarget.h"

namespace quillet::cli {

// `--pdf -`: the job's PDF on standard output. It is written whole into a private
// temporary file first, so a job that fails part way sends nothing rather than
// half a PDF; then it is copied out.
class StandardOutputPdfTarget : public PrintTarget
{
public:
    Status print(const GridDocument& document, const PrintJob& job) override;
    Status printStream(GridStream& stream, const PrintJob& job) override;
};

} // namespace quillet::cli
