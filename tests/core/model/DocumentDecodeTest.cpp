#include "core/model/DocumentCoding.hpp"
#include "core/model/IsoDate.hpp"
#include "support/FakeRandom.hpp"

#include <cmath>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace vesk {
namespace {

using nlohmann::json;

const Date readingTime = dateFromUnixSeconds(1'773'057'600.25);
const char* const listID = "0F8E2C4A-1B3D-4E5F-A6B7-C8D9E0F1A2B3";
const char* const taskID = "1A2B3C4D-5E6F-4A1B-8C2D-3E4F5A6B7C8D";

json minimalDocument() {
    return {{"lists", json::array()},
            {"tasks", json::array()},
            {"sessions", json::array()},
            {"timer", json::object()},
            {"prefs", json::object()}};
}

json fullDocument() {
    json document = minimalDocument();
    document["lists"].push_back({{"id", listID}, {"name", "Home"}});
    document["tasks"].push_back({{"id", taskID},
                                 {"listID", listID},
                                 {"title", "Water plants"},
                                 {"notes", "the ficus"},
                                 {"due", "2026-03-10T00:00:00Z"},
                                 {"starred", true},
                                 {"completedAt", "2026-03-09T10:00:00Z"},
                                 {"createdAt", "2026-03-01T08:30:00Z"},
                                 {"order", -2.5},
                                 {"rewarded", true}});
    document["sessions"].push_back({{"id", "2B3C4D5E-6F7A-4B8C-9D0E-1F2A3B4C5D6E"},
                                    {"taskID", taskID},
                                    {"taskTitle", "Water plants"},
                                    {"mode", "stopwatch"},
                                    {"start", "2026-03-09T09:00:00Z"},
                                    {"duration", 1500},
                                    {"fullPomodoro", false}});
    document["timer"] = {{"mode", "stopwatch"},
                         {"phase", "rest"},
                         {"taskID", taskID},
                         {"accumulated", 12.5},
                         {"runningSince", "2026-03-09T11:00:00Z"},
                         {"segmentStart", "2026-03-09T10:59:00Z"}};
    document["bonsai"] = {
        {"seed", 18446744073709551615ULL},
        {"gains", {{{"date", "2026-03-01T08:30:00Z"}, {"amount", 3}, {"reason", "completed"}}}},
        {"garden",
         {{{"id", "3C4D5E6F-7A8B-4C9D-8E0F-1A2B3C4D5E6F"},
           {"seed", 42},
           {"plantedAt", "2026-03-01T08:00:00Z"},
           {"cubesGrown", 3}}}},
        {"pending", 7},
        {"extra", "ignored"}};
    return document;
}

std::optional<Snapshot> decode(const json& document) {
    return decodeSnapshot(document.dump(), readingTime);
}

TEST(DocumentDecodeTest, ReadsEveryField) {
    const auto snapshot = decode(fullDocument());
    ASSERT_TRUE(snapshot);
    ASSERT_EQ(snapshot->lists.size(), 1u);
    EXPECT_EQ(snapshot->lists[0], (TaskList{*UUID::parse(listID), "Home"}));
    ASSERT_EQ(snapshot->tasks.size(), 1u);
    const TaskItem& task = snapshot->tasks[0];
    EXPECT_EQ(task.id, UUID::parse(taskID));
    EXPECT_EQ(task.listID, UUID::parse(listID));
    EXPECT_FALSE(task.parentID);
    EXPECT_EQ(task.title, "Water plants");
    EXPECT_EQ(task.due, IsoDate::parse("2026-03-10T00:00:00Z"));
    EXPECT_TRUE(task.starred);
    EXPECT_EQ(task.completedAt, IsoDate::parse("2026-03-09T10:00:00Z"));
    EXPECT_EQ(task.order, -2.5);
    EXPECT_EQ(task.rewarded, true);
    const FocusSession& session = snapshot->sessions.at(0);
    EXPECT_EQ(session.mode, TimerMode::stopwatch);
    EXPECT_EQ(session.duration, 1500.0);
    EXPECT_EQ(session.taskTitle, "Water plants");
    EXPECT_EQ(snapshot->timer.phase, PomoPhase::rest);
    EXPECT_EQ(snapshot->timer.accumulated, 12.5);
    EXPECT_EQ(snapshot->timer.segmentStart, IsoDate::parse("2026-03-09T10:59:00Z"));
    ASSERT_TRUE(snapshot->bonsai);
    EXPECT_EQ(snapshot->bonsai->seed, UINT64_MAX);
    EXPECT_EQ(snapshot->bonsai->gains.at(0).reason, GainReason::completed);
    EXPECT_EQ(snapshot->bonsai->garden.at(0).cubesGrown, 3);
    EXPECT_EQ(snapshot->bonsai->seedlingsPlanted, 0);
    EXPECT_EQ(snapshot->bonsai->pending, 7);
}

TEST(DocumentDecodeTest, LenientObjectsFillTheirDefaults) {
    json document = minimalDocument();
    document["tasks"].push_back(json::object());
    document["prefs"] = {{"focusMinutes", 50}};
    document["bonsai"] = json::object();
    test::FakeRandom ids({0x1111111111111111ULL, 0x2222222222222222ULL});
    const auto snapshot = decodeSnapshot(document.dump(), readingTime, &ids);
    ASSERT_TRUE(snapshot);

    const TaskItem& task = snapshot->tasks.at(0);
    EXPECT_EQ(task.id.uuidString(), "11111111-1111-4111-A222-222222222222");
    EXPECT_EQ(task.listID, UUID::unknown);
    EXPECT_FALSE(task.parentID || task.due || task.completedAt || task.rewarded);
    EXPECT_TRUE(task.title.empty() && task.notes.empty());
    EXPECT_FALSE(task.starred);
    EXPECT_EQ(task.createdAt, readingTime);
    EXPECT_TRUE(std::isnan(task.order));

    EXPECT_EQ(snapshot->timer, TimerState{});
    Prefs expected;
    expected.focusMinutes = 50;
    EXPECT_EQ(snapshot->prefs, expected);
    EXPECT_EQ(snapshot->bonsai, BonsaiProgress{});
}

TEST(DocumentDecodeTest, BonsaiIsOptionalAndDefaultsPlantedFromItsGarden) {
    const auto withoutBonsai = decode(minimalDocument());
    ASSERT_TRUE(withoutBonsai);
    EXPECT_FALSE(withoutBonsai->bonsai);
    EXPECT_EQ(withoutBonsai->prefs, Prefs{});

    const json tree = {{"id", listID}, {"seed", 9}, {"plantedAt", "2026-03-01T08:00:00Z"}, {"cubesGrown", 0}};
    json document = minimalDocument();
    document["bonsai"] = {{"garden", {tree, tree, tree}}, {"iteration", 40}};
    auto snapshot = decode(document);
    ASSERT_TRUE(snapshot && snapshot->bonsai);
    EXPECT_EQ(snapshot->bonsai->seedlingsPlanted, 2);
    EXPECT_EQ(snapshot->bonsai->legacyIteration, 40);

    document["bonsai"]["garden"] = {tree};
    document["bonsai"]["seedlingsPlanted"] = nullptr;
    snapshot = decode(document);
    ASSERT_TRUE(snapshot && snapshot->bonsai);
    EXPECT_EQ(snapshot->bonsai->seedlingsPlanted, 0);

    document["bonsai"]["seedlingsPlanted"] = 5;
    EXPECT_EQ(decode(document)->bonsai->seedlingsPlanted, 5);
}

TEST(DocumentDecodeTest, NullCountsAsMissing) {
    json document = fullDocument();
    document["tasks"][0]["starred"] = nullptr;
    document["tasks"][0]["completedAt"] = nullptr;
    document["sessions"][0]["taskID"] = nullptr;
    document["bonsai"] = nullptr;
    const auto snapshot = decode(document);
    ASSERT_TRUE(snapshot);
    EXPECT_FALSE(snapshot->tasks[0].starred);
    EXPECT_FALSE(snapshot->tasks[0].completedAt);
    EXPECT_FALSE(snapshot->sessions[0].taskID);
    EXPECT_FALSE(snapshot->bonsai);

    document["lists"][0]["name"] = nullptr;
    EXPECT_FALSE(decode(document));
}

// Each case breaks one rule of an otherwise readable document; all of it must then be refused.
TEST(DocumentDecodeTest, AnyBrokenRuleRejectsTheWholeDocument) {
    const std::vector<std::pair<std::string, std::function<void(json&)>>> breaks = {
        {"no lists", [](json& d) { d.erase("lists"); }},
        {"no timer", [](json& d) { d.erase("timer"); }},
        {"prefs null", [](json& d) { d["prefs"] = nullptr; }},
        {"list without name", [](json& d) { d["lists"][0].erase("name"); }},
        {"list without id", [](json& d) { d["lists"][0].erase("id"); }},
        {"session without fullPomodoro", [](json& d) { d["sessions"][0].erase("fullPomodoro"); }},
        {"session without duration", [](json& d) { d["sessions"][0].erase("duration"); }},
        {"gain without amount", [](json& d) { d["bonsai"]["gains"][0].erase("amount"); }},
        {"tree without seed", [](json& d) { d["bonsai"]["garden"][0].erase("seed"); }},
        {"reason in the wrong case", [](json& d) { d["bonsai"]["gains"][0]["reason"] = "Completed"; }},
        {"unknown mode", [](json& d) { d["timer"]["mode"] = "countdown"; }},
        {"fractional date", [](json& d) { d["tasks"][0]["due"] = "2026-03-10T00:00:00.5Z"; }},
        {"offset date", [](json& d) { d["sessions"][0]["start"] = "2026-03-09T09:00:00+02:00"; }},
        {"bad uuid", [](json& d) { d["tasks"][0]["listID"] = "not-a-uuid"; }},
        {"string for a Bool", [](json& d) { d["tasks"][0]["starred"] = "yes"; }},
        {"number for a Bool", [](json& d) { d["prefs"]["sound"] = 1; }},
        {"float for an Int", [](json& d) { d["prefs"]["focusMinutes"] = 25.0; }},
        {"exponent for an Int", [](json& d) { d["bonsai"]["pending"] = 1e3; }},
        {"Int beyond 64 bits", [](json& d) { d["bonsai"]["pending"] = 9223372036854775808ULL; }},
        {"negative seed", [](json& d) { d["bonsai"]["garden"][0]["seed"] = -1; }},
        {"float seed", [](json& d) { d["bonsai"]["seed"] = 4.0; }},
        {"string for a Double", [](json& d) { d["tasks"][0]["order"] = "1"; }},
        {"number for a text", [](json& d) { d["tasks"][0]["title"] = 7; }},
        {"object for an array", [](json& d) { d["tasks"] = json::object(); }},
        {"null task", [](json& d) { d["tasks"].push_back(nullptr); }},
        {"array for the timer", [](json& d) { d["timer"] = json::array(); }},
        {"document is an array", [](json& d) { d = json::array({d}); }},
    };
    ASSERT_TRUE(decode(fullDocument()));
    for (const auto& [name, breakRule] : breaks) {
        json document = fullDocument();
        breakRule(document);
        EXPECT_FALSE(decode(document)) << name;
    }
    EXPECT_FALSE(decodeSnapshot("{\"lists\": [", readingTime));
    EXPECT_FALSE(decodeSnapshot("", readingTime));
    EXPECT_FALSE(decodeSnapshot(minimalDocument().dump() + "x", readingTime));
}

TEST(DocumentDecodeTest, IntegersUseTheWholeSixtyFourBitRange) {
    json document = fullDocument();
    document["bonsai"]["pending"] = INT64_MIN;
    document["bonsai"]["gains"][0]["amount"] = INT64_MAX;
    document["bonsai"]["garden"][0]["seed"] = 0;
    const auto snapshot = decode(document);
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->bonsai->pending, INT64_MIN);
    EXPECT_EQ(snapshot->bonsai->gains[0].amount, INT64_MAX);
    EXPECT_EQ(
        decodeSnapshot(R"({"lists":[],"tasks":[],"sessions":[],"timer":{},"prefs":{},"bonsai":{"seed":-0}})",
                       readingTime)
            ->bonsai->seed,
        0u);
}

TEST(DocumentDecodeTest, ListsAndTasksTellMissingFromEmpty) {
    auto edit = decodeListsAndTasks(R"({"tasks": [], "sessions": "not even checked"})", readingTime);
    ASSERT_TRUE(edit);
    EXPECT_FALSE(edit->lists);
    ASSERT_TRUE(edit->tasks);
    EXPECT_TRUE(edit->tasks->empty());

    edit = decodeListsAndTasks(R"({"lists": [], "tasks": null})", readingTime);
    ASSERT_TRUE(edit);
    EXPECT_TRUE(edit->lists && edit->lists->empty());
    EXPECT_FALSE(edit->tasks);

    edit = decodeListsAndTasks(R"({"tasks": [{"title": "By hand"}]})", readingTime);
    ASSERT_TRUE(edit && edit->tasks);
    EXPECT_EQ(edit->tasks->at(0).title, "By hand");
    EXPECT_EQ(edit->tasks->at(0).listID, UUID::unknown);
    EXPECT_TRUE(std::isnan(edit->tasks->at(0).order));
    EXPECT_EQ(edit->tasks->at(0).createdAt, readingTime);

    EXPECT_FALSE(decodeListsAndTasks(R"({"lists": [{"name": "No id"}]})", readingTime));
    EXPECT_FALSE(decodeListsAndTasks(R"({"tasks": [{"due": "tomorrow"}]})", readingTime));
    EXPECT_FALSE(decodeListsAndTasks("[]", readingTime));
}

} // namespace
} // namespace vesk
