#pragma once

#include <functional>
#include <memory>
#include <vector>

namespace vesk {

// A one-shot event: its `Owner` sends it, listeners are called at once, and nothing stays
// behind to be reset. A listener is heard while its connection is held; once the connection
// is dropped it is never called again, even from a send already under way. Either side may
// go first. One thread.
template <class Owner, class... Args> class Signal {
    friend Owner;

  public:
    using Listener = std::function<void(Args...)>;
    using Connection = std::shared_ptr<const Listener>;

    // Listening is not sending: read-only holders may connect.
    [[nodiscard]] Connection connect(Listener listener) const {
        auto connection = std::make_shared<const Listener>(std::move(listener));
        std::erase_if(listeners_, [](const auto& held) { return held.expired(); });
        listeners_.push_back(connection);
        return connection;
    }

  private:
    void send(const Args&... args) {
        // A copy, so that a listener may connect while being called.
        const auto listeners = listeners_;
        for (const auto& held : listeners)
            if (const auto listener = held.lock()) (*listener)(args...);
    }

    mutable std::vector<std::weak_ptr<const Listener>> listeners_;
};

} // namespace vesk
