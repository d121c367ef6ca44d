// Merging an outside edit of the data file (an editor, jq, a sync tool): what it changed in the
// lists and tasks against the document it was based on is taken, tasks with repairs, and what it
// created or completed grows the bonsai as if done in the program; what the app changed since
// stays. Everything else in the file is the store's and is written back, but for the members
// this program does not know. A merge that removes what the store holds, or puts back a change
// the app made since the base, keeps the document as it stood beside the file first.
#include "core/model/DocumentCoding.hpp"
#include "core/model/FieldVisit.hpp"
#include "core/model/TaskOrder.hpp"
#include "core/model/TaskPlaces.hpp"
#include "core/model/TaskViews.hpp"
#include "core/store/RepeatedIDs.hpp"
#include "core/store/Store.hpp"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

namespace vesk {

namespace {

// The first element with each id, as a lookup finds it.
template <class Item> std::unordered_map<UUID, const Item*> firstByID(const std::vector<Item>& items) {
    std::unordered_map<UUID, const Item*> found;
    found.reserve(items.size());
    for (const Item& item : items)
        found.try_emplace(item.id, &item);
    return found;
}

template <class Item> const Item* lookUp(const std::unordered_map<UUID, const Item*>& found, const UUID& id) {
    const auto entry = found.find(id);
    return entry == found.end() ? nullptr : entry->second;
}

// The document's own members this program does not know: each the edit added, changed or
// removed against the base is taken.
void takeChanged(UnknownMembers& ours, const UnknownMembers& theirs, const UnknownMembers& base) {
    for (const auto& [key, value] : theirs)
        if (const auto was = base.find(key); was == base.end() || was->second != value) ours[key] = value;
    for (const auto& [key, value] : base)
        if (!theirs.contains(key)) ours.erase(key);
}

// Where the edit changed a field against the base, its value; elsewhere the app's.
template <class Item> void takeChanged(Item& ours, const Item& theirs, const Item& base) {
    eachField(
        ours,
        [](const char*, auto& mine, const auto& edited, const auto& was) {
            if (!sameValue(edited, was)) mine = edited;
        },
        theirs, base);
    takeChanged(ours.unknown, theirs.unknown, base.unknown);
}

// The members of each item this program does not know, merged by id; the rest stays the app's.
template <class Item>
void takeChangedUnknown(std::vector<Item>& ours, const std::vector<Item>& theirs,
                        const std::vector<Item>& base) {
    const auto edited = firstByID(theirs);
    const auto based = firstByID(base);
    for (Item& item : ours)
        if (const Item* edit = lookUp(edited, item.id)) {
            static const UnknownMembers none;
            const Item* was = lookUp(based, item.id);
            takeChanged(item.unknown, edit->unknown, was ? was->unknown : none);
        }
}

// The edit's items in its order, merged three ways: one it holds and the base held takes its
// changes over the app's item; one the app removed since the base stays removed unless the edit
// changed it. Then the app's items created since the base; one the base held and the edit lacks
// was removed by the other program.
template <class Item>
std::vector<Item> mergeThreeWays(const std::vector<Item>& ours, std::vector<Item> theirs,
                                 const std::vector<Item>& base) {
    const auto held = firstByID(ours);
    const auto based = firstByID(base);
    std::unordered_set<UUID> inEdit;
    std::vector<Item> merged;
    merged.reserve(theirs.size());
    for (Item& item : theirs) {
        inEdit.insert(item.id);
        const Item* mine = lookUp(held, item.id);
        const Item* old = lookUp(based, item.id);
        if (mine && old) {
            Item result = *mine;
            takeChanged(result, item, *old);
            merged.push_back(std::move(result));
        } else if (mine || !old || !(item == *old)) {
            merged.push_back(std::move(item));
        }
    }
    for (const Item& mine : ours)
        if (!inEdit.contains(mine.id) && !based.contains(mine.id)) merged.push_back(mine);
    return merged;
}

// How many items of the two arrays differ: held by one only, or held by both and unequal.
template <class Item>
std::size_t differences(const std::vector<Item>* edited, const std::optional<std::vector<Item>>& base) {
    if (!edited) return 0; // the edit leaves them alone
    static const std::vector<Item> none;
    const std::vector<Item>& before = base ? *base : none;
    const auto old = firstByID(before);
    std::size_t count = 0;
    std::size_t common = 0;
    for (const Item& item : *edited) {
        const Item* was = lookUp(old, item.id);
        if (was) ++common;
        if (!was || !(item == *was)) ++count;
    }
    return count + (before.size() - std::min(common, before.size()));
}

// The document the edit was based on: of the bases, the one it differs least from, the likeliest
// first among equals; nothing when none decodes.
std::optional<std::pair<std::size_t, ListsAndTasks>>
likeliestBase(const std::string& bytes, const ListsAndTasks& edit,
              const std::vector<FileWriter::Bytes>& bases, Date instant) {
    std::optional<std::pair<std::size_t, ListsAndTasks>> best;
    std::size_t fewest = 0;
    // An empty "lists" leaves the lists alone, as a missing one does.
    const auto* lists = edit.lists && !edit.lists->empty() ? &*edit.lists : nullptr;
    const auto* tasks = edit.tasks ? &*edit.tasks : nullptr;
    for (std::size_t index = 0; index < bases.size(); ++index) {
        if (!bases[index]) continue;
        auto base = decodeListsAndTasks(*bases[index], instant);
        // Only a whole list of lists and of tasks tells what an edit changed.
        if (!base || !base->lists || !base->tasks) continue;
        // As the store has them.
        giveRepeatsOwnIDs(*base->lists);
        giveRepeatsOwnIDs(*base->tasks);
        // The very bytes of one: written back unchanged.
        const std::size_t count =
            *bases[index] == bytes ? 0 : differences(lists, base->lists) + differences(tasks, base->tasks);
        if (!best || count < fewest) {
            best.emplace(index, std::move(*base));
            fewest = count;
        }
        if (fewest == 0) break;
    }
    return best;
}

// The ids the store held and the merged arrays lack.
template <class Item>
std::size_t removedFrom(const std::vector<Item>& held, const std::vector<Item>& merged) {
    std::unordered_set<UUID> kept;
    for (const Item& item : merged)
        kept.insert(item.id);
    std::unordered_set<UUID> gone;
    for (const Item& item : held)
        if (!kept.contains(item.id)) gone.insert(item.id);
    return gone.size();
}

std::string nameOf(const TaskItem& task) {
    return "\"" + (task.title.empty() ? std::string("Untitled") : task.title) + "\"";
}

std::string nameOf(const TaskList& list) {
    return "the list \"" + list.name + "\"";
}

// The app's changes since the base that the merged items do not hold: fields it changed that
// have other values now, and items it removed that are back. One entry per item, naming it
// and the keys of the fields.
template <class Item>
void notePutBack(const std::vector<Item>& held, const std::vector<Item>& merged,
                 const std::vector<Item>& base, std::vector<std::string>& putBack) {
    const auto mine = firstByID(held);
    const auto based = firstByID(base);
    std::unordered_set<UUID> seen;
    for (const Item& item : merged) {
        if (!seen.insert(item.id).second) continue;
        const Item* ours = lookUp(mine, item.id);
        const Item* was = lookUp(based, item.id);
        if (!ours) {
            if (was) putBack.push_back(nameOf(item) + " (removed in Vesk)");
            continue;
        }
        std::string keys;
        eachField(
            item,
            [&](const char* key, const auto& now, const auto& app, const auto& before) {
                if (!sameWritten(now, app) && (!was || !sameWritten(app, before)))
                    keys += (keys.empty() ? "" : ", ") + std::string(key);
            },
            *ours, was ? *was : *ours);
        if (!keys.empty()) putBack.push_back(nameOf(*ours) + " (" + keys + ")");
    }
}

} // namespace

MergeOutcome Store::applyExternalEdit(const std::string& bytes, const std::vector<FileWriter::Bytes>& bases,
                                      const KeepBefore& keepBefore) {
    const auto hold = changes_.hold();
    const Date instant = env_.clock.now();
    // The whole document when it is one, for the members this program does not know in the
    // parts the merge otherwise leaves alone.
    std::optional<Snapshot> document = decodeSnapshot(bytes, instant, &env_.random);
    std::optional<ListsAndTasks> edit;
    if (document)
        edit = ListsAndTasks{std::move(document->lists), std::move(document->tasks), document->unknown};
    else
        edit = decodeListsAndTasks(bytes, instant, &env_.random);
    if (!edit) return {MergeOutcome::Status::undecodable};
    const bool whole = edit->lists && edit->tasks;
    partRepeatedIDs(edit->lists ? &*edit->lists : nullptr, edit->tasks ? &*edit->tasks : nullptr, path());
    // Without a document to compare with, nothing the app holds counts as removed by the edit.
    auto found = likeliestBase(bytes, *edit, bases, instant);
    const std::size_t baseIndex = found ? found->first : 0;
    std::optional<ListsAndTasks> before;
    if (found) before = std::move(found->second);
    if (!before) before.emplace();
    const std::vector<TaskList> noLists;
    const std::vector<TaskItem> noTasks;
    const std::vector<TaskList>& baseLists = before->lists ? *before->lists : noLists;
    const std::vector<TaskItem>& baseTasks = before->tasks ? *before->tasks : noTasks;

    const bool newLists = edit->lists && !edit->lists->empty();
    std::vector<TaskList> mergedLists =
        newLists ? mergeThreeWays(lists.get(), std::move(*edit->lists), baseLists) : lists.get();
    std::optional<std::vector<TaskItem>> edited;
    if (edit->tasks) {
        edited = mergeThreeWays(tasks.get(), std::move(*edit->tasks), baseTasks);
        repairListsAndParents(*edited, newLists ? mergedLists : lists.get());
        repairMissingOrders(*edited);
    }

    // Nothing the store holds goes without a trace: the document as it stands is kept first.
    MergeLoss loss;
    loss.lists = removedFrom(lists.get(), mergedLists);
    loss.tasks = edited ? removedFrom(tasks.get(), *edited) : 0;
    notePutBack(lists.get(), mergedLists, baseLists, loss.putBack);
    if (edited) notePutBack(tasks.get(), *edited, baseTasks, loss.putBack);
    if (loss.any() &&
        !keepBefore(encodeSnapshot(SnapshotParts{lists.get(), tasks.get(), sessions.get(), timer.get(),
                                                 prefs.get(), bonsai.get(), unknown_}),
                    loss))
        return {MergeOutcome::Status::deferred, baseIndex};

    if (newLists) lists.set(std::move(mergedLists));
    takeChanged(unknown_, edit->unknown, before->unknown);
    if (document)
        takeUnknownMembers(*document, found ? decodeSnapshot(*bases[found->first], instant) : std::nullopt);

    if (edited) {
        const auto held = firstByID(tasks.get());
        const auto heldTask = [&](const UUID& id) { return lookUp(held, id); };
        // Completed in the file, and not in the store.
        const auto completedHere = [&](const TaskItem& item) {
            const TaskItem* before = heldTask(item.id);
            return item.completedAt && (!before || !before->completedAt);
        };

        // As in the program, completing a task completes its open subtasks.
        std::unordered_set<UUID> newlyCompleted;
        for (const TaskItem& item : *edited)
            if (completedHere(item)) newlyCompleted.insert(item.id);
        for (TaskItem& item : *edited)
            if (!item.completedAt && item.parentID && newlyCompleted.contains(*item.parentID))
                item.completedAt = instant;

        std::int64_t created = 0;
        std::int64_t reward = 0;
        for (TaskItem& item : *edited) {
            if (!heldTask(item.id)) ++created;
            if (completedHere(item) && !item.rewarded.value_or(false)) {
                item.rewarded = true;
                reward += completionReward();
            }
        }
        tasks.set(std::move(*edited));
        if (created > 0) grow(created, GainReason::created);
        if (reward > 0) grow(reward, GainReason::completed);
    } else if (newLists) {
        // New lists without tasks: the tasks the store keeps must not point at a list that is gone,
        // or they would vanish from every view; they move to the first list.
        std::unordered_set<UUID> listIDs;
        for (const TaskList& list : lists.get())
            listIDs.insert(list.id);
        const UUID first = lists.get().front().id;
        tasks.update([&](std::vector<TaskItem>& all) {
            for (TaskItem& item : all)
                if (!listIDs.contains(item.listID)) item.listID = first;
        });
    }

    repairSelectedList();
    if (const auto timed = timer.get().taskID; timed && !taskWithID(tasks.get(), *timed))
        timer.update([](TimerState& state) { state.taskID.reset(); });
    forgetUndo();
    changed();
    return {MergeOutcome::Status::merged, baseIndex, whole};
}

void Store::takeUnknownMembers(const Snapshot& theirs, const std::optional<Snapshot>& base) {
    static const Snapshot none;
    const Snapshot& was = base ? *base : none;
    prefs.update([&](Prefs& value) { takeChanged(value.unknown, theirs.prefs.unknown, was.prefs.unknown); });
    timer.update(
        [&](TimerState& value) { takeChanged(value.unknown, theirs.timer.unknown, was.timer.unknown); });
    sessions.update(
        [&](std::vector<FocusSession>& all) { takeChangedUnknown(all, theirs.sessions, was.sessions); });
    if (!theirs.bonsai) return;
    static const BonsaiProgress noLedger;
    const BonsaiProgress& ledger = was.bonsai ? *was.bonsai : noLedger;
    bonsai.update([&](BonsaiProgress& value) {
        takeChanged(value.unknown, theirs.bonsai->unknown, ledger.unknown);
        takeChangedUnknown(value.garden, theirs.bonsai->garden, ledger.garden);
    });
}

} // namespace vesk
