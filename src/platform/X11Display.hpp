#pragma once

#include "core/runtime/Subscription.hpp"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

struct xcb_connection_t;

namespace vesk {

// One connection to the X server and the events read from it, for the X11 pieces of the
// panel (window hints, input shape, pointer, hot key). The pieces hear raw xcb events while
// they hold their subscription; whoever reads the connection hands each event to `dispatch`
// on the main thread: Qt's event filter in the program (QtX11Display), `pump` when we own
// the connection.
class X11Display {
  public:
    // Takes `event`, an xcb_generic_event_t; returns true when it was ours alone.
    using Handler = std::function<bool(const void* event)>;

    // A connection of our own; empty when no server answers at `name` (empty: $DISPLAY).
    static std::unique_ptr<X11Display> open(const std::string& name = {});
    // Whether a server at `name` answers a connection, waiting at most `within`: one that takes
    // the connection and never replies (a stopped or hung server, or something else listening
    // under its name) would hold whoever connects there forever. The connection is let go.
    enum class Reply { answered, refused, silent };
    static Reply answers(const std::string& name, std::chrono::milliseconds within);
    // A connection owned by someone else (Qt), which stays theirs.
    X11Display(xcb_connection_t* connection, std::uint32_t root);
    ~X11Display();
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;

    xcb_connection_t* connection() const { return connection_; }
    std::uint32_t root() const { return root_; }
    // The server has gone, or the connection failed otherwise: nothing more comes through it.
    bool broken() const;

    std::uint32_t atom(const std::string& name);

    // The display outlives the subscription.
    Subscription subscribe(Handler handler);
    bool dispatch(const void* event);

    // Reads and dispatches every event already queued on a connection of our own.
    void pump();
    void flush();

  private:
    using HandlerId = std::uint64_t;

    X11Display(xcb_connection_t* connection, std::uint32_t root, bool owned);

    xcb_connection_t* connection_;
    std::uint32_t root_;
    bool owned_;
    std::map<std::string, std::uint32_t> atoms_;
    std::map<HandlerId, Handler> handlers_;
    HandlerId lastId_ = 0;
};

} // namespace vesk
