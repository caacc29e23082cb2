#pragma once

#include "core/common/AppError.h"

#include <utility>
#include <variant>

namespace quillet {

// A value, or the Status that kept an operation from producing one. A caller can
// reach the value only through a result that holds one, so nothing half-filled is
// ever read after a failure.
template <typename T> class [[nodiscard]] Result
{
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(AppError error) : m_state(std::in_place_index<1>, std::move(error)) {}
    // Only a failed Status makes a result; a successful one has no value to give.
    Result(Status status) : m_state(std::in_place_index<1>, status.error()) { Q_ASSERT(!status.ok()); }

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Success, or the error that stopped the operation.
    Status status() const { return ok() ? Status() : Status(std::get<1>(m_state)); }
    const AppError& error() const { return std::get<1>(m_state); }

    // Valid only when ok().
    const T& value() const& { return std::get<0>(m_state); }
    T& value() & { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

private:
    std::variant<T, AppError> m_state;
};

} // namespace quillet
