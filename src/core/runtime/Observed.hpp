#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace vesk {

// A value whose observers are told when it really changes: setting an equal value
// stores it silently. Observers run synchronously, after the new value is in place.
template <class T> class Observed {
  public:
    using Observer = std::function<void()>;
    using Token = std::uint64_t;

    Observed() = default;
    explicit Observed(T value) : value_(std::move(value)) {}
    Observed(const Observed&) = delete;
    Observed& operator=(const Observed&) = delete;

    const T& get() const { return value_; }
    operator const T&() const { return value_; }

    // Returns whether observers were told.
    bool set(T value) {
        const bool changed = !(value == value_);
        value_ = std::move(value);
        if (changed) notify();
        return changed;
    }

    // Changes a copy in place and sets it: the usual way to edit one element of an array.
    template <class Change> bool update(Change&& change) {
        T copy = value_;
        std::forward<Change>(change)(copy);
        return set(std::move(copy));
    }

    // Watching is not changing: read-only holders may observe.
    Token observe(Observer observer) const {
        const Token token = ++lastToken_;
        observers_.push_back({token, std::move(observer)});
        return token;
    }

    void unobserve(Token token) const {
        std::erase_if(observers_, [token](const Entry& entry) { return entry.token == token; });
    }

  private:
    struct Entry {
        Token token;
        Observer observer;
    };

    void notify() {
        // A copy, so that an observer may subscribe or unsubscribe while being told.
        const auto entries = observers_;
        for (const auto& entry : entries)
            entry.observer();
    }

    T value_{};
    mutable std::vector<Entry> observers_;
    mutable Token lastToken_ = 0;
};

} // namespace vesk
