#pragma once

#include "core/model/BonsaiModels.hpp"
#include "core/model/Prefs.hpp"
#include "core/model/Snapshot.hpp"
#include "core/model/TaskModels.hpp"
#include "core/model/TimerModels.hpp"
#include "core/runtime/Observed.hpp"
#include "core/runtime/Signal.hpp"
#include "core/stats/Statistics.hpp"
#include "core/store/DataFileReading.hpp"
#include "core/store/DataLocation.hpp"
#include "core/store/OutsideEdit.hpp"
#include "core/store/SaveOccasion.hpp"
#include "core/store/StoreEnvironment.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace vesk {

class DataFile;

// The one model object: every piece of user data, kept in memory, loaded from the data file
// at start-up and written back shortly after every change. It never touches the UI: views
// observe its properties, and the shell listens to its signals.
//
// Its observed properties are read-only outside: every change is one of its operations,
// which ticks, saves and tells observers as one. An operation that changes several
// properties tells their observers once it is complete, each property once. Main thread only.
class Store {
    // First, so that it outlives the properties (it holds their notifications).
    ChangeBatch changes_;

  public:
    // `ahead`: the file read and decoded early (DataFileReading.hpp), used when it still holds those bytes.
    Store(std::filesystem::path path, StoreEnvironment environment,
          std::optional<DataFileReading> ahead = std::nullopt);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    static std::filesystem::path defaultPath(const EnvironmentLookup& environment, FileSystem& files) {
        return locateDataFile(environment, files);
    }

    Observed<std::vector<TaskList>, Store> lists{changes_};
    Observed<std::vector<TaskItem>, Store> tasks{changes_};
    Observed<std::vector<FocusSession>, Store> sessions{changes_};
    Observed<TimerState, Store> timer{changes_};
    Observed<Prefs, Store> prefs{changes_};
    Observed<BonsaiProgress, Store> bonsai{changes_};
    // The store's notion of the current time, refreshed by the timer ticker as a running
    // timer's reading passes each whole second.
    Observed<Date, Store> now{changes_};
    Observed<std::optional<std::string>, Store> undoLabel{changes_};
    // What the tabs show of these values and what the timer reads are free functions over
    // them (TaskViews.hpp, TimerReadings.hpp), which the operations here use as well.

    // Sent after the change they tell of, so that a listener reads the new values.
    Signal<Store, TimerEvent> timerEvent;
    // The current tree's shown cube counts before and after a growth, and why it grew.
    Signal<Store, std::int64_t, std::int64_t, GainReason> grew;
    Signal<Store> seedlingUnlocked;

    const std::filesystem::path& path() const;

    // Persistence, as the data file does it.
    std::optional<std::string> lastOnDisk() const;
    void saveNow(SaveOccasion occasion = SaveOccasion::normal);
    bool hasUnwrittenChanges() const;
    // The one way to change preferences from outside the store: the change, then the ticker
    // check and a debounced save. No undo step.
    void writePrefs(const std::function<void(Prefs&)>& change);
    // Lays down prepared data (demo, scenes, tests) like any operation: the change sees the
    // values as they stand, the ledger always present. No undo step.
    void seed(const std::function<void(Snapshot&)>& change);

    // Tasks. An id that matches no task changes nothing, unless said otherwise.
    // A new task or subtask (one cube); nothing for a blank title. A subtask goes to its
    // parent's list; without a list the store picks targetListID().
    std::optional<UUID> addTask(const std::string& title, std::optional<UUID> parentID = std::nullopt,
                                std::optional<UUID> listID = std::nullopt);
    // Completes an open task with its open subtasks, or reopens a completed one.
    void toggleDone(const UUID& id);
    void update(const UUID& id, const std::function<void(TaskItem&)>& change);
    void toggleStar(const UUID& id);
    // Removes the task and its subtasks, undoably.
    void deleteTask(const UUID& id);
    // Removes the completed tasks of the current list, undoably.
    void clearCompleted();
    // To the top of the list, with its subtasks; saves even when nothing matched.
    void move(const UUID& id, const UUID& toList);
    // Reorders visibleOpenTasks() as a drag delivers it: the tasks at `offsets` land before
    // the one at `destination` (counted before the move). Positions out of range change nothing.
    void moveVisible(const std::set<std::size_t>& offsets, std::size_t destination);
    // The dragged task takes the place of the one it was dropped on.
    void moveVisible(const UUID& dragged, const UUID& onto);

    // Lists.
    void selectList(const UUID& id);
    UUID addList(const std::string& name);
    void renameList(const UUID& id, const std::string& name);
    // Removes the list and its tasks, undoably; the last list stays.
    void deleteList(const UUID& id);

    // One-step undo of the last deletion, pending for 6 s (undoLabel says what it restores):
    // what it removed returns, every later change stays.
    void undo();

    // Statistics over the sessions, tasks and the current run as they are now; it reads the
    // store's values, so it is used at once and not kept.
    Statistics statistics() const;

    // The focus timer.
    bool isTicking() const { return static_cast<bool>(ticker_); }
    void start(TimerMode mode, std::optional<UUID> taskID);
    void pause();
    void resume();
    void finish();
    void resetTimer();
    void setMode(TimerMode mode);
    void attach(std::optional<UUID> taskID);

    // The growth ledger and the garden. Every grant of cubes goes through grow(): task
    // creation (1 cube), completion (completionReward() each) and the merge of outside edits.
    void grow(std::int64_t amount, GainReason reason);
    std::int64_t completionReward();
    bool plant(std::uint64_t seed);
    void removeFromGarden(const UUID& treeID);
    void debugSetIteration(std::int64_t shownCubes);
    std::int64_t bonsaiGainedToday() const;

    // Largest seed a user can plant: the 53 bits a double holds exactly.
    static constexpr std::uint64_t maxSeed = (std::uint64_t{1} << 53) - 1;

  private:
    // What a deletion removed, each with its place in its array.
    struct UndoState {
        std::vector<std::pair<std::size_t, TaskList>> lists;
        std::vector<std::pair<std::size_t, TaskItem>> tasks;
    };

    void scheduleSave();
    void load(std::optional<DataFileReading> ahead);
    // Sets every value of the document; a document without a ledger leaves it alone.
    void adopt(Snapshot data);
    void adoptCurrentTreeIntoGarden();
    void repairSelectedList();
    void placeLostTasks();
    // The data file's merge of another program's document (DataFile::Content::merge).
    MergeOutcome applyExternalEdit(const std::string& bytes, const std::vector<FileWriter::Bytes>& bases,
                                   const KeepBefore& keepBefore);
    // The members this program does not know, in the parts of the document a merge otherwise
    // leaves alone: those another program added, changed or removed against `base`.
    void takeUnknownMembers(const Snapshot& theirs, const std::optional<Snapshot>& base);
    // The document of a file that could not be read at start-up (DataFile::Content::takeUp).
    void takeUp(Snapshot file);
    // Removes the tasks with these ids; a timer attached to one of them goes on unattached.
    void removeTasks(const std::unordered_set<UUID>& ids);
    // Before a deletion changes anything: keeps the tasks with these ids and the list with
    // this id, to put back on undo.
    void rememberUndo(std::string label, const std::unordered_set<UUID>& taskIDs,
                      const std::optional<UUID>& listID = std::nullopt);
    void forgetUndo();
    // An order before every top-level task of the list (their smallest, minus 1); -1 when it
    // has none. Where no number is left before the smallest, the list is numbered afresh.
    double topOrder(const UUID& listID);
    void changed();

    void syncTicker();
    void tick();
    void completePhase();
    void log(double durationSeconds, bool full);

    StoreEnvironment env_;
    std::unique_ptr<DataFile> file_;
    // The list start-up made for a store without lists.
    std::optional<UUID> startList_;
    // The document's own members that this program does not know, written back as they were.
    UnknownMembers unknown_;
    Subscription ticker_;
    // One step: recording a newer one replaces it and restarts the expiry.
    std::optional<UndoState> undoState_;
    Subscription undoExpiry_;
};

} // namespace vesk
