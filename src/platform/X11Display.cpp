#include "platform/X11Display.hpp"

#include <cstdlib>
#include <utility>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xinput.h>

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

X11Display::X11Display(xcb_connection_t* connection, std::uint32_t root)
    : X11Display(connection, root, false) {}

X11Display::X11Display(xcb_connection_t* connection, std::uint32_t root, bool owned)
    : connection_(connection), root_(root), owned_(owned) {
    const xcb_query_extension_reply_t* input = xcb_get_extension_data(connection_, &xcb_input_id);
    if (input != nullptr && input->present) inputOpcode_ = input->major_opcode;
}

// The clock window is never destroyed: it goes with the connection, which Qt may have closed
// already when its display is.
X11Display::~X11Display() {
    if (owned_) xcb_disconnect(connection_);
}

std::uint32_t X11Display::atom(const std::string& name) {
    if (const auto known = atoms_.find(name); known != atoms_.end()) return known->second;
    const auto cookie =
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(name.size()), name.c_str());
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookie, nullptr);
    if (reply == nullptr) return XCB_ATOM_NONE;
    const std::uint32_t atom = reply->atom;
    std::free(reply);
    atoms_.emplace(name, atom);
    return atom;
}

X11Display::HandlerId X11Display::subscribe(Handler handler) {
    handlers_.emplace(++lastId_, std::move(handler));
    return lastId_;
}

void X11Display::unsubscribe(HandlerId id) {
    handlers_.erase(id);
}

bool X11Display::dispatch(const void* event) {
    switch (static_cast<const xcb_generic_event_t*>(event)->response_type & 0x7f) {
    case XCB_KEY_PRESS:
    case XCB_KEY_RELEASE:
    case XCB_BUTTON_PRESS:
    case XCB_BUTTON_RELEASE:
        // The four share one layout.
        lastInputTime_ = static_cast<const xcb_key_press_event_t*>(event)->time;
        break;
    case XCB_GE_GENERIC: {
        // Qt reads the pointer and touch through XInput 2. Its device events share the
        // layout up to the time.
        const auto* generic = static_cast<const xcb_ge_generic_event_t*>(event);
        if (inputOpcode_ == 0 || generic->extension != inputOpcode_) break;
        switch (generic->event_type) {
        case XCB_INPUT_BUTTON_PRESS:
        case XCB_INPUT_BUTTON_RELEASE:
        case XCB_INPUT_TOUCH_BEGIN:
        case XCB_INPUT_TOUCH_END:
            lastInputTime_ = static_cast<const xcb_input_button_press_event_t*>(event)->time;
            break;
        default:
            break;
        }
        break;
    }
    case XCB_PROPERTY_NOTIFY: {
        const auto* notify = static_cast<const xcb_property_notify_event_t*>(event);
        if (clockWindow_ == 0 || notify->window != clockWindow_) break;
        lastInputTime_ = notify->time;
        // A callback may ask for another stamp.
        for (const auto& then : std::exchange(stamped_, {}))
            then();
        return true;
    }
    default:
        break;
    }
    // A handler may subscribe or unsubscribe others while it runs: walk a snapshot of the
    // ids and skip the ones that have gone meanwhile.
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

void X11Display::stampUserAction(std::function<void()> then) {
    if (clockWindow_ == 0) {
        clockWindow_ = xcb_generate_id(connection_);
        const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(connection_, 0, clockWindow_, root_, -1, -1, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                          XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    }
    stamped_.push_back(std::move(then));
    // Appending nothing changes no value, yet the server stamps the notice with its time.
    xcb_change_property(connection_, XCB_PROP_MODE_APPEND, clockWindow_, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        0, nullptr);
    xcb_flush(connection_);
}

void X11Display::pump() {
    if (!owned_) return;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        dispatch(event);
        std::free(event);
    }
}

void X11Display::flush() {
    xcb_flush(connection_);
}

} // namespace vesk
