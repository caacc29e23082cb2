#pragma once

#include "ports/PrintTarget.h"

#include <QString>

namespace quillet {

// Appends the transcript of each job (see gridTranscript) to a text; used by
// `quillet-cli --grid`.
class TranscriptPrintTarget : public PrintTarget
{
public:
    Status print(const GridDocument& document, const PrintJob& job) override;

    const QString& text() const { return m_text; }
    int jobCount() const { return m_jobs; }

private:
    QString m_text;
    int m_jobs = 0;
};

} // namespace quillet
