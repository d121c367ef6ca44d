#pragma once

#include "core/store/DataLocation.hpp"
#include "devtools/Debug.hpp"
#include "shell/panel/TarnelController.hpp"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

class BonsaiEngine;
class Calendar;
class Clock;
class FileSystem;
class FileWriter;
class MainQueue;
class RandomSource;
class Store;
class TarnelUI;

// The developer's launch options as the application's start-up meets them: the one place
// where a developer's launch differs from the user's. Without options every step is the
// user's launch.
class DeveloperLaunch {
  public:
    // The modes that replace the application for this launch (the renderer stress test,
    // frames rendered into a folder, the list of options for "--help" or a word the program
    // does not know): their exit status, or nothing to start the application.
    static std::optional<int> takeOver(int argc, char** argv);

    // `arguments` are the process's words, the program path first.
    DeveloperLaunch(const std::vector<std::string>& arguments, EnvironmentLookup environment);
    ~DeveloperLaunch();

    // A plain second launch is a desktop shortcut asking for the tarnel; a developer's
    // launch wants a program of its own.
    bool wantsOwnProgram() const;

    // Whether the launch in `environment` writes the user's files. A scripted scene without
    // TARNEL_DATA reads them but writes nothing of them: no folder, no copy of an old file, no lock.
    static bool writesUserFiles(const EnvironmentLookup& environment);
    // The files the store works on: read-only ones unless the launch writes the user's files.
    struct StoreFiles {
        FileSystem& files;
        FileWriter& writer;
        bool readOnly;
    };
    StoreFiles storeFiles(FileSystem& files, FileWriter& writer);

    PanelOptions panelOptions() const;
    // Where tour steps are echoed (VESK_TOUR_LOG), or nowhere.
    std::ostream* tourLog() const;

    // Before the UI exists: demo or scene data, a forced tree or cube count, the tour shown again;
    // made with the clock, random source and calendar the store runs on.
    void prepare(Store& store, const Clock& clock, RandomSource& random, const Calendar& calendar) const;
    // The tour has just opened on its welcome page: goes on to the page asked for.
    void tourOpened(TarnelUI& ui) const;
    // Last in the start-up, with the quit path in place: the launch scenario or scene.
    // `bonsaiGrew` is the shell's reaction to the store's growth, which a faked growth plays.
    void start(Store& store, TarnelUI& ui, TarnelController& controller, BonsaiEngine& engine,
               Debug::GrowthReaction bonsaiGrew, MainQueue& queue, const Clock& clock,
               FileSystem& files) const;

  private:
    Debug options_;
    EnvironmentLookup environment_;
    std::optional<std::string> videoScene_; // VESK_VIDEO
    std::unique_ptr<FileSystem> readOnlyFiles_;
    std::unique_ptr<FileWriter> readOnlyWriter_;
};

} // namespace vesk
