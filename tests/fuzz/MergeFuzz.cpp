#include "FuzzCheck.hpp"
#include "core/model/DocumentCoding.hpp"
#include "core/store/Store.hpp"
#include "support/FakeFileSystem.hpp"
#include "support/FakeFolderWatcher.hpp"
#include "support/FakeMainQueue.hpp"
#include "support/FakeRandom.hpp"
#include "support/VirtualClock.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

using namespace vesk;

namespace {

const std::filesystem::path url = "/home/user/.local/share/Vesk/data.json";

bool listExists(const Store& store, const UUID& id) {
    const auto& lists = store.lists.get();
    return std::any_of(lists.begin(), lists.end(), [&](const TaskList& list) { return list.id == id; });
}

} // namespace

// Another program's edit, merged into a store that holds tasks and subtasks.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    test::VirtualClock clock;
    test::FakeMainQueue queue{clock};
    test::FakeFileSystem files;
    test::FakeFolderWatcher watcher;
    test::FakeRandom random;
    Calendar calendar{1};
    Store store(url, StoreEnvironment{clock, queue, files, watcher, random, calendar});
    const UUID parent = *store.addTask("parent");
    store.addTask("child", parent);
    store.saveNow();

    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto before = decodeSnapshot(*files.contents(url), clock.now());
    const bool accepted = decodeListsAndTasks(bytes, clock.now()).has_value();
    files.put(url, bytes);
    watcher.fire();
    queue.advance(0.3);
    store.saveNow();

    for (const TaskItem& task : store.tasks.get())
        fuzz::require(listExists(store, task.listID), "a task's list does not exist");
    const auto saved = files.contents(url);
    fuzz::require(saved.has_value(), "the store's file is gone");
    const auto after = decodeSnapshot(*saved, clock.now());
    fuzz::require(after.has_value(), "the store saved bytes it cannot read");
    if (!accepted && before) {
        fuzz::require(after->lists == before->lists && after->tasks == before->tasks,
                      "a rejected document changed the store");
    }
    return 0;
}
