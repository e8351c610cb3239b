#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace orvella {

// The outcome of an operation that can fail: success, or a message meant for the user.
class Status {
public:
    Status() = default;
    static Status Ok() { return Status(); }
    static Status Error(std::string message) { return Status(std::move(message)); }

    bool ok() const { return !message_.has_value(); }
    explicit operator bool() const { return ok(); }
    const std::string& message() const {
        static const std::string kEmpty;
        return message_ ? *message_ : kEmpty;
    }

private:
    explicit Status(std::string message) : message_(std::move(message)) {}
    std::optional<std::string> message_;
};

// A value or the Status explaining why there is none.
template <typename T>
class Result {
public:
    Result(T value) : data_(std::move(value)) {}       // NOLINT: implicit by design
    Result(Status error) : data_(std::move(error)) {}  // NOLINT: implicit by design

    bool ok() const { return std::holds_alternative<T>(data_); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return std::get<T>(data_); }
    T& value() & { return std::get<T>(data_); }
    T&& value() && { return std::get<T>(std::move(data_)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }
    Status status() const { return ok() ? Status::Ok() : std::get<Status>(data_); }
    const std::string& message() const {
        static const std::string kEmpty;
        return ok() ? kEmpty : std::get<Status>(data_).message();
    }

private:
    std::variant<T, Status> data_;
};

}  // namespace orvella
