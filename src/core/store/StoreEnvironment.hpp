#pragma once

#include "core/runtime/Calendar.hpp"
#include "core/runtime/Clock.hpp"
#include "core/runtime/FileSystem.hpp"
#include "core/runtime/FileReadWatcher.hpp"
#include "core/runtime/FileWriter.hpp"
#include "core/runtime/FolderWatcher.hpp"
#include "core/runtime/MainQueue.hpp"
#include "core/runtime/RandomSource.hpp"

namespace vesk {

// What the store needs from outside: the app passes the real ones, tests pass fakes.
struct StoreEnvironment {
    Clock& clock;
    MainQueue& queue;
    FileSystem& files;
    FileWriter& writer;
    FolderWatcher& watcher;
    FileReadWatcher& reads;
    RandomSource& random;
    const Calendar& calendar;
};

} // namespace vesk
