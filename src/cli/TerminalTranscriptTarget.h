#pragma once

#include "output/TranscriptPrintTarget.h"
#include "ports/PrintTarget.h"

namespace quillet::cli {

// The transcript of `--grid`, which goes to a terminal: the printed texts are made
// terminal-safe before the layout, so a control character read from a contacts
// file shows as \xNN in its place and never breaks a transcript line in two.
class TerminalTranscriptTarget : public PrintTarget
{
public:
    Status print(const GridDocument& document, const PrintJob& job) override;
    const QString& text() const { return m_transcript.text(); }

private:
    TranscriptPrintTarget m_transcript;
};

} // namespace quillet::cli
