#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>

namespace pixmosa {

// The outcome of an operation that gives nothing back: success, or the message to show.
class [[nodiscard]] Status {
public:
    static Status success() { return Status(); }
    static Status failure(std::string message) { return Status(std::move(message)); }

    bool ok() const { return !m_message.has_value(); }
    explicit operator bool() const { return ok(); }
    const std::string& message() const
    {
        static const std::string none;
        return m_message ? *m_message : none;
    }

private:
    Status() = default;
    explicit Status(std::string message) : m_message(std::move(message)) {}

    std::optional<std::string> m_message;
};

// A value, or the message to show when it could not be had.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Status failure) : m_message(failure.message()) { assert(!failure.ok()); }

    static Result failure(std::string message)
    {
        return Result(Status::failure(std::move(message)));
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const T& operator*() const& { return *m_value; }
    const T* operator->() const { return &*m_value; }
    const std::string& message() const { return m_message; }
    Status status() const { return ok() ? Status::success() : Status::failure(m_message); }

private:
    std::optional<T> m_value;
    std::string m_message;
};

}  // namespace pixmosa
