// Reading and writing the data file without losing what another program puts there meanwhile,
// and without losing a change to a write that fails.
#include "core/store/DataFile.hpp"

#include "core/model/DocumentCoding.hpp"

#include <algorithm>
#include <chrono>
#include <iostream>

namespace vesk {

namespace {

constexpr double saveDelaySeconds = 0.4;
constexpr double externalCheckDelaySeconds = 0.3;
// How long a save gives another program to finish writing the file since it last saw the file
// change, and at most while it keeps changing; how often it looks again besides when the folder
// settles; at quit, with no event loop left, a short blocking wait.
constexpr double writerWaitSeconds = 2.0;
constexpr double writerBusyWaitSeconds = 10.0;
constexpr double writerRetrySeconds = 0.5;
constexpr double writerWaitAtQuitSeconds = 0.3;
// A failed write is tried again after 1 s, then after twice as long each time, at most 30 s.
constexpr double firstRetrySeconds = 1.0;
constexpr double lastRetrySeconds = 30.0;
// How often the writes in flight, and the displaced files that want it, are looked at.
constexpr double followUpSeconds = 0.5;
// At quit: how many times what a write brought back is merged and written again.
constexpr int quitRounds = 3;

// " removed 2 tasks and 0 lists that Vesk held and put back what Vesk changed in "Milk" (title)".
std::string describe(const MergeLoss& loss) {
    std::string said;
    if (loss.tasks > 0 || loss.lists > 0)
        said += " removed " + std::to_string(loss.tasks) + (loss.tasks == 1 ? " task" : " tasks") + " and " +
                std::to_string(loss.lists) + (loss.lists == 1 ? " list" : " lists") + " that Vesk held";
    if (!loss.putBack.empty()) {
        said += said.empty() ? " put back" : " and put back";
        said += " what Vesk changed in ";
        for (std::size_t at = 0; at < loss.putBack.size(); ++at)
            said += (at > 0 ? ", " : "") + loss.putBack[at];
    }
    return said;
}

FileWriter::Bytes share(std::string bytes) {
    return std::make_shared<const std::string>(std::move(bytes));
}

} // namespace

DataFile::DataFile(std::filesystem::path path, StoreEnvironment environment, Content content)
    : env_(environment), path_(std::move(path)), target_(env_.files.resolve(path_)),
      content_(std::move(content)), copies_(env_.files, env_.clock),
      displaced_(
          env_.files, env_.clock, copies_, target_,
          [this](const std::string& bytes, const FileWriter::Bytes& base) { return merge(bytes, base); }) {
    // What a save killed halfway in an earlier run left in the user's folder.
    env_.files.removeAbandonedTemporaries(target_);
}

DataFile::~DataFile() {
    if (watching_) env_.watcher.stop();
    env_.reads.stop();
}

std::optional<Snapshot> DataFile::load(std::optional<DataFileReading> ahead) {
    std::optional<Snapshot> snapshot;
    if (ahead && ahead->path == path_ && env_.files.holds(target_, ahead->bytes)) {
        onDisk_ = share(std::move(ahead->bytes));
        snapshot = std::move(ahead->snapshot);
    } else {
        FileRead read = env_.files.read(target_);
        if (unreadable(read)) {
            condition_ = FileCondition::unreadable;
            unreadable_ = {read.reason(), true};
            std::cerr
                << "vesk: cannot read " << path_.string() << ": " << read.reason()
                << "; starting without it, which is taken up once it can be read and never written over\n";
            return std::nullopt;
        }
        if (!read.ok()) return std::nullopt;
        onDisk_ = share(std::move(*read));
        snapshot = decodeSnapshot(*onDisk_, env_.clock.now(), &env_.random);
    }
    if (!snapshot) {
        setAsideUndecodable();
        return std::nullopt;
    }
    condition_ = FileCondition::known;
    states_.remember(onDisk_);
    return snapshot;
}

void DataFile::setAsideUndecodable() {
    // Without the copy a save would destroy the only trace of the user's data.
    condition_ = FileCondition::undecodable;
    owedCopy_ = onDisk_;
    DecodeFailure where;
    decodeSnapshot(*onDisk_, env_.clock.now(), nullptr, &where);
    const CopiesAside::Kept copy = keepCorruptCopy(*onDisk_);
    std::cerr << "vesk: " << path_.string() << " does not decode (" << describe(where, *onDisk_) << "); ";
    if (copy)
        std::cerr << "it is kept as " << copy->string() << ", and Vesk starts without it\n";
    else if (copy.failure().waiting)
        std::cerr << "its copy waits (" << copy.reason() << "), and Vesk starts without it\n";
    else
        std::cerr << "no copy of it can be kept beside it (" << copy.reason()
                  << "), so it is not written over, and Vesk starts without it\n";
}

DataFile::FileCondition DataFile::takeUpUnreadFile(std::string bytes) {
    onDisk_ = share(std::move(bytes));
    auto snapshot = decodeSnapshot(*onDisk_, env_.clock.now(), &env_.random);
    if (!snapshot) {
        setAsideUndecodable();
        return condition_;
    }
    condition_ = FileCondition::known;
    states_.remember(onDisk_);
    content_.takeUp(std::move(*snapshot));
    std::cerr << "vesk: " << path_.string() << " can be read now; what was done meanwhile is added to it\n";
    return condition_;
}

void DataFile::watch() {
    const auto folder = target_.parent_path();
    env_.files.createDirectories(folder);
    watching_ = env_.watcher.watch(folder, [this] { scheduleExternalCheck(); });
    env_.reads.watch(target_, [this] { noteRead(); });
}

void DataFile::noteRead() {
    // A write that has just landed holds what was read.
    if (!writing_.empty()) settleWrites();
    if (writing_.empty() && onDisk_ && !owedCopy_) states_.noteRead(onDisk_);
}

FileRead DataFile::readOwn() {
    std::optional<FileRead> read;
    env_.reads.ownRead([&] { read = env_.files.read(target_); });
    return std::move(*read);
}

std::optional<std::string> DataFile::lastOnDisk() const {
    const FileWriter::Bytes& bytes = writing_.empty() ? onDisk_ : writing_.back().bytes;
    if (!bytes) return std::nullopt;
    return *bytes;
}

void DataFile::scheduleSave() {
    unsaved_ = true;
    env_.queue.debounce(pendingSave_, saveDelaySeconds, [this] { saveNow(); });
}

void DataFile::scheduleExternalCheck() {
    env_.queue.debounce(externalCheck_, externalCheckDelaySeconds, [this] { checkForOutsideEdit(); });
}

void DataFile::followLink() {
    auto target = env_.files.resolve(path_);
    if (target == target_) return;
    target_ = std::move(target);
    if (watching_) watch();
}

void DataFile::saveNow(SaveOccasion occasion) {
    followLink();
    const bool quit = occasion == SaveOccasion::quit;
    for (int round = 0; round < (quit ? quitRounds : 1); ++round) {
        pendingSave_.reset();
        writerRetry_.reset();
        saveRetry_.reset();
        std::optional<std::filesystem::path> copy;
        // An outside edit that the debounced check has not seen yet would be written over.
        const FileCondition found = mergeOutsideEdit();
        if (found == FileCondition::unmerged) break;
        if (found == FileCondition::unreadable) {
            if (unsaved_)
                noteFailure("it cannot be read (" + unreadable_.reason + "), and is not written over");
            break;
        }
        if (found == FileCondition::undecodable && !mayReplaceUndecodableFile(occasion, copy)) break;
        // After the quit nothing looks at a displaced file any more.
        handOver(found, found == FileCondition::undecodable && !quit, std::move(copy));
        if (!quit) {
            settleWrites();
            return;
        }
        // After the quit the process ends: the data must be on the disk first, with whatever the
        // write brought back merged into it.
        env_.writer.wait();
        settleWrites();
        displaced_.look(WaitingPass::atQuit);
        if (!pendingSave_ && !saveRetry_) break;
    }
    if (quit) copies_.keepWaiting(target_, 0, WaitingPass::atQuit);
    if (quit && saveFailure_)
        std::cerr << "vesk: quitting with changes not saved to " << path_.string() << ": " << *saveFailure_
                  << "\n";
}

void DataFile::handOver(FileCondition found, bool keepReplaced, std::optional<std::filesystem::path> copy) {
    // Reads made so far were of the document in place.
    env_.reads.flush();
    // The save a merge asks for is this one.
    pendingSave_.reset();
    unsaved_ = false;
    waitingForWriterSince_.reset();
    writerChangedAt_.reset();

    auto bytes = share(content_.encode());
    // The file holds this very document already (a quit after a run that changed nothing, a
    // change taken back): rewriting megabytes of it would change nothing but its date.
    if (found == FileCondition::known && writing_.empty() && onDisk_ && *onDisk_ == *bytes) {
        noteWritten();
        return;
    }
    env_.files.createDirectories(target_.parent_path());
    // The file this write finds in place: the save before it, unless that one fails; none, or an
    // empty one, where another program removed or emptied it.
    const bool afterAnother = !writing_.empty();
    FileWriter::Bytes expected = afterAnother ? writing_.back().bytes : onDisk_;
    if (!afterAnother && found == FileCondition::absent) expected = nullptr;
    if (!afterAnother && found == FileCondition::emptied) expected = share({});
    Writing save{bytes, std::move(expected), afterAnother ? writing_.back().bytes : states_.newest(),
                 std::move(copy)};
    FileWriter::Job job{target_, std::move(bytes), save.base, keepReplaced};
    // Remembered before the write starts, so that the check its folder event brings finds the
    // store's own bytes, however long the disk takes.
    writing_.push_back(std::move(save));
    env_.writer.write(std::move(job));
}

void DataFile::settleWrites() {
    for (FileWriter::Outcome& outcome : env_.writer.finished()) {
        if (writing_.empty()) break;
        Writing save = std::move(writing_.front());
        writing_.pop_front();
        if (!outcome) {
            if (outcome.failure().changed) {
                // Another program's file is in place, where names cannot be exchanged: the next save
                // merges it first.
                env_.queue.debounce(saveRetry_, 0, [this] { saveNow(); });
            } else {
                noteFailure(outcome.reason());
            }
            continue;
        }
        const FileWriter::Bytes before = onDisk_;
        onDisk_ = save.bytes;
        states_.remember(save.bytes);
        condition_ = FileCondition::known;
        owedCopy_.reset();
        noteWritten();
        if (!outcome->replaced) continue;
        const std::string& found = outcome->replacedBytes;
        const bool known = (save.base && found == *save.base) || (before && found == *before);
        // A copy of the unfinished file the save gave up waiting for is dropped once that file
        // is complete and merged; a different file in its place leaves the copy alone.
        if (!save.base || *save.base != found) save.copy.reset();
        displaced_.add(std::move(*outcome->replaced), std::move(outcome->replacedBytes), known,
                       std::move(save.mergeBase), std::move(save.copy));
    }
    followUp();
}

void DataFile::noteWritten() {
    retryDelaySeconds_ = firstRetrySeconds;
    copies_.keepWaiting(target_, saveBytes());
    if (!saveFailure_) return;
    saveFailure_.reset();
    saveRetry_.reset();
    std::cerr << "vesk: saved " << path_.string() << " again\n";
}

void DataFile::noteFailure(const std::string& reason) {
    if (saveFailure_ != reason)
        std::cerr << "vesk: cannot save " << path_.string() << ": " << reason << "; trying again\n";
    saveFailure_ = reason;
    // Due until it lands: every save writes the whole document, so a later change drops nothing.
    env_.queue.debounce(saveRetry_, retryDelaySeconds_, [this] { saveNow(); });
    retryDelaySeconds_ = std::min(2 * retryDelaySeconds_, lastRetrySeconds);
}

void DataFile::followUp() {
    if (followUp_ || (writing_.empty() && !displaced_.wantsTimer())) return;
    env_.queue.debounce(followUp_, followUpSeconds, [this] {
        displaced_.look();
        settleWrites();
    });
}

bool DataFile::mayReplaceUndecodableFile(SaveOccasion occasion, std::optional<std::filesystem::path>& copy) {
    // Perhaps a write caught halfway (an editor or a script rewriting the file in place),
    // perhaps a hand edit with a typo: the writer gets time to finish first, more while the file
    // is seen changing.
    if (occasion == SaveOccasion::quit) {
        if (waitForWriterAtQuit()) return true;
    } else {
        const Date now = env_.clock.now();
        if (!waitingForWriterSince_) waitingForWriterSince_ = now;
        const Date changed =
            std::max(*waitingForWriterSince_, writerChangedAt_.value_or(*waitingForWriterSince_));
        const double left = std::min(writerWaitSeconds - secondsBetween(changed, now),
                                     writerBusyWaitSeconds - secondsBetween(*waitingForWriterSince_, now));
        // A retry a hair early, as timers may be, counts as on time.
        if (left > 0.001) {
            // A change in the folder brings the next look sooner (checkForOutsideEdit).
            env_.queue.debounce(writerRetry_, std::min(writerRetrySeconds, left), [this] { saveNow(); });
            return false;
        }
    }
    CopiesAside::Kept kept = keepCorruptCopy(*onDisk_);
    if (CopiesAside::waits(kept))
        std::cerr << "vesk: " << path_.string()
                  << " holds what does not decode; the save goes first, and its copy "
                  << "waits (" << kept.reason() << ")\n";
    else if (!kept)
        noteFailure("it holds what does not decode, of which no copy can be kept beside it (" +
                    kept.reason() + "), and is not written over without one");
    copy = kept ? std::optional(std::move(*kept)) : std::nullopt;
    return copy || CopiesAside::waits(kept);
}

bool DataFile::waitForWriterAtQuit() {
    const Date deadline = addingSeconds(env_.clock.now(), writerWaitAtQuitSeconds);
    for (;;) {
        const double left = secondsBetween(env_.clock.now(), deadline);
        if (left <= 0) return false;
        env_.watcher.waitForChange(left);
        if (mergeOutsideEdit() != FileCondition::undecodable) return true;
    }
}

CopiesAside::Kept DataFile::keepCorruptCopy(const std::string& bytes) {
    CopiesAside::Kept kept = copies_.keep(target_, "corrupt", bytes, saveBytes());
    if ((kept || CopiesAside::waits(kept)) && owedCopy_ && *owedCopy_ == bytes) {
        owedCopy_.reset();
        if (condition_ == FileCondition::undecodable) condition_ = FileCondition::known;
    }
    return kept;
}

void DataFile::checkForOutsideEdit() {
    followLink();
    displaced_.look();
    // A save waiting for another program's write looks again as soon as the folder settles.
    if (waitingForWriterSince_) {
        saveNow();
        return;
    }
    const bool wasUnreadable = condition_ == FileCondition::unreadable;
    const FileCondition found = mergeOutsideEdit();
    // Emptied or removed by another program: written back at once, or a crash meanwhile would
    // leave nothing on the disk. A change that could not be saved while the file could not be
    // read goes out as soon as it can be.
    if (found == FileCondition::emptied || (found == FileCondition::absent && onDisk_) ||
        (wasUnreadable && found != FileCondition::unreadable && saveFailure_))
        scheduleSave();
}

DataFile::FileCondition DataFile::mergeOutsideEdit() {
    settleWrites();
    const bool unreadSinceStart = condition_ == FileCondition::unreadable && unreadable_.sinceStart;
    FileRead read = readOwn();
    if (unreadable(read)) {
        unreadable_ = {read.reason(), unreadSinceStart};
        return condition_ = FileCondition::unreadable;
    }
    if (!read.ok()) return condition_ = FileCondition::absent;
    if (unreadSinceStart) return takeUpUnreadFile(std::move(*read));
    if (read->empty()) return condition_ = FileCondition::emptied;
    if (onDisk_ && *onDisk_ == *read)
        return condition_ =
                   owedCopy_ && *owedCopy_ == *read ? FileCondition::undecodable : FileCondition::known;
    if (std::any_of(writing_.begin(), writing_.end(),
                    [&](const Writing& own) { return *own.bytes == *read; }))
        return condition_ = FileCondition::known;
    auto bytes = share(std::move(*read));
    const MergeOutcome merged = merge(*bytes);
    // Tried again at the next look.
    if (merged.status == MergeOutcome::Status::deferred) return condition_ = FileCondition::unmerged;
    // Remembered even when it does not decode, so that the same content is not tried again.
    onDisk_ = std::move(bytes);
    if (merged.status != MergeOutcome::Status::undecodable) {
        owedCopy_.reset();
        return condition_ = FileCondition::known;
    }
    owedCopy_ = onDisk_;
    writerChangedAt_ = env_.clock.now();
    return condition_ = FileCondition::undecodable;
}

MergeOutcome DataFile::merge(const std::string& bytes, const FileWriter::Bytes& preferred) {
    std::vector<FileWriter::Bytes> bases;
    if (preferred) bases.push_back(preferred);
    for (FileWriter::Bytes& base : states_.bases())
        bases.push_back(std::move(base));
    std::string failure;
    bool tookAway = false;
    const MergeOutcome outcome =
        content_.merge(bytes, bases, [&](const std::string& document, const MergeLoss& loss) {
            tookAway = true;
            CopiesAside::Kept kept = copies_.keep(target_, "before-merge", document, saveBytes());
            if (!kept && !kept.failure().waiting) {
                failure = kept.reason();
                return false;
            }
            std::cerr << "vesk: another program's edit of " << path_.string() << describe(loss)
                      << "; the document as it was "
                      << (kept ? "is kept as " + kept->string() : "waits to be kept (" + kept.reason() + ")")
                      << "\n";
            return true;
        });
    switch (outcome.status) {
    case MergeOutcome::Status::merged:
        // Only where nothing of Vesk's was taken away, which is said apart.
        if (!tookAway && outcome.base < bases.size() && bases[outcome.base] != states_.newest())
            std::cerr << "vesk: another program wrote " << path_.string()
                      << " from an earlier state of it; what Vesk saved since is kept\n";
        if (outcome.whole) {
            // Its writer knows it: what it writes next is based on it.
            auto edit = share(bytes);
            states_.remember(edit);
            states_.noteRead(edit);
        }
        break;
    case MergeOutcome::Status::deferred:
        noteFailure("another program's edit of it removes what Vesk holds, and no copy of the document as it "
                    "is can be kept beside it (" +
                    failure + ")");
        break;
    case MergeOutcome::Status::undecodable:
        break;
    }
    return outcome;
}

} // namespace vesk
