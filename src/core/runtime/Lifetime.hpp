#pragma once

#include <memory>
#include <utility>

namespace vesk {

// Keeps callbacks from outliving their owner: the owner holds a Lifetime, hands out guarded
// callbacks (or tokens, to carry through another thread), and once it is gone they do nothing.
// Tokens may be copied on any thread; they are checked on the owner's.
class Lifetime {
  public:
    class Token {
      public:
        bool alive() const { return !owner_.expired(); }

      private:
        friend class Lifetime;
        explicit Token(std::weak_ptr<const char> owner) : owner_(std::move(owner)) {}
        std::weak_ptr<const char> owner_;
    };

    Lifetime() = default;
    Lifetime(const Lifetime&) = delete;
    Lifetime& operator=(const Lifetime&) = delete;

    Token token() const { return Token(alive_); }

    // `callback`, run only while this lifetime lasts; its result is dropped.
    template <class Callback> auto guard(Callback callback) const {
        return [token = token(), callback = std::move(callback)](auto&&... arguments) mutable {
            if (token.alive()) callback(std::forward<decltype(arguments)>(arguments)...);
        };
    }

    // Ends what was handed out so far, as if the owner had gone; what comes later lives on.
    void reset() { alive_ = std::make_shared<const char>(); }

  private:
    std::shared_ptr<const char> alive_ = std::make_shared<const char>();
};

} // namespace vesk
