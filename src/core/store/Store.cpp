#include "core/store/Store.hpp"

#include "core/model/DocumentCoding.hpp"
#include "core/model/TaskOrder.hpp"
#include "core/model/TaskPlaces.hpp"
#include "core/model/TimerReadings.hpp"
#include "core/store/DataFile.hpp"
#include "core/store/FileTakeUp.hpp"
#include "core/store/RepeatedIDs.hpp"

#include <algorithm>
#include <iostream>
#include <string>

namespace vesk {

Store::Store(std::filesystem::path path, StoreEnvironment environment, std::optional<DataFileReading> ahead)
    : now(environment.clock.now(), changes_), env_(environment),
      file_(std::make_unique<DataFile>(
          std::move(path), environment,
          DataFile::Content{
              [this] {
                  return encodeSnapshot(SnapshotParts{lists.get(), tasks.get(), sessions.get(), timer.get(),
                                                      prefs.get(), bonsai.get(), unknown_});
              },
              [this](const std::string& bytes, const std::vector<FileWriter::Bytes>& bases,
                     const KeepBefore& keepBefore) { return applyExternalEdit(bytes, bases, keepBefore); },
              [this](Snapshot file) { takeUp(std::move(file)); }})) {
    load(std::move(ahead));
    if (lists.get().empty()) {
        startList_ = UUID::random(env_.random);
        lists.set({TaskList{*startList_, "My Tasks"}});
    }
    placeLostTasks();
    adoptCurrentTreeIntoGarden();
    repairSelectedList();
    syncTicker();
    file_->watch();
    // Start-up saves nothing: whatever it changed goes out with the next save.
}

Store::~Store() = default;

const std::filesystem::path& Store::path() const {
    return file_->path();
}

std::optional<std::string> Store::lastOnDisk() const {
    return file_->lastOnDisk();
}

void Store::saveNow(SaveOccasion occasion) {
    file_->saveNow(occasion);
}

void Store::scheduleSave() {
    file_->scheduleSave();
}

bool Store::hasUnwrittenChanges() const {
    return file_->hasUnwrittenChanges();
}

void Store::load(std::optional<DataFileReading> ahead) {
    auto snapshot = file_->load(std::move(ahead));
    if (!snapshot) return;
    // A hand-edited file may leave a task without a place; it gets the one a merge gives it.
    repairMissingOrders(snapshot->tasks);
    partRepeatedIDs(&snapshot->lists, &snapshot->tasks, path());
    adopt(std::move(*snapshot));
}

void Store::takeUp(Snapshot file) {
    const auto hold = changes_.hold();
    repairMissingOrders(file.tasks);
    const Snapshot run{lists.get(), tasks.get(),  sessions.get(), timer.get(),
                       prefs.get(), bonsai.get(), unknown_};
    adopt(takeUpFile(std::move(file), run, startList_));
    startList_.reset();
    adoptCurrentTreeIntoGarden();
    repairSelectedList();
    forgetUndo();
    changed();
}

void Store::adopt(Snapshot data) {
    lists.set(std::move(data.lists));
    tasks.set(std::move(data.tasks));
    sessions.set(std::move(data.sessions));
    timer.set(data.timer);
    prefs.set(data.prefs);
    if (data.bonsai) bonsai.set(std::move(*data.bonsai));
    unknown_ = std::move(data.unknown);
}

void Store::adoptCurrentTreeIntoGarden() {
    bonsai.update([this](BonsaiProgress& progress) {
        if (progress.seed != 0 && !treeWithSeed(progress, progress.seed)) {
            const std::int64_t shown = progress.legacyIteration.value_or(1);
            progress.garden.push_back(GardenTree{
                UUID::random(env_.random),
                progress.seed,
                progress.gains.empty() ? env_.clock.now() : progress.gains.front().date,
                shown > 1 ? shown - 1 : 0,
            });
        }
        progress.legacyIteration.reset();
    });
}

// A hand-edited file may leave tasks in no view at all, as a merge of an outside edit never does:
// in a list the file lacks, under a missing parent or in a loop of parents. They are put back
// where that merge would put them, with one line for whoever wonders why the file changed.
void Store::placeLostTasks() {
    std::size_t placed = 0;
    tasks.update([&](std::vector<TaskItem>& all) { placed = repairListsAndParents(all, lists.get()); });
    if (placed > 0)
        std::cerr << "vesk: " << placed << (placed == 1 ? " task" : " tasks") << " of " << path().string()
                  << " had no list or parent to show in; put back in a list\n";
}

void Store::repairSelectedList() {
    if (prefs.get().starredView || lists.get().empty()) return;
    const auto& selected = prefs.get().selectedListID;
    const bool known = selected && std::any_of(lists.get().begin(), lists.get().end(),
                                               [&](const TaskList& list) { return list.id == *selected; });
    if (!known) prefs.update([this](Prefs& p) { p.selectedListID = lists.get().front().id; });
}

void Store::writePrefs(const std::function<void(Prefs&)>& change) {
    prefs.update(change);
    syncTicker();
    scheduleSave();
}

void Store::seed(const std::function<void(Snapshot&)>& change) {
    const auto hold = changes_.hold();
    Snapshot data{lists.get(), tasks.get(), sessions.get(), timer.get(), prefs.get(), bonsai.get(), unknown_};
    change(data);
    adopt(std::move(data));
    changed();
}

void Store::changed() {
    syncTicker();
    scheduleSave();
}

Statistics Store::statistics() const {
    return Statistics(StatsInput{sessions.get(), tasks.get(), timer.get(), now.get(), env_.clock.now(),
                                 liveFocus(timer.get(), now.get())},
                      env_.calendar);
}

} // namespace vesk
