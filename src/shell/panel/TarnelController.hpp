#pragma once

#include "platform/PanelGeometry.hpp"
#include "shell/state/TarnelMenuItems.hpp"
#include "shell/views/ScreenFactories.hpp"

#include <QObject>
#include <cstdint>

class QKeyEvent;
#include <filesystem>
#include <memory>

namespace vesk {

class BonsaiThumbnails;
class FileSystem;
class GlobalPointerMonitor;
class MainQueue;
class Store;
class TarnelPanel;
class TarnelRoot;
class TarnelUI;
class X11Display;

// Owns the panel and everything that turns the UI state into the tarnel on screen and input
// back into UI state: placement on the target screen and its metrics, hover and
// click-through from the pointer, a click elsewhere or another application collapsing the
// tarnel, and the keys of the open tarnel.
class TarnelController final : public QObject {
  public:
    TarnelController(Store& store, TarnelUI& ui, X11Display* display, MainQueue& queue, FileSystem& files,
                     MenuServices menuServices);
    ~TarnelController() override;

    // The screens the panel shows; set before show().
    void setScreens(ScreenFactories factories) { factories_ = std::move(factories); }
    // The garden's pictures of its trees, kept for the whole session.
    BonsaiThumbnails& thumbnails() const { return *thumbnails_; }

    void show();
    // Writes the PNG of the tarnel area (developer use); false when it could not be written.
    bool snapshot(const std::filesystem::path& to);

    // While set, clicks outside and other applications do not collapse the tarnel.
    bool pinned = false;
    // While set, only a scripted scene hovers: the pointer no longer changes the hover state.
    bool videoMode = false;

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
    void updateInputShape();

    Store& store_;
    TarnelUI& ui_;
    X11Display* display_;
    MainQueue& queue_;
    FileSystem& files_;
    MenuServices menuServices_;
    ScreenFactories factories_;
    // Before the panel, so that it outlives the views that watch it.
    std::unique_ptr<BonsaiThumbnails> thumbnails_;
    std::unique_ptr<TarnelPanel> panel_;
    TarnelRoot* root_ = nullptr;
    std::unique_ptr<GlobalPointerMonitor> pointer_;
    PanelRect screenFrame_;
    std::uint32_t ownPressTime_ = 0; // server time of the last press on a window of ours
};

} // namespace vesk
