#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <type_traits>
#include <unordered_set>
#include <utility>
#include <vector>

namespace vesk {

class ObservedBase;

// Values that change together, such as the store's: while a hold is open their observers
// are told nothing; when the outermost hold closes, each value that changed tells its
// observers once, every value already in place. Outlives its values. One thread.
class ChangeBatch {
  public:
    ChangeBatch() = default;
    ChangeBatch(const ChangeBatch&) = delete;
    ChangeBatch& operator=(const ChangeBatch&) = delete;

    class [[nodiscard]] Hold {
      public:
        explicit Hold(ChangeBatch& batch) : batch_(batch) { ++batch_.depth_; }
        ~Hold() {
            if (--batch_.depth_ == 0) batch_.release();
        }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

      private:
        ChangeBatch& batch_;
    };

    // Opens a hold for the caller's scope.
    Hold hold() { return Hold(*this); }
    bool isHolding() const { return depth_ > 0; }

  private:
    friend class ObservedBase;

    void defer(ObservedBase* value) {
        if (std::find(pending_.begin(), pending_.end(), value) == pending_.end()) pending_.push_back(value);
    }
    inline void release();

    int depth_ = 0;
    std::vector<ObservedBase*> pending_;
};

// The observers of one observed value. An observer may belong to a group: when a batch
// releases, a group that watches several of its values is told once.
class ObservedBase {
  public:
    using Observer = std::function<void()>;
    using Token = std::uint64_t;
    using Group = const void*;

    ObservedBase() = default;
    explicit ObservedBase(ChangeBatch& batch) : batch_(&batch) {}
    ObservedBase(const ObservedBase&) = delete;
    ObservedBase& operator=(const ObservedBase&) = delete;

    // Watching is not changing: read-only holders may observe.
    Token observe(Observer observer, Group group = nullptr) const {
        const Token token = ++lastToken_;
        observers_.push_back({token, group, std::move(observer)});
        return token;
    }

    void unobserve(Token token) const {
        std::erase_if(observers_, [token](const Entry& entry) { return entry.token == token; });
    }

  protected:
    ~ObservedBase() = default;

    void notify() {
        if (batch_ && batch_->isHolding())
            batch_->defer(this);
        else
            tell(nullptr);
    }

  private:
    friend class ChangeBatch;

    struct Entry {
        Token token;
        Group group;
        Observer observer;
    };

    // Tells every observer, skipping groups already told when `told` is given.
    void tell(std::unordered_set<Group>* told) {
        // A copy, so that an observer may subscribe or unsubscribe while being told.
        const auto entries = observers_;
        for (const auto& entry : entries) {
            if (told && entry.group && !told->insert(entry.group).second) continue;
            entry.observer();
        }
    }

    ChangeBatch* batch_ = nullptr;
    mutable std::vector<Entry> observers_;
    mutable Token lastToken_ = 0;
};

void ChangeBatch::release() {
    std::unordered_set<ObservedBase::Group> told;
    // Observers may change values again: outside any hold, they tell at once.
    for (ObservedBase* value : std::exchange(pending_, {}))
        value->tell(&told);
}

// A value whose observers are told when it really changes: setting an equal value
// stores it silently. Observers run synchronously, after the new value is in place, or,
// for a value of a batch, when the batch's hold closes. A value with an `Owner` is changed
// by that class only; everyone else reads and observes it.
template <class T, class Owner = void> class Observed : public ObservedBase {
    friend Owner;
    static constexpr bool owned = !std::is_void_v<Owner>;

  public:
    Observed() = default;
    explicit Observed(T value) : value_(std::move(value)) {}
    // A value of the batch.
    explicit Observed(ChangeBatch& batch) : ObservedBase(batch) {}
    Observed(T value, ChangeBatch& batch) : ObservedBase(batch), value_(std::move(value)) {}

    const T& get() const { return value_; }
    operator const T&() const { return value_; }

    // Returns whether the value changed.
    bool set(T value) requires(!owned) { return assign(std::move(value)); }
    // Changes a copy in place and sets it: the usual way to edit one element of an array.
    template <class Change> bool update(Change&& change) requires(!owned) { return edit(change); }

  private:
    bool set(T value) requires owned { return assign(std::move(value)); }
    template <class Change> bool update(Change&& change) requires owned { return edit(change); }

    bool assign(T value) {
        const bool changed = !(value == value_);
        value_ = std::move(value);
        if (changed) notify();
        return changed;
    }
    template <class Change> bool edit(Change& change) {
        T copy = value_;
        change(copy);
        return assign(std::move(copy));
    }

    T value_{};
};

} // namespace vesk
