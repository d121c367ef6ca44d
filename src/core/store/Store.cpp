#include "core/store/Store.hpp"

#include "core/model/DocumentCoding.hpp"

#include <algorithm>
#include <string>

namespace vesk {

namespace {

constexpr double saveDelaySeconds = 0.4;
constexpr double externalCheckDelaySeconds = 0.3;

} // namespace

Store::Store(std::filesystem::path url, StoreEnvironment environment)
    : now(environment.clock.now(), changes_), env_(environment), url_(std::move(url)) {
    // What a save killed halfway in an earlier run left in the user's folder.
    env_.files.removeAbandonedTemporaries(url_);
    load();
    if (lists.get().empty()) lists.set({TaskList{UUID::random(env_.random), "My Tasks"}});
    adoptCurrentTreeIntoGarden();
    repairSelectedList();
    syncTicker();
    watchFile();
    // Start-up saves nothing: whatever it changed goes out with the next save.
}

Store::~Store() {
    // Nothing scheduled may outlive the store.
    env_.queue.cancel(ticker_);
    env_.queue.cancel(pendingSave_);
    env_.queue.cancel(externalCheck_);
    env_.queue.cancel(writerRetry_);
    env_.queue.cancel(saveRetry_);
    env_.queue.cancel(followUp_);
    env_.queue.cancel(undoExpiry_);
    if (watching_) env_.watcher.stop();
}

std::optional<std::string> Store::lastOnDisk() const {
    const FileWriter::Bytes& bytes = writing_.empty() ? onDisk_ : writing_.back().bytes;
    if (!bytes) return std::nullopt;
    return *bytes;
}

void Store::load() {
    FileRead read = env_.files.read(url_);
    if (read.status == FileRead::Status::failed) mayReplaceFile_ = false;
    if (!read.ok()) return;
    onDisk_ = std::make_shared<const std::string>(std::move(read.bytes));

    auto snapshot = decodeSnapshot(*onDisk_, env_.clock.now(), &env_.random);
    if (!snapshot) {
        // Without the copy a save would destroy the only trace of the user's data.
        onDiskUndecodable_ = true;
        keepCorruptCopy(*onDisk_);
        return;
    }
    mergeBase_ = onDisk_;
    lists.set(std::move(snapshot->lists));
    tasks.set(std::move(snapshot->tasks));
    sessions.set(std::move(snapshot->sessions));
    timer.set(snapshot->timer);
    prefs.set(snapshot->prefs);
    if (snapshot->bonsai) bonsai.set(std::move(*snapshot->bonsai));
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

void Store::repairSelectedList() {
    if (prefs.get().starredView || lists.get().empty()) return;
    const auto& selected = prefs.get().selectedListID;
    const bool known = selected && std::any_of(lists.get().begin(), lists.get().end(),
                                               [&](const TaskList& list) { return list.id == *selected; });
    if (!known) prefs.update([this](Prefs& p) { p.selectedListID = lists.get().front().id; });
}

void Store::scheduleSave() {
    debounce(pendingSave_, saveDelaySeconds, [this] { saveNow(); });
}

void Store::writePrefs(const std::function<void(Prefs&)>& change) {
    prefs.update(change);
    syncTicker();
    scheduleSave();
}

void Store::debounce(MainQueue::Handle& slot, double delaySeconds, MainQueue::Task action) {
    env_.queue.cancel(slot);
    // The destructor cancels the slot, so the item never runs on a destroyed store.
    slot = env_.queue.after(delaySeconds, [&slot, action = std::move(action)] {
        slot = 0;
        action();
    });
}

void Store::changed() {
    syncTicker();
    scheduleSave();
}

void Store::watchFile() {
    const auto folder = url_.parent_path();
    env_.files.createDirectories(folder);
    watching_ = env_.watcher.watch(folder, [this] { scheduleExternalCheck(); });
}

void Store::scheduleExternalCheck() {
    debounce(externalCheck_, externalCheckDelaySeconds, [this] { checkForOutsideEdit(); });
}

Statistics Store::statistics() const {
    return Statistics(
        StatsInput{sessions.get(), tasks.get(), timer.get(), now.get(), env_.clock.now(), liveFocus()},
        env_.calendar);
}

std::optional<TaskItem> Store::task(const UUID& id) const {
    const auto& all = tasks.get();
    const auto found =
        std::find_if(all.begin(), all.end(), [&](const TaskItem& item) { return item.id == id; });
    if (found == all.end()) return std::nullopt;
    return *found;
}

std::optional<std::string> Store::title(const std::optional<UUID>& id) const {
    if (!id) return std::nullopt;
    const auto item = task(*id);
    if (!item) return std::nullopt;
    return item->title.empty() ? "Untitled" : item->title;
}

} // namespace vesk
