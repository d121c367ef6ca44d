#include "FuzzCheck.hpp"
#include "core/model/DocumentCoding.hpp"
#include "core/model/FieldVisit.hpp"
#include "core/model/TaskViews.hpp"
#include "support/StoreTestBed.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

using namespace vesk;

namespace {

bool listExists(const Store& store, const UUID& id) {
    const auto& lists = store.lists.get();
    return std::any_of(lists.begin(), lists.end(), [&](const TaskList& list) { return list.id == id; });
}

bool keptSomewhere(const test::StoreTestBed& bed, const std::string& bytes) {
    const auto kept = bed.files.filesIn(bed.path.parent_path());
    return std::any_of(kept.begin(), kept.end(),
                       [&](const auto& path) { return bed.files.contents(path) == bytes; });
}

void requireConsistent(const test::StoreTestBed& bed, const Store& store) {
    for (const TaskItem& task : store.tasks.get())
        fuzz::require(listExists(store, task.listID), "a task's list does not exist");
    const auto saved = bed.files.contents(bed.path);
    fuzz::require(saved.has_value(), "the store's file is gone");
    fuzz::require(decodeSnapshot(*saved, bed.clock.now()).has_value(),
                  "the store saved bytes it cannot read");
}

// The ids of the tasks and lists the store holds.
std::unordered_set<UUID> heldIDs(const Store& store) {
    std::unordered_set<UUID> ids;
    for (const TaskItem& task : store.tasks.get())
        ids.insert(task.id);
    for (const TaskList& list : store.lists.get())
        ids.insert(list.id);
    return ids;
}

// Every task and list the store held is still held, or in a copy beside the file.
void requireNothingLostWithoutACopy(const test::StoreTestBed& bed, const Store& store,
                                    const std::unordered_set<UUID>& before) {
    std::unordered_set<UUID> found = heldIDs(store);
    for (const auto& path : bed.files.filesIn(bed.path.parent_path())) {
        if (path == bed.path) continue;
        if (const auto copy = decodeSnapshot(*bed.files.contents(path), bed.clock.now())) {
            for (const TaskItem& task : copy->tasks)
                found.insert(task.id);
            for (const TaskList& list : copy->lists)
                found.insert(list.id);
        }
    }
    for (const UUID& id : before)
        fuzz::require(found.contains(id), "a task or list the store held was lost without a copy");
}

// A document the store wrote some saves ago written back (a restored backup, a script or an
// editor that read the file and writes it late), then another program's bytes: what the store
// held before each is held still or kept in a copy beside the file.
void olderDocumentWrittenBack(const std::string& bytes) {
    test::StoreTestBed bed;
    Store& store = bed.open();
    store.addTask("child", *store.addTask("parent"));
    std::vector<std::string> written;
    for (int i = 0; i < 12; ++i) {
        store.addTask("saved " + std::to_string(i));
        bed.queue.advance(0.4);
        written.push_back(*bed.files.contents(bed.path));
    }
    const std::size_t pick = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) % written.size();
    for (const std::string& edit : {written[pick], bytes}) {
        const auto before = heldIDs(store);
        bed.files.put(bed.path, edit);
        bed.watcher.fire();
        bed.queue.advance(3);
        requireNothingLostWithoutACopy(bed, store, before);
    }
    store.saveNow();
    bed.queue.advance(3);
    requireConsistent(bed, store);
}

// Another program's document lands while a save is being written, between its read and its
// replace: it is merged or kept aside, never lost, and the app's new task stays.
void swappedInDuringASave(const std::string& bytes) {
    test::StoreTestBed bed;
    Store& store = bed.open();
    store.addTask("saved");
    store.saveNow();
    const UUID mine = *store.addTask("mine");
    bed.writer.hold = true;
    store.saveNow();
    bed.files.put(bed.path, bytes);
    bed.writer.complete();
    bed.writer.hold = false;
    bed.queue.advance(1);
    fuzz::require(taskWithID(store.tasks.get(), mine).has_value(),
                  "the app's task was lost to a document swapped in");
    // An empty file holds nothing to keep.
    if (!bytes.empty() && !decodeListsAndTasks(bytes, bed.clock.now()).has_value())
        fuzz::require(keptSomewhere(bed, bytes), "a document swapped in was dropped");
    bed.queue.advance(11);
    store.saveNow();
    requireConsistent(bed, store);
    fuzz::require(taskWithID(store.tasks.get(), mine).has_value(), "the app's task was lost after the swap");
}

// Whether the app's task as it was, with its changes since `read` (nullptr: it is new since),
// still stands in `now`.
bool changesStand(const TaskItem& mine, const TaskItem* read, const std::optional<TaskItem>& now) {
    if (!now) return false;
    bool stand = true;
    eachField(
        mine,
        [&](const char*, const auto& app, const auto& held, const auto& was) {
            if (!sameWritten(held, app) && (!read || !sameWritten(app, was))) stand = false;
        },
        *now, read ? *read : mine);
    return stand;
}

// Whether a copy beside the file holds the task as it was.
bool taskKept(const test::StoreTestBed& bed, const TaskItem& task) {
    for (const auto& path : bed.files.filesIn(bed.path.parent_path())) {
        if (path == bed.path) continue;
        const auto copy = decodeSnapshot(*bed.files.contents(path), bed.clock.now());
        if (!copy) continue;
        for (const TaskItem& kept : copy->tasks)
            if (kept.id == task.id && changesStand(task, nullptr, kept)) return true;
    }
    return false;
}

// An editor reads the file; the app completes, stars, renames, adds and deletes tasks, each
// saved; the editor writes back what it read with its own changes. Every change the app made
// since the read still stands, or the document as it was is kept beside the file.
void staleCopyWrittenBack(const std::string& bytes) {
    test::StoreTestBed bed;
    Store& store = bed.open();
    std::vector<UUID> ids;
    for (int i = 0; i < 4; ++i)
        ids.push_back(
            *store.addTask("task " + std::to_string(i), i == 3 ? std::optional(ids[0]) : std::nullopt));
    bed.queue.advance(0.4);
    const std::string read = *bed.files.contents(bed.path);
    bed.reads.read();
    std::size_t at = 0;
    const auto next = [&] { return static_cast<unsigned char>(bytes[at++]); };
    for (int i = 0; i < 8 && at < bytes.size(); ++i) {
        const unsigned choice = next();
        const UUID id = ids[choice % ids.size()];
        const std::string name = "app " + std::to_string(i);
        switch (choice / 4 % 5) {
        case 0:
            store.toggleDone(id);
            break;
        case 1:
            store.toggleStar(id);
            break;
        case 2:
            store.update(id, [&](TaskItem& task) { task.title = name; });
            break;
        case 3:
            store.addTask(name);
            break;
        default:
            store.deleteTask(id);
            break;
        }
        bed.queue.advance(0.4);
    }
    auto edit = decodeSnapshot(read, bed.clock.now());
    fuzz::require(edit.has_value(), "the store's own document does not decode");
    const std::vector<TaskItem> readTasks = edit->tasks;
    while (at < bytes.size() && !edit->tasks.empty()) {
        const unsigned choice = next();
        auto& tasks = edit->tasks;
        TaskItem& task = tasks[choice % tasks.size()];
        switch (choice / 8 % 5) {
        case 0:
            task.notes += "theirs";
            break;
        case 1:
            task.title += " theirs";
            break;
        case 2:
            task.starred = !task.starred;
            break;
        case 3:
            tasks.erase(tasks.begin() + static_cast<std::ptrdiff_t>(choice % tasks.size()));
            break;
        default:
            tasks.push_back(TaskItem{.id = UUID::random(bed.random), .listID = task.listID, .title = "new"});
            break;
        }
    }
    const std::vector<TaskItem> held = store.tasks.get();
    bed.files.put(bed.path, encodeSnapshot(*edit));
    bed.watcher.fire();
    bed.queue.advance(3);
    for (const TaskItem& mine : held) {
        const auto was = std::find_if(readTasks.begin(), readTasks.end(),
                                      [&](const TaskItem& task) { return task.id == mine.id; });
        if (!changesStand(mine, was == readTasks.end() ? nullptr : &*was,
                          taskWithID(store.tasks.get(), mine.id)))
            fuzz::require(taskKept(bed, mine), "a change of the app's was undone without a copy");
    }
    requireConsistent(bed, store);
}

} // namespace

// Another program's edit, merged into a store that holds tasks and subtasks. The program writes
// the file in place in two steps, so that what a save finds halfway may not decode.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    swappedInDuringASave(std::string(reinterpret_cast<const char*>(data), size));
    staleCopyWrittenBack(std::string(reinterpret_cast<const char*>(data), size));
    olderDocumentWrittenBack(std::string(reinterpret_cast<const char*>(data), size));
    test::StoreTestBed bed;
    Store& store = bed.open();
    const UUID parent = *store.addTask("parent");
    store.addTask("child", parent);
    store.saveNow();

    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string half = bytes.substr(0, size / 2);
    const auto before = decodeSnapshot(*bed.files.contents(bed.path), bed.clock.now());
    const bool accepted = decodeListsAndTasks(bytes, bed.clock.now()).has_value();
    const bool halfAccepted = decodeListsAndTasks(half, bed.clock.now()).has_value();

    const auto held = heldIDs(store);
    // A save falls due while the file is half written.
    store.writePrefs([](Prefs& prefs) { prefs.sound = !prefs.sound; });
    bed.files.put(bed.path, half);
    bed.watcher.fire();
    bed.queue.advance(0.5);
    // An emptied file is written back at once: it holds nothing, and a crash would leave nothing.
    if (!halfAccepted && !half.empty())
        fuzz::require(bed.files.contents(bed.path) == half, "a half-written file was written over");
    bed.files.put(bed.path, bytes);
    bed.watcher.fire();
    bed.queue.advance(3);
    store.saveNow();

    requireConsistent(bed, store);
    requireNothingLostWithoutACopy(bed, store, held);
    const auto after = decodeSnapshot(*bed.files.contents(bed.path), bed.clock.now());
    if (!accepted) {
        if (!bytes.empty())
            fuzz::require(keptSomewhere(bed, bytes), "an undecodable file was replaced without a copy");
        if (!halfAccepted && before)
            fuzz::require(after->lists == before->lists && after->tasks == before->tasks,
                          "a rejected document changed the store");
    }
    return 0;
}
