// The streaming writer against the tree the program used to dump: the same bytes, so that a
// file written by either reads the same and an unchanged store rewrites it identically.
#include "core/model/DocumentCoding.hpp"
#include "support/FakeRandom.hpp"
#include "support/TreeDocumentWriter.hpp"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>

namespace vesk {
namespace {

const Date now = dateFromUnixSeconds(1'773'057'600);

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void expectSameBytes(const Snapshot& snapshot, const std::string& what) {
    EXPECT_EQ(encodeSnapshot(snapshot), test::encodeThroughTree(snapshot)) << what;
}

TEST(DocumentWriterTest, EveryCorpusDocumentIsWrittenAsTheTreeDumpedIt) {
    int documents = 0;
    for (const char* target : {"fuzz_snapshot", "fuzz_merge"}) {
        const auto folder = std::filesystem::path(VESK_SOURCE_DIR) / "tests/fuzz/corpus" / target;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string bytes = fileBytes(entry.path());
            auto snapshot = decodeSnapshot(bytes, now);
            // The edits of the merge corpus hold lists and tasks only.
            if (const auto edit = decodeListsAndTasks(bytes, now); !snapshot && edit)
                snapshot = Snapshot{edit->lists.value_or(std::vector<TaskList>{}),
                                    edit->tasks.value_or(std::vector<TaskItem>{})};
            if (!snapshot) continue;
            expectSameBytes(*snapshot, entry.path().string());
            ++documents;
        }
    }
    EXPECT_GE(documents, 6);
}

TEST(DocumentWriterTest, OddTextsNumbersAndEmptyPartsAreWrittenAsTheTreeDumpedThem) {
    test::FakeRandom random;
    Snapshot snapshot;
    const UUID list = UUID::random(random);
    snapshot.lists.push_back({list, "Inbox"});
    const std::vector<std::string> texts = {
        "",
        "plain",
        "quote \" backslash \\ slash /",
        "controls \x01\x08\t\n\x0B\x0C\r\x1F\x7F end",
        std::string("nul \0 inside", 12),
        "caf\xC3\xA9 \xE2\x80\xA8 \xF0\x9F\x8C\xB3",
        "\xFF\xFE stray",
        "\xC3(",
        "\xE2\x82",
        "\xED\xA0\x80 surrogate",
        "\xC0\xAF overlong",
        "\xF4\x90\x80\x80 too high",
        "\xF0\x9F\x8C",
    };
    const std::vector<double> numbers = {0.0,
                                         -0.0,
                                         1.0,
                                         0.1,
                                         -2.5,
                                         1e-7,
                                         1e-300,
                                         5e-324,
                                         1e15,
                                         1e16,
                                         1e21,
                                         123456789012345678.0,
                                         -123456789.123456789,
                                         std::numeric_limits<double>::max(),
                                         std::numeric_limits<double>::quiet_NaN(),
                                         std::numeric_limits<double>::infinity()};
    for (std::size_t i = 0; i < std::max(texts.size(), numbers.size()); ++i) {
        TaskItem task{.id = UUID::random(random),
                      .listID = list,
                      .title = texts[i % texts.size()],
                      .notes = texts[(i + 3) % texts.size()],
                      .createdAt = now + std::chrono::seconds(i),
                      .order = numbers[i % numbers.size()]};
        if (i % 2) task.completedAt = now;
        if (i % 3) task.rewarded = i % 4 == 0;
        snapshot.tasks.push_back(task);
        snapshot.sessions.push_back({.id = UUID::random(random),
                                     .taskTitle = texts[i % texts.size()],
                                     .mode = TimerMode::stopwatch,
                                     .start = now,
                                     .duration = numbers[(i + 5) % numbers.size()],
                                     .fullPomodoro = false});
    }
    snapshot.timer.accumulated = -0.0;
    snapshot.prefs.focusMinutes = std::numeric_limits<std::int64_t>::min();
    snapshot.prefs.breakMinutes = std::numeric_limits<std::int64_t>::max();
    expectSameBytes(snapshot, "odd values");

    // Empty arrays, and a document without a ledger.
    BonsaiProgress bonsai;
    bonsai.seed = std::numeric_limits<std::uint64_t>::max();
    bonsai.legacyIteration = 0;
    snapshot.bonsai = bonsai;
    expectSameBytes(snapshot, "a ledger with nothing in it");
    // As the store saves it, from its own fields.
    EXPECT_EQ(encodeSnapshot(SnapshotParts{snapshot.lists, snapshot.tasks, snapshot.sessions, snapshot.timer,
                                           snapshot.prefs, *snapshot.bonsai, snapshot.unknown}),
              encodeSnapshot(snapshot));
    expectSameBytes(Snapshot{}, "an empty document");
}

} // namespace
} // namespace vesk
