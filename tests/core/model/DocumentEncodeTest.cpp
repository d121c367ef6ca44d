#include "core/model/DocumentCoding.hpp"
#include "core/model/DocumentReader.hpp"
#include "core/model/IsoDate.hpp"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <nlohmann/json.hpp>

namespace vesk {
namespace {

using nlohmann::json;

const Date now = dateFromUnixSeconds(1'773'057'600);
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

Snapshot sampleSnapshot() {
    Snapshot snapshot;
    const UUID list = *UUID::parse("0f8e2c4a-1b3d-4e5f-a6b7-c8d9e0f1a2b3");
    snapshot.lists.push_back({list, "Home"});
    TaskItem parent{.id = UUID::random(), .listID = list, .title = "Parent", .createdAt = now, .order = 1};
    TaskItem child{.id = UUID::random(),
                   .listID = list,
                   .parentID = parent.id,
                   .title = "Child",
                   .notes = "line one\nline \"two\"",
                   .due = now + std::chrono::hours(24),
                   .starred = true,
                   .completedAt = now + std::chrono::milliseconds(1500),
                   .createdAt = now,
                   .order = 0.1,
                   .rewarded = false};
    snapshot.tasks = {parent, child};
    snapshot.sessions.push_back({.id = UUID::random(),
                                 .taskID = parent.id,
                                 .taskTitle = "Parent",
                                 .mode = TimerMode::pomodoro,
                                 .start = now,
                                 .duration = 1500,
                                 .fullPomodoro = true});
    snapshot.timer = {
        .mode = TimerMode::stopwatch, .taskID = parent.id, .accumulated = 3.25, .runningSince = now};
    snapshot.prefs.selectedListID = list;
    BonsaiProgress bonsai;
    bonsai.seed = 42;
    bonsai.gains.push_back({now, 3, GainReason::completed});
    bonsai.garden.push_back({UUID::random(), 42, now, 3});
    snapshot.bonsai = bonsai;
    return snapshot;
}

std::vector<std::string> keys(const std::string& bytes, const std::vector<std::string>& path = {}) {
    // An ordered_json keeps the keys in the order they were written.
    nlohmann::ordered_json value = nlohmann::ordered_json::parse(bytes);
    for (const std::string& step : path)
        value = value.is_array() ? value[std::stoul(step)] : value[step];
    std::vector<std::string> result;
    for (const auto& item : value.items())
        result.push_back(item.key());
    return result;
}

TEST(DocumentEncodeTest, WritesSortedPrettyDeterministicJson) {
    const Snapshot snapshot = sampleSnapshot();
    const std::string bytes = encodeSnapshot(snapshot);
    EXPECT_EQ(bytes, encodeSnapshot(snapshot));
    EXPECT_TRUE(bytes.starts_with("{\n  \"bonsai\": {\n    \"gains\": ["));

    EXPECT_EQ(keys(bytes),
              (std::vector<std::string>{"bonsai", "lists", "prefs", "sessions", "tasks", "timer"}));
    EXPECT_EQ(keys(bytes, {"tasks", "1"}),
              (std::vector<std::string>{"completedAt", "createdAt", "due", "id", "listID", "notes", "order",
                                        "parentID", "rewarded", "starred", "title"}));
    EXPECT_EQ(
        keys(bytes, {"sessions", "0"}),
        (std::vector<std::string>{"duration", "fullPomodoro", "id", "mode", "start", "taskID", "taskTitle"}));
    // Unset optionals are left out; "bonsai" loses its "iteration", the parent its parent.
    EXPECT_EQ(keys(bytes, {"bonsai"}),
              (std::vector<std::string>{"gains", "garden", "pending", "seed", "seedlingsPlanted"}));
    EXPECT_EQ(keys(bytes, {"tasks", "0"}),
              (std::vector<std::string>{"createdAt", "id", "listID", "notes", "order", "starred", "title"}));
    EXPECT_EQ(keys(bytes, {"timer"}),
              (std::vector<std::string>{"accumulated", "mode", "phase", "runningSince", "taskID"}));

    const json document = json::parse(bytes);
    EXPECT_EQ(document["tasks"][1]["completedAt"], "2026-03-09T12:00:01Z");
    EXPECT_EQ(document["tasks"][1]["rewarded"], false);
    EXPECT_EQ(document["lists"][0]["id"], "0F8E2C4A-1B3D-4E5F-A6B7-C8D9E0F1A2B3");
    EXPECT_TRUE(document["bonsai"]["seed"].is_number_unsigned());
    EXPECT_TRUE(document["prefs"]["focusMinutes"].is_number_integer());
}

TEST(DocumentEncodeTest, ReadingWhatWasWrittenGivesTheSameModelAndBytes) {
    Snapshot snapshot = sampleSnapshot();
    snapshot.tasks[0].order = 1e-300;
    snapshot.tasks[1].order = -123456789.123456789;
    snapshot.bonsai->seed = UINT64_MAX;
    snapshot.bonsai->pending = INT64_MIN;
    const std::string bytes = encodeSnapshot(snapshot);
    const auto back = decodeSnapshot(bytes, now);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->lists, snapshot.lists);
    // Dates come back in whole seconds.
    snapshot.tasks[1].completedAt = now + std::chrono::seconds(1);
    EXPECT_EQ(back->tasks, snapshot.tasks);
    EXPECT_EQ(back->sessions, snapshot.sessions);
    EXPECT_EQ(back->timer, snapshot.timer);
    EXPECT_EQ(back->prefs, snapshot.prefs);
    EXPECT_EQ(back->bonsai, snapshot.bonsai);
    EXPECT_EQ(encodeSnapshot(*back), bytes);
}

TEST(DocumentEncodeTest, MembersThisProgramDoesNotKnowAreWrittenBackWhereTheyWere) {
    // Another program's fields at every level, with values of every kind.
    json doc = json::parse(encodeSnapshot(sampleSnapshot()));
    doc["version"] = 3;
    doc["lists"][0]["syncID"] = "list-7";
    doc["tasks"][0]["tags"] = json::array({"home", json::object({{"z", 1}, {"a", json::array()}})});
    doc["tasks"][1]["x-empty"] = json::object();
    doc["sessions"][0]["device"] = json::object({{"name", "phone \u00e9"}, {"big", 1.5e300}});
    doc["timer"]["sound"] = "bell";
    doc["prefs"]["theme"] = nullptr;
    doc["bonsai"]["note"] = -12;
    doc["bonsai"]["gains"][0]["why"] = true;
    doc["bonsai"]["garden"][0]["photo"] = "tree.png";
    const auto read = decodeSnapshot(doc.dump(), now);
    ASSERT_TRUE(read);
    const std::string bytes = encodeSnapshot(*read);
    EXPECT_EQ(json::parse(bytes), doc);
    // Among the rest, keys in order; compact, on their keys' lines.
    EXPECT_NE(bytes.find("\n      \"tags\": [\"home\",{\"a\":[],\"z\":1}],\n"), std::string::npos) << bytes;
    EXPECT_EQ(keys(bytes), (std::vector<std::string>{"bonsai", "lists", "prefs", "sessions", "tasks", "timer",
                                                     "version"}));
    // Read again, the model is the same.
    const auto again = decodeSnapshot(bytes, now);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->tasks, read->tasks);
    EXPECT_EQ(again->unknown, read->unknown);
    EXPECT_EQ(again->bonsai, read->bonsai);
}

// A minimal document whose member "x", unknown to this program, nests `levels` arrays; `before`
// goes ahead of it.
std::string nestedMember(std::size_t levels, const std::string& before = "") {
    return R"({"lists":[],"tasks":[],"sessions":[],"timer":{},"prefs":{},)" + before +
           "\"x\":" + std::string(levels, '[') + std::string(levels, ']') + "}";
}

TEST(DocumentEncodeTest, DeepNestingIsRefusedAndAnyKeptIsWrittenBackCompact) {
    // As deep as a document may be, the document itself counting: kept, and written back whole
    // at about the size it was read (indented by depth it took megabytes).
    const std::string deepest = nestedMember(maximumNesting - 1);
    const auto read = decodeSnapshot(deepest, now);
    ASSERT_TRUE(read);
    const std::string bytes = encodeSnapshot(*read);
    EXPECT_LE(bytes.size(), encodeSnapshot(*decodeSnapshot(nestedMember(1), now)).size() + deepest.size());
    const auto again = decodeSnapshot(bytes, now);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->unknown, read->unknown);
    // One level more is refused, and so are 100,000, which once overflowed the stack; by the
    // tree reader too, which takes a document with a key given twice.
    for (const std::size_t levels : {maximumNesting, std::size_t{100'000}}) {
        DecodeFailure failure;
        EXPECT_FALSE(decodeSnapshot(nestedMember(levels), now, nullptr, &failure)) << levels;
        EXPECT_EQ(failure.reason, "nested more than 512 levels deep");
        EXPECT_FALSE(decodeListsAndTasks(nestedMember(levels), now)) << levels;
        EXPECT_FALSE(decodeSnapshot(nestedMember(levels, R"("lists":[],)"), now)) << levels;
        EXPECT_FALSE(decodeListsAndTasks(nestedMember(levels, R"("tasks":[],)"), now)) << levels;
    }
}

TEST(DocumentEncodeTest, LegacyIterationIsWrittenOnlyWhileSet) {
    Snapshot snapshot = sampleSnapshot();
    snapshot.bonsai->legacyIteration = 40;
    EXPECT_EQ(json::parse(encodeSnapshot(snapshot))["bonsai"]["iteration"], 40);
    snapshot.bonsai->legacyIteration.reset();
    EXPECT_FALSE(json::parse(encodeSnapshot(snapshot))["bonsai"].contains("iteration"));
    snapshot.bonsai.reset();
    EXPECT_FALSE(json::parse(encodeSnapshot(snapshot)).contains("bonsai"));
}

TEST(DocumentEncodeTest, NumbersThatAreNotFiniteNeverBecomeNull) {
    Snapshot snapshot = sampleSnapshot();
    snapshot.tasks[0].order = nan;
    snapshot.tasks[1].order = -infinity;
    snapshot.sessions[0].duration = nan;
    snapshot.timer.accumulated = infinity;
    const std::string bytes = encodeSnapshot(snapshot);
    EXPECT_EQ(bytes.find("null"), std::string::npos);
    const json document = json::parse(bytes);
    EXPECT_FALSE(document["tasks"][0].contains("order"));
    EXPECT_EQ(document["sessions"][0]["duration"], 0.0);
    EXPECT_FALSE(document["timer"].contains("accumulated"));

    const auto back = decodeSnapshot(bytes, now);
    ASSERT_TRUE(back);
    EXPECT_TRUE(std::isnan(back->tasks[0].order));
    EXPECT_TRUE(std::isnan(back->tasks[1].order));
    EXPECT_EQ(back->tasks[0], snapshot.tasks[0]);
    EXPECT_EQ(back->sessions[0].duration, 0.0);
    EXPECT_EQ(back->timer.accumulated, 0.0);
    EXPECT_EQ(encodeSnapshot(*back), encodeSnapshot(*back));
}

TEST(DocumentEncodeTest, InvalidUtf8InATextStillSaves) {
    Snapshot snapshot = sampleSnapshot();
    snapshot.tasks[0].title = "caf\xC3\xA9 \xFF\xFE end";
    snapshot.lists[0].name = "\xE2\x82"; // cut off in the middle of a character
    const std::string bytes = encodeSnapshot(snapshot);
    const auto back = decodeSnapshot(bytes, now);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->tasks[0].title.substr(0, 6), "caf\xC3\xA9 ");
    EXPECT_NE(back->tasks[0].title.find("\xEF\xBF\xBD"), std::string::npos); // U+FFFD
    EXPECT_NE(back->tasks[0].title.find(" end"), std::string::npos);
    EXPECT_EQ(back->lists[0].name, "\xEF\xBF\xBD");
}

TEST(DocumentEncodeTest, DatesAreClampedToWhatTheReaderAccepts) {
    Snapshot snapshot = sampleSnapshot();
    snapshot.tasks[0].due = Date::min();
    snapshot.tasks[0].createdAt = Date::max();
    const auto back = decodeSnapshot(encodeSnapshot(snapshot), now);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->tasks[0].due, IsoDate::earliest);
    EXPECT_EQ(back->tasks[0].createdAt, IsoDate::latest);
}

} // namespace
} // namespace vesk
