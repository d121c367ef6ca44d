#include "platform/GlobalPointerMonitor.hpp"

#include "platform/XcbReply.hpp"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

namespace vesk {

namespace {

bool isWheel(std::uint32_t button) {
    return button >= 4 && button <= 7;
}

void selectRawEvents(xcb_connection_t* connection, std::uint32_t root, std::uint32_t mask) {
    struct {
        xcb_input_event_mask_t head;
        std::uint32_t mask;
    } selection{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, mask};
    xcb_input_xi_select_events(connection, root, 1, &selection.head);
    xcb_flush(connection);
}

} // namespace

GlobalPointerMonitor::GlobalPointerMonitor(X11Display& display, MainQueue& queue, Callback moved,
                                           PressCallback pressed)
    : display_(display), queue_(queue), moved_(std::move(moved)), pressed_(std::move(pressed)) {
    xcb_connection_t* c = display_.connection();
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_input_id);
    if (extension == nullptr || !extension->present) return;
    // Raw events reach every client only from XInput 2.1 on.
    const auto version = xcbReply(xcb_input_xi_query_version_reply, c, xcb_input_xi_query_version(c, 2, 2));
    const bool supported =
        version != nullptr &&
        (version->major_version > 2 || (version->major_version == 2 && version->minor_version >= 1));
    if (!supported) return;
    opcode_ = extension->major_opcode;
    subscription_ = display_.subscribe([this](const void* event) { return handle(event); });
    selectRawEvents(c, display_.root(),
                    XCB_INPUT_XI_EVENT_MASK_RAW_MOTION | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS);
    active_ = true;
}

GlobalPointerMonitor::~GlobalPointerMonitor() {
    if (active_) selectRawEvents(display_.connection(), display_.root(), 0);
}

bool GlobalPointerMonitor::handle(const void* raw) {
    const auto* event = static_cast<const xcb_generic_event_t*>(raw);
    if ((event->response_type & 0x7f) != XCB_GE_GENERIC) return false;
    const auto* generic = static_cast<const xcb_ge_generic_event_t*>(raw);
    if (generic->extension != opcode_) return false;
    if (generic->event_type == XCB_INPUT_RAW_MOTION) {
        if (!pendingMove_)
            queue_.debounce(pendingMove_, 0, [this] {
                if (moved_) moved_();
            });
        return true;
    }
    if (generic->event_type == XCB_INPUT_RAW_BUTTON_PRESS) {
        const auto* press = static_cast<const xcb_input_raw_button_press_event_t*>(raw);
        if (isWheel(press->detail)) return true;
        pressTime_ = press->time;
        if (!pendingPress_)
            queue_.debounce(pendingPress_, 0, [this] {
                if (pressed_) pressed_(pressTime_);
            });
        return true;
    }
    return false;
}

} // namespace vesk
