// The program entry: the developer's one-shot modes first (they replace the application
// for that launch and never touch the user's data), then the application itself.

#include "app/AppDelegate.hpp"
#include "devtools/EngineStress.hpp"
#include "devtools/VideoTools.hpp"

#include <QApplication>
#include <QCoreApplication>
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace {

int startApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    vesk::AppDelegate delegate(std::vector<std::string>(argv, argv + argc));
    switch (delegate.applicationDidFinishLaunching()) {
    case vesk::AppDelegate::Launch::running:
        break;
    case vesk::AppDelegate::Launch::handedOver:
        return 0;
    case vesk::AppDelegate::Launch::refused:
        return 1;
    }
    const int status = app.exec();
    return status != 0 ? status : delegate.exitStatus();
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv, argv + argc);
    if (const auto stress = vesk::EngineStressPlan::find(words)) {
        // No display is needed: a plain event loop runs the timers.
        QCoreApplication app(argc, argv);
        return vesk::EngineStress::run(*stress, std::cout);
    }
    if (std::find(words.begin(), words.end(), "--render-frames") != words.end())
        return vesk::VideoTools::renderFrames(words);
    return startApplication(argc, argv);
}
