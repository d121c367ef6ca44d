#include "platform/QtPanelKeys.hpp"

#include <QInputDevice>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace vesk {
namespace {

using Key = PanelKeyPress::Key;

TEST(QtPanelKeysTest, QtKeyEventsMapCapsLockAndTheKeypad) {
    // A keyboard of the test's own: the one Qt makes by default is never freed without an application.
    const QInputDevice keyboard("keyboard", 1, QInputDevice::DeviceType::Keyboard);
    const auto press = [&](int key, Qt::KeyboardModifiers modifiers, quint32 nativeModifiers = 0) {
        return panelKeyPress(
            QKeyEvent(QEvent::KeyPress, key, modifiers, 10, 0, nativeModifiers, {}, false, 1, &keyboard));
    };
    const PanelKeyPress one = press(Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(one.key, Key::digit1);
    EXPECT_EQ(one.modifiers, PanelKeyPress::ctrl);
    // Caps Lock lives only in the native X11 state (bit 1).
    EXPECT_EQ(press(Qt::Key_1, Qt::ControlModifier, 0x4 | 0x2).modifiers,
              PanelKeyPress::ctrl | PanelKeyPress::capsLock);
    EXPECT_EQ(press(Qt::Key_1, Qt::ControlModifier | Qt::KeypadModifier).modifiers,
              PanelKeyPress::ctrl | PanelKeyPress::keypad);
    const PanelKeyPress redo = press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(redo.key, Key::z);
    EXPECT_EQ(redo.modifiers, PanelKeyPress::ctrl | PanelKeyPress::shift);
    EXPECT_EQ(press(Qt::Key_Escape, Qt::MetaModifier).key, Key::escape);
}

} // namespace
} // namespace vesk
