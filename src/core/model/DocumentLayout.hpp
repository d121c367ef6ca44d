#pragma once

#include "core/model/DocumentCoding.hpp"
#include "core/model/Snapshot.hpp"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>
#include <type_traits>
#include <vector>

namespace vesk {

class RandomSource;

// What a reader needs for the defaults that are not constants.
struct ReadContext {
    Date now;
    RandomSource* ids = nullptr;      // the kernel's source when null
    DecodeFailure* failure = nullptr; // where a reading that fails stopped, when wanted

    UUID newID() const { return ids ? UUID::random(*ids) : UUID::random(); }
};

// The keys of every persisted type, listed once for reading and writing. `visit` hands each
// field to `fields` in declared order:
//   required(key, field)            the key must be there (not null);
//   lenient(key, field)             a missing or null key keeps the field's default;
//   lenient(key, field, fallback)   ... or takes fallback(ReadContext) when the default is not
//                                   a constant. Fields read earlier are already in place.
// Optional fields are written only when set.
template <class Model> struct DocumentLayout;

template <> struct DocumentLayout<TaskList> {
    template <class Fields, class Self> static constexpr void visit(Fields& fields, Self& list) {
        fields.required("id", list.id);
        fields.required("name", list.name);
    }
};

template <> struct DocumentLayout<TaskItem> {
    template <class Fields, class Self> static constexpr void visit(Fields& fields, Self& task) {
        fields.lenient("id", task.id, [](const ReadContext& context) { return context.newID(); });
        fields.lenient("listID", task.listID, [](const ReadContext&) { return UUID::unknown; });
        fields.lenient("parentID", task.parentID);
        fields.lenient("title", task.title);
        fields.lenient("notes", task.notes);
        fields.lenient("due", task.due);
        fields.lenient("starred", task.starred);
        fields.lenient("completedAt", task.completedAt);
        fields.lenient("createdAt", task.createdAt, [](const ReadContext& context) { return context.now; });
        fields.lenient("order", task.order,
                       [](const ReadContext&) { return std::numeric_limits<double>::quiet_NaN(); });
        fields.lenient("rewarded", task.rewarded);
    }
};

template <> struct DocumentLayout<FocusSession> {
    template <class Fields, class Self> static constexpr void visit(Fields& fields, Self& session) {
        fields.required("id", session.id);
        fields.lenient("taskID", session.taskID);
        fields.lenient("taskTitle", session.taskTitle);
        fields.required("mode", session.mode);
        fields.required("start", session.start);
        fields.required("duration", session.duration);
        fields.required("fullPomodoro", session.fullPomodoro);
    }
};

template <> struct DocumentLayout<TimerState> {
    template <class Fields, class Self> static constexpr void visit(Fields& fields, Self& timer) {
        fields.lenient("mode", timer.mode);
        fields.lenient("phase", timer.phase);
        fields.lenient("taskID", timer.taskID);
        fields.lenient("accumulated", timer.accumulated);
        fields.lenient("runningSince", timer.runningSince);
        fields.lenient("segmentStart", timer.segmentStart);
    }
};

template <> struct DocumentLayout<Prefs> {
    template <class Fields, class Self> static constexpr void visit(Fields& fields, Self& prefs) {
        fields.lenient("focusMinutes", prefs.focusMinutes);
        fields.lenient("breakMinutes", prefs.breakMinutes);
        fields.lenient("autoStartBreak", prefs.autoStartBreak);
        fields.lenient("sound", prefs.sound);
        fields.lenient("selectedListID", prefs.selectedListID);
        fields.lenient("starredView", prefs.starredView);
        fields.lenient("sortByDate", prefs.sortByDate);
        fields.lenient("growthReveal", prefs.growthReveal);
        fields.lenient("onboarded", prefs.onboarded);
    }
};

template <> struct DocumentLayout<BonsaiGain> {
    template <class Fields, class Self> static constexpr void visit(Fields& fields, Self& gain) {
        fields.required("date", gain.date);
        fields.required("amount", gain.amount);
        fields.required("reason", gain.reason);
    }
};

template <> struct DocumentLayout<GardenTree> {
    template <class Fields, class Self> static constexpr void visit(Fields& fields, Self& tree) {
        fields.required("id", tree.id);
        fields.required("seed", tree.seed);
        fields.required("plantedAt", tree.plantedAt);
        fields.required("cubesGrown", tree.cubesGrown);
    }
};

template <> struct DocumentLayout<BonsaiProgress> {
    template <class Fields, class Self> static constexpr void visit(Fields& fields, Self& bonsai) {
        fields.lenient("seed", bonsai.seed);
        fields.lenient("gains", bonsai.gains);
        fields.lenient("garden", bonsai.garden);
        // The first tree is free, so a garden of n trees has had n - 1 seedlings planted.
        fields.lenient("seedlingsPlanted", bonsai.seedlingsPlanted, [&bonsai](const ReadContext&) {
            return std::max<std::int64_t>(static_cast<std::int64_t>(bonsai.garden.size()) - 1, 0);
        });
        fields.lenient("pending", bonsai.pending);
        fields.lenient("iteration", bonsai.legacyIteration);
    }
};

template <> struct DocumentLayout<Snapshot> {
    template <class Fields, class Self> static constexpr void visit(Fields& fields, Self& snapshot) {
        fields.required("lists", snapshot.lists);
        fields.required("tasks", snapshot.tasks);
        fields.required("sessions", snapshot.sessions);
        fields.required("timer", snapshot.timer);
        fields.required("prefs", snapshot.prefs);
        fields.lenient("bonsai", snapshot.bonsai);
    }
};

template <> struct DocumentLayout<ListsAndTasks> {
    template <class Fields, class Self> static constexpr void visit(Fields& fields, Self& edit) {
        fields.lenient("lists", edit.lists);
        fields.lenient("tasks", edit.tasks);
    }
};

// The keys a layout visits, in its order.
struct LayoutKeys {
    std::vector<std::string_view> keys;
    template <class T> void required(const char* name, T&) { keys.push_back(name); }
    template <class T> void lenient(const char* name, T&) { keys.push_back(name); }
    template <class T, class Fallback> void lenient(const char* name, T&, Fallback) { keys.push_back(name); }
};

// Whether a key of a Model's object is one this program knows: one of its layout's, or, for
// the lists and tasks of a document, any key of the whole document.
template <class Model> bool knowsKey(std::string_view key) {
    using Whole = std::conditional_t<std::is_same_v<Model, ListsAndTasks>, Snapshot, Model>;
    static const std::vector<std::string_view> known = [] {
        LayoutKeys names;
        Whole model{};
        DocumentLayout<Whole>::visit(names, model);
        return names.keys;
    }();
    return std::find(known.begin(), known.end(), key) != known.end();
}

} // namespace vesk
