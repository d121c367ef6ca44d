#include "platform/QtX11Display.hpp"

#include "XvfbServer.hpp"
#include "platform/GlobalPointerMonitor.hpp"
#include "platform/HotKey.hpp"
#include "platform/QtMainQueue.hpp"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <filesystem>
#include <gtest/gtest.h>

namespace vesk {
namespace {

// Qt's xcb platform can only be chosen before the one application object of a process
// exists, so the check runs in a child process of this test program, on its own server.
TEST(QtX11DisplayTest, QtsConnectionDeliversTheHotKeyAndThePointerOnTheMainThread) {
    if (!test::XvfbServer::available() || std::system("command -v xdotool >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "Xvfb or xdotool is not installed";
    test::XvfbServer server;
    ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
    const auto self = std::filesystem::read_symlink("/proc/self/exe");
    const std::string command = "DISPLAY=" + server.name() + " QT_QPA_PLATFORM=xcb VESK_QT_X11_CHILD=1 '" +
                                self.string() +
                                "' --gtest_also_run_disabled_tests --gtest_filter='QtX11DisplayChild.*'";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

TEST(QtX11DisplayChild, DISABLED_RunsUnderQtOnXcb) {
    if (std::getenv("VESK_QT_X11_CHILD") == nullptr) GTEST_SKIP() << "started by QtX11DisplayTest";
    static int argc = 1;
    static char name[] = "vesk_platform_tests";
    static char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    auto x11 = QtX11Display::create();
    ASSERT_NE(x11, nullptr);

    QtMainQueue queue;
    int toggles = 0, moves = 0, presses = 0;
    HotKey hotKey(x11->display(), queue, HotKey::spaceKeyCode, HotKey::optionModifier, [&] { ++toggles; });
    GlobalPointerMonitor monitor(
        x11->display(), queue, [&] { ++moves; }, [&](std::uint32_t) { ++presses; });
    ASSERT_TRUE(hotKey.registered.get());
    ASSERT_TRUE(monitor.active());
    x11->display().flush();

    ASSERT_EQ(std::system("xdotool key alt+space mousemove_relative 5 5 click 1"), 0);
    QElapsedTimer elapsed;
    elapsed.start();
    while (!(toggles == 1 && moves > 0 && presses > 0) && elapsed.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    EXPECT_EQ(toggles, 1);
    EXPECT_GT(moves, 0);
    EXPECT_GT(presses, 0);
}

} // namespace
} // namespace vesk
