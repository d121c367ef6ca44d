#include "platform/HotKey.hpp"

#include "platform/XcbReply.hpp"

#include <algorithm>
#include <optional>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace vesk {

namespace {

constexpr xcb_keysym_t keysymSpace = 0x0020;
constexpr xcb_keysym_t keysymNumLock = 0xff7f;

// The program-wide action slot and which HotKey filled it last.
HotKey::Action& actionSlot() {
    static HotKey::Action action;
    return action;
}
std::uint64_t slotOwner = 0;
std::uint64_t lastHotKey = 0;

std::optional<xcb_keysym_t> keysymFor(int keyCode) {
    if (keyCode == HotKey::spaceKeyCode) return keysymSpace;
    return std::nullopt;
}

std::uint16_t x11Modifiers(int modifiers) {
    std::uint16_t mask = 0;
    if (modifiers & 256) mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & 512) mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & 2048) mask |= XCB_MOD_MASK_1;
    if (modifiers & 4096) mask |= XCB_MOD_MASK_4;
    return mask;
}

// Num Lock is whichever modifier the Num_Lock key is mapped to; Mod2 on most systems.
std::uint16_t numLockMask(xcb_connection_t* connection, xcb_key_symbols_t* symbols) {
    std::uint16_t mask = 0;
    const XcbReply<xcb_keycode_t> numLock{xcb_key_symbols_get_keycode(symbols, keysymNumLock)};
    const auto mapping =
        xcbReply(xcb_get_modifier_mapping_reply, connection, xcb_get_modifier_mapping(connection));
    if (numLock != nullptr && mapping != nullptr) {
        const xcb_keycode_t* keys = xcb_get_modifier_mapping_keycodes(mapping.get());
        const int perModifier = mapping->keycodes_per_modifier;
        for (int modifier = 0; modifier < 8 && mask == 0; ++modifier)
            for (int i = 0; i < perModifier; ++i)
                for (const xcb_keycode_t* k = numLock.get(); *k != XCB_NO_SYMBOL; ++k)
                    if (keys[modifier * perModifier + i] == *k)
                        mask = static_cast<std::uint16_t>(1u << modifier);
    }
    return mask != 0 ? mask : static_cast<std::uint16_t>(XCB_MOD_MASK_2);
}

} // namespace

HotKey::HotKey(X11Display& display, MainQueue& queue, int keyCode, int modifiers, Action action)
    : display_(display), queue_(queue), modifiers_(x11Modifiers(modifiers)), slotOwner_(++lastHotKey) {
    actionSlot() = std::move(action);
    slotOwner = slotOwner_;

    const auto keysym = keysymFor(keyCode);
    if (!keysym) return;
    xcb_connection_t* c = display_.connection();
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(c);
    if (symbols == nullptr) return;
    if (const XcbReply<xcb_keycode_t> codes{xcb_key_symbols_get_keycode(symbols, *keysym)}) {
        for (const xcb_keycode_t* k = codes.get(); *k != XCB_NO_SYMBOL; ++k)
            keycodes_.push_back(*k);
    }
    lockMasks_ = static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK | numLockMask(c, symbols));
    xcb_key_symbols_free(symbols);

    subscription_ = display_.subscribe([this](const void* event) { return handle(event); });
    const std::uint16_t numLock = static_cast<std::uint16_t>(lockMasks_ & ~XCB_MOD_MASK_LOCK);
    const std::uint16_t variants[] = {0, XCB_MOD_MASK_LOCK, numLock,
                                      static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK | numLock)};
    for (const std::uint8_t keycode : keycodes_)
        for (const std::uint16_t variant : variants)
            missing_.push_back({keycode, static_cast<std::uint16_t>(modifiers_ | variant)});
    grabMissing();
}

// Asks for the missing combinations from `from` on; true when one of them was granted.
bool HotKey::tryGrabs(std::vector<Grab>::iterator from) {
    xcb_connection_t* c = display_.connection();
    // Checked: Xlib's way would end the process on the BadAccess of a taken key. All
    // requests go out before the first answer is awaited: one round trip per attempt.
    std::vector<xcb_void_cookie_t> cookies;
    for (auto grab = from; grab != missing_.end(); ++grab)
        cookies.push_back(xcb_grab_key_checked(c, 0, display_.root(), grab->modifiers, grab->keycode,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    std::vector<Grab> stillMissing(missing_.begin(), from);
    for (std::size_t i = 0; i < cookies.size(); ++i) {
        const Grab grab = from[static_cast<std::ptrdiff_t>(i)];
        if (const XcbReply<xcb_generic_error_t> error{xcb_request_check(c, cookies[i])})
            stillMissing.push_back(grab);
        else
            grabs_.push_back(grab);
    }
    const bool granted = stillMissing.size() < missing_.size();
    missing_ = std::move(stillMissing);
    return granted;
}

void HotKey::grabMissing() {
    // While another program holds the plain combination it holds the others too: one
    // request per attempt then, so that each costs the least. The plain ones go last.
    const auto plain = std::stable_partition(
        missing_.begin(), missing_.end(), [this](const Grab& grab) { return grab.modifiers != modifiers_; });
    if (registered.get() || tryGrabs(plain)) tryGrabs(missing_.begin());

    const bool plainGrabbed = std::any_of(grabs_.begin(), grabs_.end(),
                                          [this](const Grab& grab) { return grab.modifiers == modifiers_; });
    if (missing_.empty())
        retry_.reset();
    else if (!retry_)
        retry_ = queue_.repeating(retrySeconds, [this] { grabMissing(); });
    registered.set(plainGrabbed);
}

HotKey::~HotKey() {
    xcb_connection_t* c = display_.connection();
    for (const Grab& grab : grabs_)
        xcb_ungrab_key(c, grab.keycode, display_.root(), grab.modifiers);
    if (!grabs_.empty()) display_.flush();
    // An action that outlived its owner would run on objects that may be gone.
    if (slotOwner == slotOwner_) actionSlot() = nullptr;
}

bool HotKey::handle(const void* raw) {
    const auto* event = static_cast<const xcb_generic_event_t*>(raw);
    const std::uint8_t type = event->response_type & 0x7f;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
    // Both events share one layout.
    const auto* key = static_cast<const xcb_key_press_event_t*>(raw);
    if (key->event != display_.root()) return false;
    bool ours = false;
    for (const std::uint8_t keycode : keycodes_)
        ours = ours || key->detail == keycode;
    ours = ours && (key->state & ~lockMasks_ & 0xff) == modifiers_;

    if (type == XCB_KEY_RELEASE) {
        // While the grab is active every release comes here; letting go of the modifier
        // also ends the hold, in case the key's own release went elsewhere.
        held_ = false;
        if (ours) lastReleaseTime_ = key->time;
        return ours;
    }
    if (!ours) return false;
    // Holding the keys repeats the press, as a release and press at one instant unless the
    // server reports repeats as presses only; either way one hold is one toggle.
    const bool repeat = held_ || (lastReleaseTime_ != 0 && key->time == lastReleaseTime_);
    held_ = true;
    if (!repeat)
        queue_.after(0, [] {
            if (const Action& action = actionSlot()) action();
        });
    return true;
}

} // namespace vesk
