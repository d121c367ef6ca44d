#include "core/store/Store.hpp"

#include "core/model/DocumentCoding.hpp"
#include "core/model/TaskOrder.hpp"

#include <algorithm>
#include <chrono>
#include <string>

namespace vesk {

namespace {

constexpr double saveDelaySeconds = 0.4;
constexpr double externalCheckDelaySeconds = 0.3;
// How long a save gives another program to finish writing the file, and how often it looks
// again besides when the folder settles; at quit, with no event loop left, a short blocking wait.
constexpr double writerWaitSeconds = 2.0;
constexpr double writerRetrySeconds = 0.5;
constexpr double writerWaitAtQuitSeconds = 0.3;

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
    env_.queue.cancel(undoExpiry_);
    if (watching_) env_.watcher.stop();
}

std::optional<std::string> Store::lastOnDisk() const {
    const FileWriter::Bytes& bytes = writing_.empty() ? onDisk_ : writing_.back();
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
    lists.set(std::move(snapshot->lists));
    // A hand-edited file may leave a task without a place; it gets the one a merge gives it.
    repairMissingOrders(snapshot->tasks);
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

void Store::saveNow(SaveOccasion occasion) {
    env_.queue.cancel(pendingSave_);
    pendingSave_ = 0;
    env_.queue.cancel(writerRetry_);
    writerRetry_ = 0;
    if (!mayReplaceFile_) return;
    // An outside edit that the debounced check has not seen yet would be written over.
    if (mergeOutsideEdit() == OnDisk::undecodable && !mayReplaceUndecodableFile(occasion)) return;
    // The save a merge asks for is this one.
    env_.queue.cancel(pendingSave_);
    pendingSave_ = 0;
    waitingForWriterSince_.reset();

    auto bytes = std::make_shared<const std::string>(encodeSnapshot(
        SnapshotParts{lists.get(), tasks.get(), sessions.get(), timer.get(), prefs.get(), bonsai.get()}));
    env_.files.createDirectories(url_.parent_path());
    // Remembered before the write starts, so that the check its folder event brings finds the
    // store's own bytes, however long the disk takes.
    writing_.push_back(bytes);
    env_.writer.write(url_, std::move(bytes));
    // After the quit the process ends: the data must be on the disk first.
    if (occasion == SaveOccasion::quit) env_.writer.wait();
    settleWrites();
}

void Store::settleWrites() {
    for (const bool written : env_.writer.finished()) {
        if (writing_.empty()) break;
        if (written) {
            onDisk_ = writing_.front();
            onDiskUndecodable_ = false;
        }
        writing_.pop_front();
    }
}

bool Store::mayReplaceUndecodableFile(SaveOccasion occasion) {
    // Perhaps a write caught halfway (an editor or a script rewriting the file in place),
    // perhaps a hand edit with a typo: the writer gets time to finish first.
    if (occasion == SaveOccasion::quit) {
        if (waitForWriterAtQuit()) return true;
    } else {
        const Date now = env_.clock.now();
        if (!waitingForWriterSince_) waitingForWriterSince_ = now;
        const double left = writerWaitSeconds - secondsBetween(*waitingForWriterSince_, now);
        // A retry a hair early, as timers may be, counts as on time.
        if (left > 0.001) {
            // A change in the folder brings the next look sooner (checkForOutsideEdit).
            debounce(writerRetry_, std::min(writerRetrySeconds, left), [this] { saveNow(); });
            return false;
        }
    }
    return keepCorruptCopy(*onDisk_);
}

bool Store::waitForWriterAtQuit() {
    const Date deadline = addingSeconds(env_.clock.now(), writerWaitAtQuitSeconds);
    for (;;) {
        const double left = secondsBetween(env_.clock.now(), deadline);
        if (left <= 0) return false;
        env_.watcher.waitForChange(left);
        if (mergeOutsideEdit() != OnDisk::undecodable) return true;
    }
}

bool Store::keepCorruptCopy(const std::string& bytes) {
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(env_.clock.now().time_since_epoch());
    auto corrupt = url_;
    corrupt += ".corrupt-" + std::to_string(seconds.count());
    // Never over another file; one that already holds these very bytes will do.
    if (!env_.files.createNew(corrupt, bytes)) {
        const FileRead existing = env_.files.read(corrupt);
        if (!existing.ok() || existing.bytes != bytes) return false;
    }
    onDiskUndecodable_ = false;
    return true;
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

void Store::checkForOutsideEdit() {
    // A save waiting for another program's write looks again as soon as the folder settles.
    if (waitingForWriterSince_) {
        saveNow();
    } else {
        mergeOutsideEdit();
    }
}

Store::OnDisk Store::mergeOutsideEdit() {
    settleWrites();
    FileRead read = env_.files.read(url_);
    if (!read.ok()) return OnDisk::absent;
    if (onDisk_ && *onDisk_ == read.bytes) return onDiskUndecodable_ ? OnDisk::undecodable : OnDisk::known;
    if (std::any_of(writing_.begin(), writing_.end(), [&](const auto& own) { return *own == read.bytes; }))
        return OnDisk::known;
    // Remembered even when it does not decode, so that the same content is not tried again.
    onDisk_ = std::make_shared<const std::string>(std::move(read.bytes));
    onDiskUndecodable_ = !applyExternalEdit(*onDisk_);
    return onDiskUndecodable_ ? OnDisk::undecodable : OnDisk::known;
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
