#pragma once

#include <cerrno>

namespace quillet {

// Repeats a POSIX call that a signal interrupted (it failed with EINTR) and returns
// its last result.
template <typename Call> auto retrySystemCall(Call call)
{
    decltype(call()) result;
    do {
        result = call();
    } while (result < 0 && errno == EINTR);
    return result;
}

} // namespace quillet
