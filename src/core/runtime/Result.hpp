#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace vesk {

// Why a call failed, as a person reads it: the system's words ("Permission denied") or ours.
struct Failure {
    std::string reason;

    bool operator==(const Failure&) const = default;
};

// What a call across a seam gives back: its value, or why there is none. `Why` is a Failure, or
// one that tells more than the reason (where decoding stopped, whether the file was there).
template <class T, class Why = Failure> class Result {
  public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Why failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() { return std::get<0>(state_); }
    const T& value() const { return std::get<0>(state_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const Why& failure() const { return std::get<1>(state_); }
    const std::string& reason() const { return failure().reason; }

  private:
    std::variant<T, Why> state_;
};

// A call that gives nothing back but whether it worked.
template <class Why> class Result<void, Why> {
  public:
    Result() = default;
    Result(Why failure) : failure_(std::move(failure)) {}

    bool ok() const { return !failure_; }
    explicit operator bool() const { return ok(); }

    const Why& failure() const { return *failure_; }
    const std::string& reason() const { return failure_->reason; }

  private:
    std::optional<Why> failure_;
};

} // namespace vesk
