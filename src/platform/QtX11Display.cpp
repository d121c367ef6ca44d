#include "platform/QtX11Display.hpp"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <xcb/xcb.h>

namespace vesk {

class QtX11Display::Filter final : public QAbstractNativeEventFilter {
  public:
    explicit Filter(X11Display& display) : display_(display) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        return eventType == "xcb_generic_event_t" && display_.dispatch(message);
    }

  private:
    X11Display& display_;
};

std::unique_ptr<QtX11Display> QtX11Display::create() {
    auto* app = qGuiApp;
    if (app == nullptr) return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) return nullptr;
    xcb_connection_t* connection = x11->connection();
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    if (screens.rem == 0) return nullptr;
    // Qt opens the default screen; its root is the one all our windows live under.
    return std::unique_ptr<QtX11Display>(
        new QtX11Display(std::make_unique<X11Display>(connection, screens.data->root)));
}

QtX11Display::QtX11Display(std::unique_ptr<X11Display> display)
    : display_(std::move(display)), filter_(std::make_unique<Filter>(*display_)) {
    qGuiApp->installNativeEventFilter(filter_.get());
}

QtX11Display::~QtX11Display() {
    if (qGuiApp != nullptr) qGuiApp->removeNativeEventFilter(filter_.get());
}

} // namespace vesk
