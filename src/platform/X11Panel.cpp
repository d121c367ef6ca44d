#include "platform/X11Panel.hpp"

#include "platform/XcbReply.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>
#include <xcb/shape.h>
#include <xcb/xcb.h>

namespace vesk {

namespace {

constexpr std::uint32_t allDesktops = 0xFFFFFFFF;
constexpr std::uint32_t netWmStateAdd = 1;
constexpr std::uint32_t noShadow = 0;
constexpr std::uint32_t barelyTranslucent = 0xFFFFFFFE; // of 0xFFFFFFFF, opaque
// A request "from a pager": the user's own action, which no focus-stealing rule holds back.
constexpr std::uint32_t directUserAction = 2;
// The property whose change, of no bytes, the server stamps with its time.
constexpr const char* clockProperty = "_VESK_FOCUS_TIME";
constexpr std::uint32_t wmHintsInput = 1; // the flag saying the `input` field is set
constexpr std::uint32_t wmHintsWords = 9;

// A property of 32-bit values; empty when it is missing or of another format.
std::vector<std::uint32_t> values32(xcb_connection_t* connection, std::uint32_t window,
                                    std::uint32_t property, std::uint32_t type = XCB_GET_PROPERTY_TYPE_ANY) {
    const auto cookie = xcb_get_property(connection, 0, window, property, type, 0, 1024);
    XcbReply<xcb_generic_error_t> error;
    const auto reply = xcbReply(xcb_get_property_reply, connection, cookie, error);
    std::vector<std::uint32_t> values;
    if (reply != nullptr && reply->format == 32) {
        const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
        values.assign(data, data + xcb_get_property_value_length(reply.get()) / 4);
    }
    return values;
}

// PointerRoot (1) and None (0) are no windows to hand the focus back to.
bool isWindow(std::uint32_t id) {
    return id > 1;
}

// Adds to the events this connection hears from `window`, keeping those the toolkit chose.
void addEventMask(xcb_connection_t* connection, std::uint32_t window, std::uint32_t mask) {
    const auto attributes =
        xcbReply(xcb_get_window_attributes_reply, connection, xcb_get_window_attributes(connection, window));
    const std::uint32_t events = (attributes != nullptr ? attributes->your_event_mask : 0) | mask;
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &events);
}

} // namespace

X11Panel::X11Panel(X11Display& display, std::uint32_t window, double pixelsPerPoint)
    : display_(display), window_(window), pixelsPerPoint_(pixelsPerPoint > 0 ? pixelsPerPoint : 1.0) {
    subscription_ = display_.subscribe([this](const void* event) { return handle(event); });
    // Where the window manager puts the window, and the active window as it changes: whoever had
    // it last before the panel gets the keyboard back, also under a manager that activates the
    // panel on the click that opens it.
    addEventMask(display_.connection(), window_,
                 XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE);
    addEventMask(display_.connection(), display_.root(), XCB_EVENT_MASK_PROPERTY_CHANGE);
    followActiveWindow();
}

bool X11Panel::handle(const void* raw) {
    const auto* event = static_cast<const xcb_generic_event_t*>(raw);
    switch (event->response_type & 0x7f) {
    case XCB_PROPERTY_NOTIFY: {
        const auto* notify = static_cast<const xcb_property_notify_event_t*>(raw);
        if (notify->window == display_.root() && notify->atom == display_.atom("_NET_ACTIVE_WINDOW"))
            followActiveWindow();
        else if (notify->window == window_ && notify->atom == display_.atom(clockProperty))
            focusAt(notify->time);
        break;
    }
    case XCB_CONFIGURE_NOTIFY:
        if (static_cast<const xcb_configure_notify_event_t*>(raw)->window == window_) replace();
        break;
    case XCB_MAP_NOTIFY:
        if (static_cast<const xcb_map_notify_event_t*>(raw)->window == window_) replace();
        break;
    case XCB_REPARENT_NOTIFY:
        if (static_cast<const xcb_reparent_notify_event_t*>(raw)->window != window_) break;
        frameHinted_ = false;
        replace();
        break;
    case XCB_EXPOSE:
        // Compositors read their hints from the top-level window: under a reparenting window
        // manager that is its frame, which carries over the opacity at best (openbox). Once
        // the window shows, the frame is mapped and the compositor hears its changes.
        if (static_cast<const xcb_expose_event_t*>(raw)->window != window_ || frameHinted_) break;
        frameHinted_ = true;
        if (const std::uint32_t frame = topLevel(); frame != window_) refuseShadows(frame);
        break;
    default:
        break;
    }
    return false; // the toolkit follows its window too
}

void X11Panel::followActiveWindow() {
    if (!windowManagerActivates()) return;
    const std::uint32_t active = activeWindow();
    if (isWindow(active) && active != window_) previousFocus_ = active;
}

void X11Panel::refuseShadows(std::uint32_t window) {
    // The panel draws its own soft shadows; a compositor's would darken its whole rectangle.
    // picom and compton leave out a window that asks; xcompmgr leaves out a translucent window
    // of an alpha visual, and a hair short of opaque looks no different.
    xcb_connection_t* c = display_.connection();
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, display_.atom("_COMPTON_SHADOW"), XCB_ATOM_CARDINAL,
                        32, 1, &noShadow);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, display_.atom("_NET_WM_WINDOW_OPACITY"),
                        XCB_ATOM_CARDINAL, 32, 1, &barelyTranslucent);
    display_.flush();
}

std::uint32_t X11Panel::topLevel() {
    xcb_connection_t* c = display_.connection();
    std::uint32_t window = window_;
    for (;;) {
        const auto tree = xcbReply(xcb_query_tree_reply, c, xcb_query_tree(c, window));
        const std::uint32_t parent = tree != nullptr ? tree->parent : XCB_NONE;
        if (parent == XCB_NONE || parent == display_.root()) return window;
        window = parent;
    }
}

void X11Panel::keepAt(const PanelRect& screen, double x, double y) {
    screen_ = screen;
    wanted_ = PanelGeometry::screenPixel(screen, x, y, pixelsPerPoint_);
    replacings_ = 0;
    replace();
}

void X11Panel::replace() {
    constexpr int mostReplacings = 4;
    if (!wanted_ || replacings_ >= mostReplacings) return;
    xcb_connection_t* c = display_.connection();
    const auto at = xcbReply(xcb_translate_coordinates_reply, c,
                             xcb_translate_coordinates(c, window_, display_.root(), 0, 0));
    const bool placed = at == nullptr || (at->dst_x == wanted_->x && at->dst_y == wanted_->y);
    if (placed) return;
    ++replacings_;
    // A move of a managed window is a request the window manager carries out on its frame.
    const std::uint32_t position[] = {static_cast<std::uint32_t>(wanted_->x),
                                      static_cast<std::uint32_t>(wanted_->y)};
    xcb_configure_window(c, window_, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, position);
    display_.flush();
}

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
    std::vector<std::uint32_t> merged = values32(c, window_, stateProperty, XCB_ATOM_ATOM);
    for (const std::uint32_t state : states)
        if (std::find(merged.begin(), merged.end(), state) == merged.end()) merged.push_back(state);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window_, stateProperty, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(merged.size()), merged.data());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window_, display_.atom("_NET_WM_DESKTOP"),
                        XCB_ATOM_CARDINAL, 32, 1, &allDesktops);
    refuseShadows(window_);

    // A window manager reads the properties only when the window is mapped; afterwards
    // it listens to client messages instead. The last word says "from a normal application".
    askWindowManager("_NET_WM_STATE", {netWmStateAdd, states[0], states[1], 1});
    askWindowManager("_NET_WM_STATE", {netWmStateAdd, states[2], states[3], 1});
    askWindowManager("_NET_WM_DESKTOP", {allDesktops, 1, 0, 0});
    setAcceptsFocus(false);
    display_.flush();
}

void X11Panel::askWindowManager(const char* type, const std::array<std::uint32_t, 4>& words,
                                std::uint32_t about) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = about != 0 ? about : window_;
    message.type = display_.atom(type);
    std::copy(words.begin(), words.end(), message.data.data32);
    xcb_send_event(display_.connection(), 0, display_.root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
}

void X11Panel::takeFocus() {
    const std::uint32_t current = focusedWindow();
    if (current != window_) previousFocus_ = current;
    wantsFocus_ = true;
    setAcceptsFocus(true);
    if (windowManagerActivates())
        askTime();
    else
        xcb_set_input_focus(display_.connection(), XCB_INPUT_FOCUS_PARENT, window_, XCB_CURRENT_TIME);
    display_.flush();
}

void X11Panel::giveUpFocus() {
    wantsFocus_ = false;
    if (windowManagerActivates())
        askTime();
    else
        handBackFocus(XCB_CURRENT_TIME);
    display_.flush();
}

void X11Panel::askTime() {
    // A window manager hands the focus over only for a user action newer than the last one it
    // knows of, and no event of ours carries one: the toolkit reads the pointer through XInput,
    // asks for the focus itself on a press with a time of its own, and a second vesk run from a
    // shortcut brings no event at all. The server's present time is newer than all of them.
    xcb_change_property(display_.connection(), XCB_PROP_MODE_APPEND, window_, display_.atom(clockProperty),
                        XCB_ATOM_CARDINAL, 32, 0, nullptr);
}

void X11Panel::focusAt(std::uint32_t time) {
    // Only the last wish counts: the panel may have closed again meanwhile.
    if (wantsFocus_)
        askWindowManager("_NET_ACTIVE_WINDOW", {directUserAction, time, 0, 0});
    else
        handBackFocus(time);
    display_.flush();
}

void X11Panel::handBackFocus(std::uint32_t time) {
    xcb_connection_t* c = display_.connection();
    const auto focus = xcbReply(xcb_get_input_focus_reply, c, xcb_get_input_focus(c));
    const bool serverFocus = focus != nullptr && focus->focus == window_;
    const bool managed = windowManagerActivates();
    if (serverFocus || (managed && focusedWindow() == window_)) {
        const bool back = isWindow(previousFocus_) && viewable(previousFocus_);
        if (managed && back)
            askWindowManager("_NET_ACTIVE_WINDOW", {directUserAction, time, window_, 0}, previousFocus_);
        else
            xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT,
                                back ? previousFocus_ : std::uint32_t(XCB_INPUT_FOCUS_POINTER_ROOT),
                                XCB_CURRENT_TIME);
    }
    setAcceptsFocus(false);
}

void X11Panel::setAcceptsFocus(bool accepts) {
    // ICCCM's input hint: a window manager gives the focus on a click only to a window that
    // asks for it. The toolkit keeps the rest of the hints; only the input field changes.
    xcb_connection_t* c = display_.connection();
    std::vector<std::uint32_t> hints = values32(c, window_, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS);
    hints.resize(std::max<std::size_t>(hints.size(), wmHintsWords), 0);
    hints[0] |= wmHintsInput;
    hints[1] = accepts ? 1 : 0;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32,
                        static_cast<std::uint32_t>(hints.size()), hints.data());
}

std::uint32_t X11Panel::focusedWindow() {
    xcb_connection_t* c = display_.connection();
    if (windowManagerActivates()) return activeWindow();
    const auto reply = xcbReply(xcb_get_input_focus_reply, c, xcb_get_input_focus(c));
    return reply != nullptr ? reply->focus : 0;
}

std::uint32_t X11Panel::activeWindow() {
    const auto active = values32(display_.connection(), display_.root(), display_.atom("_NET_ACTIVE_WINDOW"),
                                 XCB_ATOM_WINDOW);
    return active.empty() ? XCB_NONE : active.front();
}

bool X11Panel::windowManagerActivates() {
    // A running EWMH window manager names a window of its own on the root, and that window
    // names itself; a stale property of one that has gone does not.
    xcb_connection_t* c = display_.connection();
    const std::uint32_t check = display_.atom("_NET_SUPPORTING_WM_CHECK");
    const auto owner = values32(c, display_.root(), check, XCB_ATOM_WINDOW);
    if (owner.empty() || values32(c, owner.front(), check, XCB_ATOM_WINDOW) != owner) return false;
    const auto supported = values32(c, display_.root(), display_.atom("_NET_SUPPORTED"), XCB_ATOM_ATOM);
    return std::find(supported.begin(), supported.end(), display_.atom("_NET_ACTIVE_WINDOW")) !=
           supported.end();
}

bool X11Panel::viewable(std::uint32_t window) {
    xcb_connection_t* c = display_.connection();
    XcbReply<xcb_generic_error_t> error;
    const auto reply =
        xcbReply(xcb_get_window_attributes_reply, c, xcb_get_window_attributes(c, window), error);
    return reply != nullptr && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

void X11Panel::setInputShape(const PanelRect& area) {
    // Widen to whole pixels so the edge of the tarnel is never lost to rounding.
    const auto pixel = [&](double points, double (*round)(double)) {
        return static_cast<int>(std::clamp<double>(round(points * pixelsPerPoint_), INT16_MIN, INT16_MAX));
    };
    const int left = pixel(area.x, std::floor), top = pixel(area.y, std::floor);
    const int right = pixel(area.right(), std::ceil), bottom = pixel(area.bottom(), std::ceil);
    std::vector<PixelRect> pixels;
    if (right > left && bottom > top) pixels.push_back({left, top, right - left, bottom - top});
    setShape(XCB_SHAPE_SK_INPUT, pixels);
}

void X11Panel::setBoundingShape(const std::vector<PixelRect>& pixels) {
    setShape(XCB_SHAPE_SK_BOUNDING, pixels);
}

void X11Panel::setShape(std::uint8_t kind, const std::vector<PixelRect>& pixels) {
    const auto coordinate = [](int v) {
        return static_cast<std::int16_t>(std::clamp(v, INT16_MIN, INT16_MAX));
    };
    const auto extent = [](int v) { return static_cast<std::uint16_t>(std::clamp(v, 0, UINT16_MAX)); };
    std::vector<xcb_rectangle_t> rectangles;
    rectangles.reserve(pixels.size());
    for (const PixelRect& r : pixels)
        if (r.width > 0 && r.height > 0)
            rectangles.push_back({coordinate(r.x), coordinate(r.y), extent(r.width), extent(r.height)});
    xcb_shape_rectangles(display_.connection(), XCB_SHAPE_SO_SET, kind, XCB_CLIP_ORDERING_UNSORTED, window_,
                         0, 0, static_cast<std::uint32_t>(rectangles.size()), rectangles.data());
    display_.flush();
}

std::optional<PointerSample> X11Panel::pointer() const {
    xcb_connection_t* c = display_.connection();
    const auto reply = xcbReply(xcb_query_pointer_reply, c, xcb_query_pointer(c, display_.root()));
    if (reply == nullptr) return std::nullopt;
    // Buttons 4 to 7 are the wheel: they are never held.
    constexpr std::uint16_t held = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3;
    // The screen's corner has the same numbers in pixels and points: only what lies past it scales.
    const PointerSample sample{screen_.x + (reply->root_x - screen_.x) / pixelsPerPoint_,
                               screen_.y + (reply->root_y - screen_.y) / pixelsPerPoint_,
                               (reply->mask & held) != 0};
    return sample;
}

} // namespace vesk
