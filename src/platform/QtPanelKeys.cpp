#include "platform/QtPanelKeys.hpp"

#include <QKeyEvent>

namespace vesk {

namespace {

// The X11 core-protocol bit of Caps Lock in a key event's state; Qt keeps it only in the
// native modifiers.
constexpr quint32 x11LockMask = 1u << 1;

PanelKeyPress::Key keyOf(int qtKey) {
    using Key = PanelKeyPress::Key;
    switch (qtKey) {
    case Qt::Key_Escape:
        return Key::escape;
    case Qt::Key_Space:
        return Key::space;
    case Qt::Key_1:
        return Key::digit1;
    case Qt::Key_2:
        return Key::digit2;
    case Qt::Key_3:
        return Key::digit3;
    case Qt::Key_4:
        return Key::digit4;
    case Qt::Key_N:
        return Key::n;
    case Qt::Key_A:
        return Key::a;
    case Qt::Key_Z:
        return Key::z;
    case Qt::Key_X:
        return Key::x;
    case Qt::Key_C:
        return Key::c;
    case Qt::Key_V:
        return Key::v;
    default:
        return Key::other;
    }
}

} // namespace

PanelKeyPress panelKeyPress(const QKeyEvent& event) {
    const Qt::KeyboardModifiers qt = event.modifiers();
    std::uint8_t modifiers = PanelKeyPress::none;
    if (qt & Qt::ControlModifier) modifiers |= PanelKeyPress::ctrl;
    if (qt & Qt::ShiftModifier) modifiers |= PanelKeyPress::shift;
    if (qt & Qt::AltModifier) modifiers |= PanelKeyPress::alt;
    if (qt & Qt::MetaModifier) modifiers |= PanelKeyPress::meta;
    if (qt & Qt::KeypadModifier) modifiers |= PanelKeyPress::keypad;
    if (event.nativeModifiers() & x11LockMask) modifiers |= PanelKeyPress::capsLock;
    return {keyOf(event.key()), modifiers};
}

} // namespace vesk
