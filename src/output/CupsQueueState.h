#pragma once

#include <QString>

#include <optional>

namespace quillet {

// Whether the CUPS queue `name` (the default queue when empty) accepts jobs.
// QPrinter hands its finished job to CUPS without reporting a refusal, so a
// rejecting queue is found out before printing. Nothing when CUPS cannot be asked.
std::optional<bool> cupsQueueAcceptsJobs(const QString& name);

} // namespace quillet
