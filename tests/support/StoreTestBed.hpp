#pragma once

#include "core/model/DocumentCoding.hpp"
#include "core/store/Store.hpp"
#include "support/FakeFileReadWatcher.hpp"
#include "support/FakeFileSystem.hpp"
#include "support/FakeFileWriter.hpp"
#include "support/FakeFolderWatcher.hpp"
#include "support/FakeMainQueue.hpp"
#include "support/FakeRandom.hpp"
#include "support/ScopedTimeZone.hpp"
#include "support/VirtualClock.hpp"

#include <memory>
#include <type_traits>

namespace vesk::test {

// A store on fakes: virtual time, files in memory written at once, a watcher fired by hand
// whose waits only move the clock.
struct StoreTestBed {
    inline static const std::filesystem::path path = "/home/user/.local/share/Vesk/data.json";

    ScopedTimeZone zone{"UTC"};
    VirtualClock clock;
    FakeMainQueue queue{clock};
    FakeFileSystem files;
    FakeFileWriter writer{files};
    FakeFolderWatcher watcher;
    FakeFileReadWatcher reads;
    FakeRandom random;
    Calendar calendar{1};
    std::unique_ptr<Store> store;

    StoreTestBed() {
        watcher.onWait = [this](double seconds) {
            clock.advance(seconds);
            return false;
        };
    }

    // A new start on whatever the files hold; the store of an earlier start is gone first.
    Store& open(std::optional<DataFileReading> ahead = std::nullopt) {
        store.reset();
        store = std::make_unique<Store>(
            path, StoreEnvironment{clock, queue, files, writer, watcher, reads, random, calendar},
            std::move(ahead));
        return *store;
    }

    // The document as the store would write it.
    void putDocument(Snapshot snapshot) { files.put(path, encodeSnapshot(snapshot)); }

    std::size_t writes() const { return files.writeCount(path); }
    std::optional<Snapshot> onDisk() const {
        const auto bytes = files.contents(path);
        if (!bytes) return std::nullopt;
        return decodeSnapshot(*bytes, clock.now());
    }
};

// One stored value changed in place, or replaced, through the store's seeding operation.
template <class T, class Change> void edit(Store& store, T Snapshot::*value, Change&& change) {
    store.seed([&](Snapshot& data) {
        if constexpr (std::is_same_v<T, std::optional<BonsaiProgress>>)
            change(*(data.*value));
        else
            change(data.*value);
    });
}
template <class T> void put(Store& store, T Snapshot::*value, T replacement) {
    store.seed([&](Snapshot& data) { data.*value = std::move(replacement); });
}

} // namespace vesk::test
