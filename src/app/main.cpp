// The program entry: the developer's one-shot modes first (they replace the application
// for that launch and never touch the user's data), then the application itself.

#include "app/AppDelegate.hpp"
#include "devtools/DeveloperLaunch.hpp"
#include "render/gl/EglContext.hpp"

#include <QApplication>
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
    vesk::gl::EglContext::preferFewSoftwareThreads();
    if (const auto status = vesk::DeveloperLaunch::takeOver(argc, argv)) return *status;
    return startApplication(argc, argv);
}
