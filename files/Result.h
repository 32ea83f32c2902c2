#pragma once

// Errors as values: an operation that can fail gives back either its value or what went wrong.

#include <string>
#include <utility>
#include <variant>

namespace ravelin {

struct Error {
    int code = 0;  // errno, or 0 where only the message matters
    std::string message;
};

template <class T, class E = Error>
class Result {
  public:
    Result(T value)
        : state_(std::in_place_index<0>, std::move(value)) {
    }  // NOLINT(google-explicit-constructor)
    Result(E error)
        : state_(std::in_place_index<1>, std::move(error)) {
    }  // NOLINT(google-explicit-constructor)

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<0>(state_); }
    T& value() { return std::get<0>(state_); }
    const E& error() const { return std::get<1>(state_); }

  private:
    std::variant<T, E> state_;
};

}  // namespace ravelin
