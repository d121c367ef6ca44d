#include "platform/X11Display.hpp"

#include "platform/XcbReply.hpp"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>
#include <xcb/xcb.h>

namespace vesk {

std::unique_ptr<X11Display> X11Display::open(const std::string& name) {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(name.empty() ? nullptr : name.c_str(), &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem == 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::unique_ptr<X11Display>(new X11Display(connection, screens.data->root, true));
}

X11Display::Reply X11Display::answers(const std::string& name, std::chrono::milliseconds within) {
    struct Outcome {
        std::mutex mutex;
        std::condition_variable done;
        std::optional<bool> opened;
    };
    // Shared with the thread, which a silent server keeps waiting until the process ends.
    const auto outcome = std::make_shared<Outcome>();
    std::thread([outcome, name] {
        const bool opened = open(name) != nullptr;
        const std::lock_guard lock(outcome->mutex);
        outcome->opened = opened;
        outcome->done.notify_one();
    }).detach();
    std::unique_lock lock(outcome->mutex);
    if (!outcome->done.wait_for(lock, within, [&] { return outcome->opened.has_value(); }))
        return Reply::silent;
    return *outcome->opened ? Reply::answered : Reply::refused;
}

X11Display::X11Display(xcb_connection_t* connection, std::uint32_t root)
    : X11Display(connection, root, false) {}

X11Display::X11Display(xcb_connection_t* connection, std::uint32_t root, bool owned)
    : connection_(connection), root_(root), owned_(owned) {}

X11Display::~X11Display() {
    if (owned_) xcb_disconnect(connection_);
}

std::uint32_t X11Display::atom(const std::string& name) {
    if (const auto known = atoms_.find(name); known != atoms_.end()) return known->second;
    const auto cookie =
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(name.size()), name.c_str());
    const auto reply = xcbReply(xcb_intern_atom_reply, connection_, cookie);
    if (reply == nullptr) return XCB_ATOM_NONE;
    const std::uint32_t atom = reply->atom;
    atoms_.emplace(name, atom);
    return atom;
}

Subscription X11Display::subscribe(Handler handler) {
    const HandlerId id = ++lastId_;
    handlers_.emplace(id, std::move(handler));
    return Subscription([this, id] { handlers_.erase(id); });
}

bool X11Display::broken() const {
    return xcb_connection_has_error(connection_) != 0;
}

bool X11Display::dispatch(const void* event) {
    // A handler may subscribe others or end their subscriptions while it runs: walk a snapshot
    // of the ids and skip the ones that have gone meanwhile.
    std::vector<HandlerId> ids;
    ids.reserve(handlers_.size());
    for (const auto& [id, handler] : handlers_)
        ids.push_back(id);
    for (const HandlerId id : ids) {
        const auto handler = handlers_.find(id);
        if (handler != handlers_.end() && handler->second(event)) return true;
    }
    return false;
}

void X11Display::pump() {
    if (!owned_) return;
    while (const XcbReply<xcb_generic_event_t> event{xcb_poll_for_event(connection_)})
        dispatch(event.get());
}

void X11Display::flush() {
    xcb_flush(connection_);
}

} // namespace vesk
