#pragma once

#include "core/common/AppError.h"

namespace quillet {

// What an operation gathered before it stopped, and what stopped it. Where the part
// read before a failure is still worth showing (the lines of a list), the type says
// that it may be partial; a caller cannot take it for the whole by mistake.
template <typename T> struct [[nodiscard]] Partial
{
    T value;
    Status stoppedBy; // success when the value is whole

    bool complete() const { return stoppedBy.ok(); }
};

} // namespace quillet
