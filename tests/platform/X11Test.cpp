#include "XvfbServer.hpp"
#include "core/runtime/Observations.hpp"
#include "platform/CompositingMonitor.hpp"
#include "platform/GlobalPointerMonitor.hpp"
#include "platform/HotKey.hpp"
#include "platform/X11Display.hpp"
#include "platform/X11Panel.hpp"
#include "support/FakeMainQueue.hpp"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <poll.h>
#include <vector>
#include <xcb/shape.h>
#include <xcb/xcb.h>

namespace vesk {
namespace {

class X11Test : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (test::XvfbServer::available()) server = new test::XvfbServer();
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }

    void SetUp() override {
        if (server == nullptr) GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_FALSE(server->name().empty()) << "Xvfb did not start";
        display = X11Display::open(server->name());
        ASSERT_NE(display, nullptr);
    }

    bool hasXdotool() const { return std::system("command -v xdotool >/dev/null 2>&1") == 0; }

    // Reads events from the server until `done` holds, waiting on the connection itself.
    bool pumpUntil(const std::function<bool()>& done) {
        const int fd = xcb_get_file_descriptor(display->connection());
        for (int round = 0; round < 200 && !done(); ++round) {
            display->pump();
            queue.runDue();
            if (done()) break;
            pollfd ready{fd, POLLIN, 0};
            ::poll(&ready, 1, 50);
        }
        return done();
    }

    // Lets every event the server sent so far arrive and be handled.
    void settle() {
        roundTrip();
        display->pump();
        queue.runDue();
    }
    void roundTrip() {
        xcb_connection_t* c = display->connection();
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    }

    // A window of the panel's size, not yet mapped, of this test's client or of `on`.
    std::uint32_t createWindow(X11Display* on = nullptr) {
        X11Display& client = on != nullptr ? *on : *display;
        xcb_connection_t* c = client.connection();
        const std::uint32_t window = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, window, client.root(), 90, 0, 1100, 600, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_flush(c);
        return window;
    }

    std::vector<std::uint32_t> property(std::uint32_t window, const char* name) {
        xcb_connection_t* c = display->connection();
        auto* reply = xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, display->atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 64),
            nullptr);
        std::vector<std::uint32_t> values;
        if (reply != nullptr && reply->format == 32) {
            const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
            values.assign(data, data + xcb_get_property_value_length(reply) / 4);
        }
        std::free(reply);
        return values;
    }

    std::vector<xcb_rectangle_t> inputShape(std::uint32_t window,
                                            xcb_shape_kind_t kind = XCB_SHAPE_SK_INPUT) {
        xcb_connection_t* c = display->connection();
        auto* reply = xcb_shape_get_rectangles_reply(c, xcb_shape_get_rectangles(c, window, kind), nullptr);
        std::vector<xcb_rectangle_t> rectangles;
        if (reply != nullptr) {
            const auto* data = xcb_shape_get_rectangles_rectangles(reply);
            rectangles.assign(data, data + xcb_shape_get_rectangles_rectangles_length(reply));
        }
        std::free(reply);
        return rectangles;
    }

    static inline test::XvfbServer* server = nullptr;
    std::unique_ptr<X11Display> display;
    test::VirtualClock clock;
    test::FakeMainQueue queue{clock};
};

TEST_F(X11Test, ThePanelCarriesItsWindowTypeStateAndDesktopHints) {
    const std::uint32_t window = createWindow();
    // A state the toolkit set before stays.
    const std::uint32_t modal = display->atom("_NET_WM_STATE_MODAL");
    xcb_change_property(display->connection(), XCB_PROP_MODE_REPLACE, window, display->atom("_NET_WM_STATE"),
                        XCB_ATOM_ATOM, 32, 1, &modal);

    X11Panel panel(*display, window);
    panel.applyHints();
    panel.applyHints(); // twice adds nothing twice

    EXPECT_EQ(property(window, "_NET_WM_WINDOW_TYPE"),
              std::vector<std::uint32_t>{display->atom("_NET_WM_WINDOW_TYPE_UTILITY")});
    const auto states = property(window, "_NET_WM_STATE");
    EXPECT_EQ(states.size(), 5u);
    for (const char* state : {"_NET_WM_STATE_MODAL", "_NET_WM_STATE_ABOVE", "_NET_WM_STATE_STICKY",
                              "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"})
        EXPECT_EQ(std::count(states.begin(), states.end(), display->atom(state)), 1) << state;
    EXPECT_EQ(property(window, "_NET_WM_DESKTOP"), std::vector<std::uint32_t>{0xFFFFFFFF});
}

TEST_F(X11Test, WithoutAWindowManagerThePanelTakesTheFocusAndHandsItBack) {
    xcb_connection_t* c = display->connection();
    auto focus = [&] {
        auto* reply = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
        const std::uint32_t window = reply ? reply->focus : 0;
        std::free(reply);
        return window;
    };
    auto acceptsFocus = [&](std::uint32_t window) { return property(window, "WM_HINTS").at(1) == 1; };
    const std::uint32_t other = createWindow(), window = createWindow();
    xcb_map_window(c, other);
    xcb_map_window(c, window);
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, other, XCB_CURRENT_TIME);
    X11Panel panel(*display, window);
    panel.applyHints();
    EXPECT_FALSE(acceptsFocus(window)) << "a click gives the collapsed panel no focus";

    panel.takeFocus();
    EXPECT_EQ(focus(), window);
    EXPECT_TRUE(acceptsFocus(window));
    panel.giveUpFocus();
    EXPECT_EQ(focus(), other);
    EXPECT_FALSE(acceptsFocus(window));

    // Once someone else has the focus, giving up takes nothing from them.
    panel.takeFocus();
    const std::uint32_t third = createWindow();
    xcb_map_window(c, third);
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, third, XCB_CURRENT_TIME);
    panel.giveUpFocus();
    EXPECT_EQ(focus(), third);
}

TEST_F(X11Test, TheKeyboardGoesBackToWhoWasActiveBeforeAManagerActivatedThePanel) {
    xcb_connection_t* c = display->connection();
    const std::uint32_t other = createWindow(), window = createWindow();
    xcb_map_window(c, other);
    xcb_map_window(c, window);
    roundTrip();

    // A window manager of our own making: it names itself, supports activation, and hears
    // the requests sent to the root.
    auto manager = X11Display::open(server->name());
    ASSERT_NE(manager, nullptr);
    xcb_connection_t* m = manager->connection();
    const std::uint32_t check = createWindow(manager.get());
    const std::uint32_t checkAtom = manager->atom("_NET_SUPPORTING_WM_CHECK");
    for (const std::uint32_t on : {manager->root(), check})
        xcb_change_property(m, XCB_PROP_MODE_REPLACE, on, checkAtom, XCB_ATOM_WINDOW, 32, 1, &check);
    const std::uint32_t activeAtom = manager->atom("_NET_ACTIVE_WINDOW");
    xcb_change_property(m, XCB_PROP_MODE_REPLACE, manager->root(), manager->atom("_NET_SUPPORTED"),
                        XCB_ATOM_ATOM, 32, 1, &activeAtom);
    const std::uint32_t redirect = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
    xcb_change_window_attributes(m, manager->root(), XCB_CW_EVENT_MASK, &redirect);
    std::vector<std::uint32_t> activations; // the windows the manager is asked to activate
    std::vector<std::uint32_t> times;       // and the times the requests carry
    const Subscription managing = manager->subscribe([&](const void* raw) {
        const auto* message = static_cast<const xcb_client_message_event_t*>(raw);
        if ((message->response_type & 0x7f) == XCB_CLIENT_MESSAGE && message->type == activeAtom) {
            activations.push_back(message->window);
            times.push_back(message->data.data32[1]);
        }
        return true;
    });
    const auto askedFor = [&](std::size_t count) {
        for (int round = 0; round < 100; ++round) {
            display->pump();
            manager->pump();
            if (activations.size() == count) return true;
            roundTrip();
            std::free(xcb_get_input_focus_reply(m, xcb_get_input_focus(m), nullptr));
        }
        return false;
    };
    // Changed and seen through: the panel hears of it once its own connection has caught up.
    auto activate = [&](std::uint32_t window) {
        xcb_change_property(m, XCB_PROP_MODE_REPLACE, manager->root(), activeAtom, XCB_ATOM_WINDOW, 32, 1,
                            &window);
        std::free(xcb_get_input_focus_reply(m, xcb_get_input_focus(m), nullptr));
        settle();
    };

    X11Panel panel(*display, window);
    activate(other);
    panel.takeFocus();
    EXPECT_TRUE(askedFor(1));
    // The click that opens the panel activates it before the panel asks.
    activate(window);
    panel.giveUpFocus();
    EXPECT_TRUE(askedFor(2));
    EXPECT_EQ(activations, std::vector<std::uint32_t>({window, other}));
    // Each request carries the server's time when it was made, which no user action before
    // it can be newer than.
    ASSERT_EQ(times.size(), 2u);
    EXPECT_NE(times[0], 0u);
    EXPECT_GE(times[1], times[0]);

    // Closed again before the server's time came: only the last wish is carried out, and the
    // panel, which no longer has the keyboard, takes nothing from the window that has it.
    activate(other);
    panel.takeFocus();
    panel.giveUpFocus();
    EXPECT_FALSE(askedFor(3));
    EXPECT_EQ(activations.size(), 2u);

    // The manager leaves before the next test: nothing of it stays on the shared server.
    const std::uint32_t none = 0;
    xcb_change_window_attributes(m, manager->root(), XCB_CW_EVENT_MASK, &none);
    xcb_delete_property(m, manager->root(), checkAtom);
    std::free(xcb_get_input_focus_reply(m, xcb_get_input_focus(m), nullptr));
}

TEST_F(X11Test, TheInputShapeIsExactlyTheRectangleGiven) {
    const std::uint32_t window = createWindow();
    X11Panel panel(*display, window);
    panel.setInputShape({430, 0, 240, 32});
    auto shape = inputShape(window);
    ASSERT_EQ(shape.size(), 1u);
    EXPECT_EQ(std::vector<int>({shape[0].x, shape[0].y, shape[0].width, shape[0].height}),
              std::vector<int>({430, 0, 240, 32}));

    // Re-applied after a size change, the new rectangle replaces the old one.
    panel.setInputShape({328, 0, 444, 472});
    shape = inputShape(window);
    ASSERT_EQ(shape.size(), 1u);
    EXPECT_EQ(std::vector<int>({shape[0].x, shape[0].y, shape[0].width, shape[0].height}),
              std::vector<int>({328, 0, 444, 472}));

    // Points become device pixels, widened outwards.
    X11Panel doubled(*display, window, 2.0);
    doubled.setInputShape({10.25, 0, 20.5, 15});
    shape = inputShape(window);
    ASSERT_EQ(shape.size(), 1u);
    EXPECT_EQ(std::vector<int>({shape[0].x, shape[0].y, shape[0].width, shape[0].height}),
              std::vector<int>({20, 0, 42, 30}));

    panel.setInputShape({});
    EXPECT_TRUE(inputShape(window).empty()) << "everything clicks through";

    // What shows of the window: the pixels given, the input shape left as it was.
    panel.setBoundingShape({{493, 0, 114, 20}, {495, 20, 110, 11}});
    shape = inputShape(window, XCB_SHAPE_SK_BOUNDING);
    ASSERT_EQ(shape.size(), 2u);
    EXPECT_EQ(std::vector<int>({shape[1].x, shape[1].y, shape[1].width, shape[1].height}),
              std::vector<int>({495, 20, 110, 11}));
    EXPECT_TRUE(inputShape(window).empty());
}

TEST_F(X11Test, ThePanelGoesBackToItsPlaceWhereverItIsMoved) {
    xcb_connection_t* c = display->connection();
    const std::uint32_t window = createWindow();
    xcb_map_window(c, window);
    auto at = [&] {
        auto* reply = xcb_translate_coordinates_reply(
            c, xcb_translate_coordinates(c, window, display->root(), 0, 0), nullptr);
        const std::vector<int> position{reply ? reply->dst_x : -1, reply ? reply->dst_y : -1};
        std::free(reply);
        return position;
    };
    X11Panel panel(*display, window, 2.0);
    panel.keepAt({0, 0, 1920, 1080}, 125, 0);
    settle();
    EXPECT_EQ(at(), std::vector<int>({250, 0}));

    // Someone else moves it, as a window manager placing a new window does.
    auto other = X11Display::open(server->name());
    ASSERT_NE(other, nullptr);
    const std::uint32_t elsewhere[] = {500, 280};
    xcb_connection_t* o = other->connection();
    xcb_configure_window(o, window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, elsewhere);
    std::free(xcb_get_input_focus_reply(o, xcb_get_input_focus(o), nullptr));
    EXPECT_TRUE(pumpUntil([&] { return at() == std::vector<int>({250, 0}); })) << at()[0] << "," << at()[1];
}

TEST_F(X11Test, TheCompositingMonitorFollowsTheManagerThatStartsAndStops) {
    std::vector<bool> changes;
    CompositingMonitor monitor(*display, createWindow(), [&](bool on) { changes.push_back(on); });
    EXPECT_FALSE(monitor.compositing());

    // A compositor takes the screen's manager selection with a window of its own.
    auto compositor = X11Display::open(server->name());
    ASSERT_NE(compositor, nullptr);
    xcb_set_selection_owner(compositor->connection(), createWindow(compositor.get()),
                            compositor->atom("_NET_WM_CM_S0"), XCB_CURRENT_TIME);
    compositor->flush();
    EXPECT_TRUE(pumpUntil([&] { return monitor.compositing(); }));

    // It ends without letting go.
    compositor.reset();
    EXPECT_TRUE(pumpUntil([&] { return !monitor.compositing(); }));
    EXPECT_EQ(changes, std::vector<bool>({true, false}));
}

TEST_F(X11Test, ThePointerPositionAndHeldButtonsAreRead) {
    xcb_warp_pointer(display->connection(), XCB_NONE, display->root(), 0, 0, 0, 0, 321, 45);
    X11Panel panel(*display, createWindow());
    auto pointer = panel.pointer();
    ASSERT_TRUE(pointer.has_value());
    EXPECT_EQ(pointer->x, 321);
    EXPECT_EQ(pointer->y, 45);
    EXPECT_FALSE(pointer->buttonHeld);
    // Two pixels a point on a screen away from the origin: only what lies past its corner scales.
    X11Panel scaled(*display, createWindow(), 2.0);
    scaled.keepAt({301, 5, 400, 300}, 301, 5);
    EXPECT_EQ(scaled.pointer()->x, 311);
    EXPECT_EQ(scaled.pointer()->y, 25);

    if (!hasXdotool()) GTEST_SKIP() << "xdotool is not installed";
    ASSERT_TRUE(server->run("xdotool mousedown 1"));
    EXPECT_TRUE(panel.pointer()->buttonHeld);
    ASSERT_TRUE(server->run("xdotool mouseup 1"));
    EXPECT_FALSE(panel.pointer()->buttonHeld);
}

TEST_F(X11Test, PointerMotionAndPressesAnywhereReachTheMonitorThroughTheQueue) {
    if (!hasXdotool()) GTEST_SKIP() << "xdotool is not installed";
    int moves = 0, presses = 0;
    std::uint32_t pressTime = 0;
    GlobalPointerMonitor monitor(
        *display, queue, [&] { ++moves; },
        [&](std::uint32_t time) {
            ++presses;
            pressTime = time;
        });
    ASSERT_TRUE(monitor.active());
    settle();

    ASSERT_TRUE(
        server->run("xdotool mousemove_relative 10 10 mousemove_relative -- -4 7 mousemove_relative 30 1"));
    // Nothing runs from inside the event handling; the queue delivers.
    roundTrip();
    display->pump();
    EXPECT_EQ(moves, 0);
    ASSERT_TRUE(pumpUntil([&] { return moves > 0; }));
    settle();
    EXPECT_EQ(moves, 1) << "a burst of motion is one call";
    EXPECT_EQ(presses, 0);

    ASSERT_TRUE(server->run("xdotool click 4 click 5"));
    settle();
    EXPECT_EQ(presses, 0) << "the wheel is no press";
    ASSERT_TRUE(server->run("xdotool click 1"));
    ASSERT_TRUE(pumpUntil([&] { return presses > 0; }));
    EXPECT_NE(pressTime, 0u);
    ASSERT_TRUE(server->run("xdotool click 3"));
    ASSERT_TRUE(pumpUntil([&] { return presses > 1; }));
}

TEST_F(X11Test, TheHotKeyRunsItsActionOncePerPressOnTheQueue) {
    if (!hasXdotool()) GTEST_SKIP() << "xdotool is not installed";
    int toggles = 0;
    {
        HotKey hotKey(*display, queue, HotKey::spaceKeyCode, HotKey::optionModifier, [&] { ++toggles; });
        ASSERT_TRUE(hotKey.registered.get());
        settle();

        ASSERT_TRUE(server->run("xdotool key alt+space"));
        roundTrip();
        display->pump();
        EXPECT_EQ(toggles, 0) << "the press only schedules the action";
        ASSERT_TRUE(pumpUntil([&] { return toggles == 1; }));
        ASSERT_TRUE(server->run("xdotool key space alt+a"));
        settle();
        EXPECT_EQ(toggles, 1) << "other keys are not the shortcut";

        // With Caps Lock on, the combination is still ours.
        ASSERT_TRUE(server->run("xdotool key Caps_Lock key alt+space key Caps_Lock"));
        ASSERT_TRUE(pumpUntil([&] { return toggles == 2; }));

        // Holding the keys down toggles once, however often the key repeats.
        ASSERT_TRUE(server->run(
            "xdotool keydown alt keydown space keydown space keydown space keyup space keyup alt"));
        ASSERT_TRUE(pumpUntil([&] { return toggles == 3; }));
        settle();
        EXPECT_EQ(toggles, 3);
    }
    // Released: the key is free again and presses no longer arrive.
    ASSERT_TRUE(server->run("xdotool key alt+space"));
    settle();
    EXPECT_EQ(toggles, 3);
    HotKey again(*display, queue, HotKey::spaceKeyCode, HotKey::optionModifier, [&] { toggles += 10; });
    EXPECT_TRUE(again.registered.get());
}

TEST_F(X11Test, AHotKeyHeldByAnotherProgramIsTriedAgainUntilItIsFree) {
    if (!hasXdotool()) GTEST_SKIP() << "xdotool is not installed";
    // The other program: its own connection grabs Alt+Space first.
    auto other = X11Display::open(server->name());
    ASSERT_NE(other, nullptr);
    int otherPresses = 0;
    const Subscription otherKeys = other->subscribe([&](const void* event) {
        if ((static_cast<const xcb_generic_event_t*>(event)->response_type & 0x7f) == XCB_KEY_PRESS)
            ++otherPresses;
        return true;
    });
    auto first = std::make_unique<HotKey>(*other, queue, HotKey::spaceKeyCode, HotKey::optionModifier, [] {});
    ASSERT_TRUE(first->registered.get());
    test::VirtualClock ourClock;
    test::FakeMainQueue ourQueue(ourClock);
    int toggles = 0;
    int changes = 0;
    HotKey ours(*display, ourQueue, HotKey::spaceKeyCode, HotKey::optionModifier, [&] { ++toggles; });
    Observations heard;
    heard.watch(ours.registered, [&] { ++changes; });
    EXPECT_FALSE(ours.registered.get());

    ASSERT_TRUE(server->run("xdotool key alt+space"));
    const int fd = xcb_get_file_descriptor(other->connection());
    for (int round = 0; round < 100 && otherPresses == 0; ++round) {
        pollfd ready{fd, POLLIN, 0};
        ::poll(&ready, 1, 50);
        other->pump();
    }
    EXPECT_EQ(otherPresses, 1) << "the holder still gets its key";
    settle();
    ourQueue.advance(HotKey::retrySeconds);
    EXPECT_EQ(toggles, 0);
    EXPECT_FALSE(ours.registered.get());
    EXPECT_EQ(ourQueue.repeatingCount(), 1u) << "one retry, every few seconds";

    // The other program lets go: the next retry takes the key, says so once and stops.
    first.reset();
    std::free(
        xcb_get_input_focus_reply(other->connection(), xcb_get_input_focus(other->connection()), nullptr));
    ourQueue.advance(HotKey::retrySeconds);
    EXPECT_TRUE(ours.registered.get());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(ourQueue.pendingCount(), 0u);
    ASSERT_TRUE(server->run("xdotool key alt+space"));
    ASSERT_TRUE(pumpUntil([&] {
        ourQueue.runDue();
        return toggles == 1;
    }));
}

} // namespace
} // namespace vesk
