#include "platform/AbruptExit.hpp"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace vesk {

struct AbruptExit::Watch {
    std::function<bool()> displayGone;
    std::function<int()> last;
    QtMessageHandler previous = nullptr;
    bool ending = false;
};

namespace {

// A message handler is a plain function: the watch it serves waits here.
AbruptExit::Watch* current = nullptr;

bool onMainThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && app->thread() == QThread::currentThread();
}

void onMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    AbruptExit::Watch* watch = current;
    if (watch && watch->previous) watch->previous(type, context, message);
    if (!watch || type == QtDebugMsg || type == QtInfoMsg) return;
    // Warnings that the save itself causes are only printed.
    if (watch->ending || !onMainThread() || !watch->displayGone()) return;
    watch->ending = true;
    const int status = watch->last();
    std::cout.flush();
    std::fflush(nullptr);
    ::_exit(status);
}

} // namespace

AbruptExit::AbruptExit(std::function<bool()> displayGone, std::function<int()> last)
    : watch_(std::make_unique<Watch>(Watch{std::move(displayGone), std::move(last)})) {
    watch_->previous = qInstallMessageHandler(onMessage);
    current = watch_.get();
}

AbruptExit::~AbruptExit() {
    current = nullptr;
    qInstallMessageHandler(watch_->previous);
}

} // namespace vesk
