// The program entry: the developer's one-shot modes first (they replace the application
// for that launch and never touch the user's data), then the application itself.

#include "app/AppDelegate.hpp"
#include "devtools/DeveloperLaunch.hpp"
#include "platform/QuitDeadline.hpp"
#include "platform/X11Display.hpp"
#include "render/gl/EglContext.hpp"
#include "shell/theme/Fonts.hpp"

#include <QApplication>
#include <chrono>
#include <csignal>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

// Why Qt could not show Vesk, if it could not: without a display it aborts, blaming its own
// installation. A platform other than X11 asked for by name is Qt's to judge.
std::optional<std::string> displayMissing() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb")) return std::nullopt;
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) return "no X display to show on: DISPLAY is not set";
    // Before Qt connects, which would wait for a silent server for ever.
    const std::string named = "the X display \"" + display.toStdString() + "\" named by DISPLAY";
    switch (vesk::X11Display::answers({}, std::chrono::seconds(5))) {
    case vesk::X11Display::Reply::answered:
        return std::nullopt;
    case vesk::X11Display::Reply::refused:
        return "cannot open " + named;
    case vesk::X11Display::Reply::silent:
        return named + " does not answer";
    }
    return std::nullopt;
}

int startApplication(int argc, char** argv) {
    if (const auto missing = displayMissing()) {
        std::cerr << "vesk: " << *missing << '\n';
        return 1;
    }
    // Pixels go to the X server over the socket, not through shared memory: with shared
    // memory Qt waits for a round trip to the server before it repaints a part it has sent,
    // and a running timer repaints its dot and digits several times a second all day.
    // Larger repaints (the panel opening, the 3D view) cost the same either way.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
    // A large data file decodes, and the font configuration is read, while Qt sets up.
    auto ahead = vesk::AppDelegate::readDataFileAhead();
    vesk::Fonts::prepare();
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    vesk::AppDelegate delegate(std::vector<std::string>(argv, argv + argc), std::move(ahead));
    switch (delegate.applicationDidFinishLaunching()) {
    case vesk::AppDelegate::Launch::running:
        break;
    case vesk::AppDelegate::Launch::handedOver:
        return 0;
    case vesk::AppDelegate::Launch::refused:
        return 1;
    }
    const int ran = app.exec();
    const int status = ran != 0 ? ran : delegate.exitStatus();
    // The teardown that follows may be cut short: it ends with this status all the same.
    vesk::QuitDeadline::atLeast(status);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    // Standard error may be a pipe whose reader has gone (`vesk 2>&1 | head -n 1`): a line
    // written there must not end Vesk, unsaved.
    std::signal(SIGPIPE, SIG_IGN);
    vesk::gl::EglContext::preferFewSoftwareThreads();
    if (const auto status = vesk::DeveloperLaunch::takeOver(argc, argv)) return *status;
    return startApplication(argc, argv);
}
