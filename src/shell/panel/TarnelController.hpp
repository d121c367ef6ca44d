#pragma once

#include "core/runtime/Observations.hpp"
#include "platform/PanelGeometry.hpp"
#include "shell/state/TarnelMenuItems.hpp"
#include "shell/views/ScreenFactories.hpp"

#include <QObject>
#include <cstdint>

class QKeyEvent;
#include <filesystem>
#include <memory>

namespace vesk {

class FileSystem;
class GlobalPointerMonitor;
class MainQueue;
class Store;
class TarnelPanel;
class TarnelRoot;
class TarnelUI;
class X11Display;

// How a launch wants the panel to behave; the user's launch keeps the defaults.
struct PanelOptions {
    // Clicks outside and other applications do not collapse the tarnel.
    bool pinned = false;
    // Only a scripted scene hovers: the pointer does not change the hover state.
    bool pointerIgnored = false;
};

// Owns the panel and everything that turns the UI state into the tarnel on screen and input
// back into UI state: placement on the target screen and its metrics, hover and
// click-through from the pointer, a click elsewhere or another application collapsing the
// tarnel, and the keys of the open tarnel.
class TarnelController final : public QObject {
  public:
    TarnelController(Store& store, TarnelUI& ui, X11Display* display, MainQueue& queue, FileSystem& files,
                     MenuServices menuServices, PanelOptions options = {});
    ~TarnelController() override;

    // The screens the panel shows; set before show().
    void setScreens(ScreenFactories factories) { factories_ = std::move(factories); }

    void show();
    // Writes the PNG of the tarnel area (developer use); false when it could not be written.
    bool snapshot(const std::filesystem::path& to);

    TarnelPanel* panel() const { return panel_.get(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void reposition();
    void expandedChanged(bool expanded);
    void installMonitors();
    void trackMouse();
    void clickedOutside(std::uint32_t pressTime);
    bool handleKey(const QKeyEvent& event);
    PanelRect tarnelRect() const;
    void updateShapes();

    Store& store_;
    TarnelUI& ui_;
    X11Display* display_;
    MainQueue& queue_;
    FileSystem& files_;
    MenuServices menuServices_;
    PanelOptions options_;
    ScreenFactories factories_;
    std::unique_ptr<TarnelPanel> panel_;
    TarnelRoot* root_ = nullptr;
    std::unique_ptr<GlobalPointerMonitor> pointer_;
    PanelRect screenFrame_;
    std::uint32_t ownPressTime_ = 0; // server time of the last press on a window of ours
    Observations observations_;      // of the UI state, which outlives the controller
};

} // namespace vesk
