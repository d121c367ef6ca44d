#include "shell/panel/TarnelPanel.hpp"

#include "platform/CompositingMonitor.hpp"
#include "platform/X11Panel.hpp"
#include "shell/views/PanelShape.hpp"

#include <QGuiApplication>
#include <QScreen>

namespace vesk {

TarnelPanel::TarnelPanel(X11Display* display, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint),
      display_(display) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11NetWmWindowTypeUtility);
    setFixedSize(static_cast<int>(PanelGeometry::panelWidth), static_cast<int>(PanelGeometry::panelHeight));
    setWindowTitle("Vesk");
    if (!display_) return;
    // The hints go on before the window is first mapped, when a window manager reads them.
    x11_ = std::make_unique<X11Panel>(*display_, static_cast<std::uint32_t>(winId()), devicePixelRatioF());
    x11_->applyHints();
    x11_->setInputShape(inputArea_); // nothing takes clicks until the tarnel is placed
    compositing_ = std::make_unique<CompositingMonitor>(*display_, static_cast<std::uint32_t>(winId()),
                                                        [this](bool) { applyShown(); });
}

TarnelPanel::~TarnelPanel() = default;

QScreen* TarnelPanel::targetScreen() {
    const auto screens = QGuiApplication::screens();
    return screens.isEmpty() ? nullptr : screens.first();
}

PanelRect TarnelPanel::screenFrame(const QScreen& screen) {
    const QRect g = screen.geometry();
    return {double(g.x()), double(g.y()), double(g.width()), double(g.height())};
}

PanelRect TarnelPanel::availableFrame(const QScreen& screen) {
    const QRect g = screen.availableGeometry();
    return {double(g.x()), double(g.y()), double(g.width()), double(g.height())};
}

void TarnelPanel::place(const PanelRect& screen) {
    const PanelRect frame = PanelGeometry::panelFrame(screen);
    move(static_cast<int>(frame.x), static_cast<int>(frame.y));
    if (x11_) x11_->keepAt(screen, frame.x, frame.y);
}

void TarnelPanel::setDrawn(const QPainterPath& drawn, double haloPoints) {
    drawn_ = drawn;
    haloPoints_ = haloPoints;
    applyShown();
}

void TarnelPanel::applyShown() {
    if (!x11_) return;
    std::vector<PixelRect> shown =
        PanelShape::pixels(drawn_, compositing_->compositing() ? haloPoints_ : 0, devicePixelRatioF());
    if (shown == shown_) return;
    shown_ = std::move(shown);
    x11_->setBoundingShape(shown_);
}

void TarnelPanel::setInputArea(const PanelRect& area) {
    if (area == inputArea_) return;
    inputArea_ = area;
    if (x11_) x11_->setInputShape(area);
}

void TarnelPanel::takeFocus() {
    raise();
    if (x11_)
        x11_->takeFocus();
    else
        activateWindow();
}

void TarnelPanel::giveUpFocus() {
    if (x11_) x11_->giveUpFocus();
}

} // namespace vesk
