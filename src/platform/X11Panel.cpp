#include "platform/X11Panel.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>
#include <xcb/shape.h>
#include <xcb/xcb.h>

namespace vesk {

namespace {

constexpr std::uint32_t allDesktops = 0xFFFFFFFF;
constexpr std::uint32_t netWmStateAdd = 1;

std::vector<std::uint32_t> atomList(xcb_connection_t* connection, std::uint32_t window,
                                    std::uint32_t property) {
    const auto cookie = xcb_get_property(connection, 0, window, property, XCB_ATOM_ATOM, 0, 64);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    std::vector<std::uint32_t> atoms;
    if (reply != nullptr && reply->format == 32) {
        const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        atoms.assign(values, values + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return atoms;
}

} // namespace

X11Panel::X11Panel(X11Display& display, std::uint32_t window, double pixelsPerPoint)
    : display_(display), window_(window), pixelsPerPoint_(pixelsPerPoint > 0 ? pixelsPerPoint : 1.0) {}

void X11Panel::applyHints() {
    xcb_connection_t* c = display_.connection();
    const std::uint32_t type = display_.atom("_NET_WM_WINDOW_TYPE_UTILITY");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window_, display_.atom("_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, 1, &type);

    const std::uint32_t states[] = {
        display_.atom("_NET_WM_STATE_ABOVE"), display_.atom("_NET_WM_STATE_STICKY"),
        display_.atom("_NET_WM_STATE_SKIP_TASKBAR"), display_.atom("_NET_WM_STATE_SKIP_PAGER")};
    // Keep the states the toolkit has already set.
    const std::uint32_t stateProperty = display_.atom("_NET_WM_STATE");
    std::vector<std::uint32_t> merged = atomList(c, window_, stateProperty);
    for (const std::uint32_t state : states)
        if (std::find(merged.begin(), merged.end(), state) == merged.end()) merged.push_back(state);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window_, stateProperty, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(merged.size()), merged.data());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window_, display_.atom("_NET_WM_DESKTOP"),
                        XCB_ATOM_CARDINAL, 32, 1, &allDesktops);

    // A window manager reads the properties only when the window is mapped; afterwards
    // it listens to client messages instead. The last word says "from a normal application".
    askWindowManager("_NET_WM_STATE", {netWmStateAdd, states[0], states[1], 1});
    askWindowManager("_NET_WM_STATE", {netWmStateAdd, states[2], states[3], 1});
    askWindowManager("_NET_WM_DESKTOP", {allDesktops, 1, 0, 0});
    display_.flush();
}

void X11Panel::askWindowManager(const char* type, const std::array<std::uint32_t, 4>& words) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window_;
    message.type = display_.atom(type);
    std::copy(words.begin(), words.end(), message.data.data32);
    xcb_send_event(display_.connection(), 0, display_.root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
}

void X11Panel::setInputShape(const PanelRect& area) {
    // Widen to whole pixels so the edge of the tarnel is never lost to rounding.
    const auto pixel = [&](double points, double (*round)(double)) {
        return static_cast<long>(round(points * pixelsPerPoint_));
    };
    const long left = pixel(area.x, std::floor), top = pixel(area.y, std::floor);
    const long right = pixel(area.right(), std::ceil), bottom = pixel(area.bottom(), std::ceil);
    std::vector<xcb_rectangle_t> rectangles;
    if (right > left && bottom > top)
        rectangles.push_back({static_cast<std::int16_t>(std::clamp<long>(left, INT16_MIN, INT16_MAX)),
                              static_cast<std::int16_t>(std::clamp<long>(top, INT16_MIN, INT16_MAX)),
                              static_cast<std::uint16_t>(std::min<long>(right - left, UINT16_MAX)),
                              static_cast<std::uint16_t>(std::min<long>(bottom - top, UINT16_MAX))});
    xcb_shape_rectangles(display_.connection(), XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT,
                         XCB_CLIP_ORDERING_UNSORTED, window_, 0, 0,
                         static_cast<std::uint32_t>(rectangles.size()), rectangles.data());
    display_.flush();
}

std::optional<PointerSample> X11Panel::pointer() const {
    xcb_connection_t* c = display_.connection();
    xcb_query_pointer_reply_t* reply =
        xcb_query_pointer_reply(c, xcb_query_pointer(c, display_.root()), nullptr);
    if (reply == nullptr) return std::nullopt;
    // Buttons 4 to 7 are the wheel: they are never held.
    constexpr std::uint16_t held = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3;
    const PointerSample sample{reply->root_x / pixelsPerPoint_, reply->root_y / pixelsPerPoint_,
                               (reply->mask & held) != 0};
    std::free(reply);
    return sample;
}

} // namespace vesk
