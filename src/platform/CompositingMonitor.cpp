#include "platform/CompositingMonitor.hpp"

#include "platform/XcbReply.hpp"

#include <string>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

namespace vesk {

namespace {

// The number of the screen whose root window is `root`.
int screenOf(xcb_connection_t* connection, std::uint32_t root) {
    int number = 0;
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection)); screens.rem > 0;
         xcb_screen_next(&screens), ++number)
        if (screens.data->root == root) return number;
    return 0;
}

std::uint32_t ownerOf(xcb_connection_t* connection, std::uint32_t selection) {
    const auto reply =
        xcbReply(xcb_get_selection_owner_reply, connection, xcb_get_selection_owner(connection, selection));
    return reply != nullptr ? reply->owner : XCB_NONE;
}

} // namespace

CompositingMonitor::CompositingMonitor(X11Display& display, std::uint32_t window, Callback changed)
    : display_(display), changed_(std::move(changed)) {
    xcb_connection_t* c = display_.connection();
    selection_ = display_.atom("_NET_WM_CM_S" + std::to_string(screenOf(c, display_.root())));
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_xfixes_id);
    if (extension != nullptr && extension->present) {
        // The version must be agreed before any other XFixes request.
        xcbReply(xcb_xfixes_query_version_reply, c, xcb_xfixes_query_version(c, 2, 0));
        firstEvent_ = extension->first_event;
        subscription_ = display_.subscribe([this](const void* event) { return handle(event); });
        xcb_xfixes_select_selection_input(c, window, selection_,
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                              XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                              XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    }
    // Read after the selection is watched, so that no change falls between the two.
    compositing_ = ownerOf(c, selection_) != XCB_NONE;
    display_.flush();
}

bool CompositingMonitor::handle(const void* raw) {
    const auto* event = static_cast<const xcb_generic_event_t*>(raw);
    if ((event->response_type & 0x7f) != firstEvent_ + XCB_XFIXES_SELECTION_NOTIFY) return false;
    const auto* notify = static_cast<const xcb_xfixes_selection_notify_event_t*>(raw);
    if (notify->selection != selection_) return false;
    const bool now = notify->owner != XCB_NONE;
    if (now != compositing_) {
        compositing_ = now;
        if (changed_) changed_(now);
    }
    // Qt follows the same selection for its own needs.
    return false;
}

} // namespace vesk
