#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>

namespace pixmosa {

// What kind of failure an operation met, for the callers that act on it (a file that exists
// already, say); Other for every failure no caller tells apart.
enum class ErrorKind { NotFound, Exists, Permission, IsLink, NoSpace, Other };

// The outcome of an operation that gives nothing back: success, or the message to show and
// the kind of failure.
class [[nodiscard]] Status {
public:
    static Status success() { return Status(); }
    static Status failure(std::string message, ErrorKind kind = ErrorKind::Other)
    {
        return Status(std::move(message), kind);
    }

    bool ok() const { return !m_message.has_value(); }
    explicit operator bool() const { return ok(); }
    const std::string& message() const
    {
        static const std::string none;
        return m_message ? *m_message : none;
    }
    ErrorKind kind() const { return m_kind; }

private:
    Status() = default;
    Status(std::string message, ErrorKind kind) : m_message(std::move(message)), m_kind(kind) {}

    std::optional<std::string> m_message;
    ErrorKind m_kind = ErrorKind::Other;
};

// A value, or the message to show when it could not be had.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Status failure) : m_message(failure.message()), m_kind(failure.kind())
    {
        assert(!failure.ok());
    }

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
    ErrorKind kind() const { return m_kind; }
    Status status() const { return ok() ? Status::success() : Status::failure(m_message, m_kind); }

private:
    std::optional<T> m_value;
    std::string m_message;
    ErrorKind m_kind = ErrorKind::Other;
};

}  // namespace pixmosa
