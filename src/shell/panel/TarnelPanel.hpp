#pragma once

#include "platform/PanelGeometry.hpp"

#include <QPainterPath>
#include <QWidget>
#include <memory>
#include <vector>

class QScreen;

namespace vesk {

class CompositingMonitor;
class X11Display;
class X11Panel;

// The one window: a frameless, translucent, always-on-top panel of 1100 × 600 points at
// the top centre of the target screen, on every workspace and out of the taskbar. It takes
// pointer input only where the tarnel is (the X input shape); elsewhere clicks go through
// to whatever lies beneath. It shows only what is drawn (the X bounding shape): where no
// compositor blends it, a translucent window is black all over. Without X (offscreen tests)
// it is a plain top-level widget.
class TarnelPanel final : public QWidget {
  public:
    explicit TarnelPanel(X11Display* display, QWidget* parent = nullptr);
    ~TarnelPanel() override;

    // The first screen; Linux screens have no notch to prefer one by.
    static QScreen* targetScreen();
    static PanelRect screenFrame(const QScreen& screen);
    static PanelRect availableFrame(const QScreen& screen);

    // Puts the panel on the screen's top centre, and keeps it there whatever the window
    // manager does with a new window.
    void place(const PanelRect& screen);
    // Pointer input reaches the panel only inside `area` (panel coordinates, points).
    void setInputArea(const PanelRect& area);
    // Only `drawn` (panel coordinates, points) shows; with a compositor, also `haloPoints`
    // around it, where the soft shadows fall. Follows compositors that start and stop.
    void setDrawn(const QPainterPath& drawn, double haloPoints);
    X11Panel* x11() const { return x11_.get(); }

    // The open tarnel takes the keyboard, the collapsed one gives it back to whoever had it
    // (and takes none on a click). The window is never hidden for it: a window manager
    // forgets a withdrawn window's state (on every desktop, above the others, no taskbar).
    void takeFocus();
    void giveUpFocus();

  private:
    void applyShown();

    X11Display* display_;
    std::unique_ptr<X11Panel> x11_;
    std::unique_ptr<CompositingMonitor> compositing_;
    PanelRect inputArea_;
    QPainterPath drawn_;
    double haloPoints_ = 0;
    std::vector<PixelRect> shown_;
};

} // namespace vesk
