#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace vesk {

// A one-shot event: its owner sends it, listeners are called at once and nothing stays
// behind to be reset. A listener is heard for as long as its connection lives; once the
// connection is gone it is never called again, even from a send already under way. Either
// side may go first. One thread.
template <class... Args> class Signal {
    struct Listener {
        std::function<void(Args...)> call;
        bool connected = true;
    };
    using Listeners = std::vector<std::shared_ptr<Listener>>;

  public:
    class [[nodiscard]] Connection {
      public:
        Connection() = default;
        Connection(Connection&& other) noexcept = default;
        Connection& operator=(Connection&& other) noexcept {
            if (this != &other) {
                disconnect();
                listeners_ = std::move(other.listeners_);
                listener_ = std::move(other.listener_);
            }
            return *this;
        }
        ~Connection() { disconnect(); }

        void disconnect() {
            if (!listener_) return;
            listener_->connected = false;
            if (const auto listeners = listeners_.lock()) std::erase(*listeners, listener_);
            listener_.reset();
        }

      private:
        friend class Signal;
        Connection(std::weak_ptr<Listeners> listeners, std::shared_ptr<Listener> listener)
            : listeners_(std::move(listeners)), listener_(std::move(listener)) {}

        std::weak_ptr<Listeners> listeners_;
        std::shared_ptr<Listener> listener_;
    };

    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    // Listening is not sending: read-only holders may connect.
    Connection connect(std::function<void(Args...)> call) const {
        auto listener = std::make_shared<Listener>(Listener{std::move(call)});
        listeners_->push_back(listener);
        return Connection(listeners_, std::move(listener));
    }

    void send(const Args&... args) {
        // A copy, so that a listener may connect or disconnect while being called.
        const Listeners listeners = *listeners_;
        for (const auto& listener : listeners)
            if (listener->connected) listener->call(args...);
    }

  private:
    std::shared_ptr<Listeners> listeners_ = std::make_shared<Listeners>();
};

} // namespace vesk
