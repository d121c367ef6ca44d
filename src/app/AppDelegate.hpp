#pragma once

#include "core/runtime/Observations.hpp"
#include "core/store/DataFileReading.hpp"
#include "core/store/DataLocation.hpp"
#include "platform/DataFileLock.hpp"

#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

class BonsaiEngine;
class BonsaiThumbnails;
class DeveloperLaunch;
class SceneFrames;
class Store;
class StoreReactions;
class TarnelController;
class TarnelUI;
class TourDriver;
class HotKey;
struct AppServices;

// The composition root: creates the store, the UI state, the renderer, the panel and the
// hot key in a fixed order, wires the store's callbacks to the reactions, and saves at
// once when the program ends (quit, SIGTERM, SIGINT, SIGHUP, the X server gone).
class AppDelegate {
  public:
    // The data file's lock as tried before Qt sets up, and the file as then started to be read.
    struct Ahead {
        std::optional<DataFileLock::Attempt> lock;
        std::future<std::optional<DataFileReading>> reading;
    };
    // `ahead`: what readDataFileAhead did, if it ran.
    explicit AppDelegate(std::vector<std::string> arguments, Ahead ahead = {});
    ~AppDelegate();
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    enum class Launch {
        running,    // the event loop comes next
        handedOver, // another Vesk on the same data file was asked to toggle its tarnel
        refused,    // another Vesk already writes the same data file
    };
    Launch applicationDidFinishLaunching();
    // Locks the data file and starts reading and decoding it on a thread of its own; called
    // before Qt sets up. A second Vesk on the file, which only asks the first to toggle, reads
    // none of it.
    static Ahead readDataFileAhead();
    void applicationWillTerminate();
    // Not 0 when the save at quit could not write the user's last changes.
    int exitStatus() const;

  private:
    // The start-up's steps, in their order.
    void quitSavesFirst();
    // The data file locked and the store on it; the way out when another Vesk has the file.
    std::optional<Launch> openStore(const EnvironmentLookup& environment);
    void showTarnel();
    void wireReactions();
    // A new user meets the tour, shortly after the start.
    void openTourWhenNew();
    void registerHotKey();

    // Alt+Space and a second `vesk`: opens the tarnel on the tasks tab, ready to type, or closes it.
    void toggleTarnel();
    // Tells the UI state, and standard error, whether Alt+Space is ours.
    void hotKeyChanged();

    std::vector<std::string> arguments_;
    Ahead ahead_;
    std::unique_ptr<DeveloperLaunch> developer_;
    std::unique_ptr<AppServices> services_;
    std::unique_ptr<Store> store_;
    std::unique_ptr<TarnelUI> ui_;
    std::unique_ptr<BonsaiEngine> engine_;
    // Outlives the screens that draw through it.
    std::shared_ptr<SceneFrames> frames_;
    std::unique_ptr<TourDriver> tourDriver_;
    // The garden's pictures of its trees, kept for the whole session; outlives the views that watch it.
    std::unique_ptr<BonsaiThumbnails> thumbnails_;
    std::unique_ptr<TarnelController> controller_;
    std::unique_ptr<HotKey> hotKey_;
    std::unique_ptr<StoreReactions> reactions_;
    bool hotKeyWasTaken_ = false;
    // The store's, the UI state's and the hot key's, heard by the shell; ends before they go.
    Observations heard_;
};

} // namespace vesk
