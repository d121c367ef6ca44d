#include "shell/panel/PanelKeys.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using Key = PanelKeyPress::Key;
using Action = PanelKeyAction;

PanelKeyContext expanded() {
    PanelKeyContext context;
    context.expanded = true;
    context.inPanel = true;
    return context;
}

Action act(Key key, std::uint8_t modifiers, const PanelKeyContext& context = expanded()) {
    return panelKeyAction({key, modifiers}, context);
}

TEST(PanelKeysTest, NothingIsConsumedWhileCollapsedOrOutsideThePanel) {
    PanelKeyContext collapsed = expanded();
    collapsed.expanded = false;
    EXPECT_EQ(act(Key::escape, PanelKeyPress::none, collapsed), Action::passOn);
    PanelKeyContext elsewhere = expanded();
    elsewhere.inPanel = false;
    EXPECT_EQ(act(Key::digit1, PanelKeyPress::ctrl, elsewhere), Action::passOn);
}

TEST(PanelKeysTest, EscapeClosesTheInnermostThingWithAnyModifiers) {
    PanelKeyContext both = expanded();
    both.detailOpen = true;
    both.gardenOpen = true;
    EXPECT_EQ(act(Key::escape, PanelKeyPress::none, both), Action::closeDetail);
    PanelKeyContext garden = expanded();
    garden.gardenOpen = true;
    EXPECT_EQ(act(Key::escape, PanelKeyPress::ctrl | PanelKeyPress::capsLock, garden), Action::closeGarden);
    EXPECT_EQ(act(Key::escape, PanelKeyPress::alt | PanelKeyPress::shift), Action::collapse);
    PanelKeyContext tour = expanded();
    tour.tourRunning = true;
    EXPECT_EQ(act(Key::escape, PanelKeyPress::none, tour), Action::collapse);
}

TEST(PanelKeysTest, CtrlShortcutsNeedExactlyCtrl) {
    EXPECT_EQ(act(Key::digit1, PanelKeyPress::ctrl), Action::selectTasks);
    EXPECT_EQ(act(Key::digit2, PanelKeyPress::ctrl), Action::selectBonsai);
    EXPECT_EQ(act(Key::digit3, PanelKeyPress::ctrl), Action::selectFocus);
    EXPECT_EQ(act(Key::digit4, PanelKeyPress::ctrl), Action::selectStats);
    EXPECT_EQ(act(Key::n, PanelKeyPress::ctrl), Action::newTask);
    EXPECT_EQ(act(Key::a, PanelKeyPress::ctrl), Action::selectAll);
    EXPECT_EQ(act(Key::z, PanelKeyPress::ctrl), Action::undo);
    EXPECT_EQ(act(Key::x, PanelKeyPress::ctrl), Action::cut);
    EXPECT_EQ(act(Key::c, PanelKeyPress::ctrl), Action::copy);
    EXPECT_EQ(act(Key::v, PanelKeyPress::ctrl), Action::paste);
    EXPECT_EQ(act(Key::other, PanelKeyPress::ctrl), Action::passOn);
    EXPECT_EQ(act(Key::digit1, PanelKeyPress::ctrl | PanelKeyPress::capsLock), Action::passOn);
    EXPECT_EQ(act(Key::digit1, PanelKeyPress::ctrl | PanelKeyPress::keypad), Action::passOn);
    EXPECT_EQ(act(Key::digit1, PanelKeyPress::ctrl | PanelKeyPress::alt), Action::passOn);
    EXPECT_EQ(act(Key::digit1, PanelKeyPress::none), Action::passOn);
}

TEST(PanelKeysTest, CtrlShiftZRedoesEvenDuringTheTour) {
    PanelKeyContext tour = expanded();
    tour.tourRunning = true;
    EXPECT_EQ(act(Key::z, PanelKeyPress::ctrl | PanelKeyPress::shift, tour), Action::redo);
    EXPECT_EQ(act(Key::z, PanelKeyPress::ctrl | PanelKeyPress::shift), Action::redo);
    EXPECT_EQ(act(Key::n, PanelKeyPress::ctrl | PanelKeyPress::shift), Action::passOn);
    for (Key key : {Key::digit1, Key::digit4, Key::n, Key::a, Key::z, Key::x, Key::c, Key::v})
        EXPECT_EQ(act(key, PanelKeyPress::ctrl, tour), Action::passOn);
}

TEST(PanelKeysTest, SpaceTogglesTheTimerOnlyOnTheFocusTabOutsideTextFields) {
    PanelKeyContext focus = expanded();
    focus.focusTab = true;
    focus.timerRunning = true;
    EXPECT_EQ(act(Key::space, PanelKeyPress::none, focus), Action::pauseTimer);
    focus.timerRunning = false;
    EXPECT_EQ(act(Key::space, PanelKeyPress::none, focus), Action::resumeTimer);
    EXPECT_EQ(act(Key::space, PanelKeyPress::shift, focus), Action::passOn);
    PanelKeyContext typing = focus;
    typing.editingText = true;
    EXPECT_EQ(act(Key::space, PanelKeyPress::none, typing), Action::passOn);
    EXPECT_EQ(act(Key::space, PanelKeyPress::none), Action::passOn);
}

} // namespace
} // namespace vesk
