// The streaming reader against the tree reader: on every corpus document and on thousands of
// byte-level damages of them, the same values, the same refusals of what is not JSON, and no
// value where the tree finds a broken rule.
#include "core/model/DocumentStreamReader.hpp"

#include "core/model/DocumentCoding.hpp"
#include "core/model/DocumentReader.hpp"
#include "support/FakeRandom.hpp"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace vesk {
namespace {

const Date now = dateFromUnixSeconds(1'773'057'600);

// Escapes, surrogate pairs, raw UTF-8, a byte order mark and numbers at the edges of their kinds.
const std::string oddDocument =
    "\xEF\xBB\xBF{\"lists\": [{\"id\": \"0F8E2C4A-1B3D-4E5F-A6B7-C8D9E0F1A2B3\", \"name\": \"caf\xC3\xA9 "
    "\\u00e9\\ud83c\\udf33\\/\\\"\\\\\\b\\f\\n\\r\\t\\u0000\"}],\r\n"
    "\"tasks\": [{\"title\": \"t\", \"order\": -0, \"n\\u0061me\": [1e5, {\"x\": [[], {}]}, true, false],"
    " \"createdAt\": \"2026-03-01T08:30:00Z\"}, {\"order\": 1.5E-3, \"starred\": null}, {\"order\": 1e-400},"
    " {\"order\": 18446744073709551616}, {\"order\": -9223372036854775809}, {\"order\": 5e-324}],\n"
    "\"sessions\":[],\"timer\":{\"accumulated\":-0.0},\"prefs\":{\"focusMinutes\":-9223372036854775808},"
    "\"bonsai\":{\"seed\":18446744073709551615,\"garden\":[],\"pending\":-0}, \"extra\": null}";

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::string written(const Snapshot& snapshot) {
    return encodeSnapshot(snapshot);
}

std::string written(const ListsAndTasks& edit) {
    return encodeSnapshot(Snapshot{edit.lists.value_or(std::vector<TaskList>{}),
                                   edit.tasks.value_or(std::vector<TaskItem>{})}) +
           (edit.lists ? "+lists" : "") + (edit.tasks ? "+tasks" : "");
}

// Both readers draw the ids of tasks without one from equal sources.
template <class Result>
void expectSameReading(const std::string& bytes, const nlohmann::json& tree,
                       std::optional<Result> (*stream)(std::string_view, const ReadContext&),
                       Result (*readTree)(const nlohmann::json&, const ReadContext&)) {
    std::optional<Result> treeValue;
    test::FakeRandom treeIds;
    if (!tree.is_discarded()) try {
            treeValue = readTree(tree, ReadContext{now, &treeIds});
        } catch (const DocumentError&) {
        }
    test::FakeRandom ids;
    try {
        const auto streamed = stream(bytes, ReadContext{now, &ids});
        ASSERT_EQ(streamed.has_value(), !tree.is_discarded()) << bytes;
        if (streamed) {
            ASSERT_TRUE(treeValue) << bytes;
            EXPECT_EQ(written(*streamed), written(*treeValue)) << bytes;
        }
    } catch (const DocumentError&) {
        EXPECT_FALSE(treeValue) << bytes;
    }
}

std::vector<std::string> damaged(const std::string& bytes) {
    std::vector<std::string> damages;
    const std::string replacements = std::string("\"\\0-.e,:}] \x80\xC3\xFF", 14) + '\0';
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        damages.push_back(bytes.substr(0, at));
        damages.push_back(bytes.substr(0, at) + bytes.substr(at + 1));
        for (const char replacement : replacements) {
            std::string changed = bytes;
            changed[at] = replacement;
            damages.push_back(changed);
        }
    }
    return damages;
}

TEST(DocumentStreamReaderTest, ReadsWhatTheTreeReadsOnTheCorpusAndItsDamages) {
    std::vector<std::string> documents = {oddDocument};
    for (const char* target : {"fuzz_snapshot", "fuzz_merge"})
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(VESK_SOURCE_DIR) /
                                                                     "tests/fuzz/corpus" / target))
            documents.push_back(fileBytes(entry.path()));
    ASSERT_TRUE(streamSnapshot(oddDocument, ReadContext{now}));
    for (const std::string& document : documents)
        for (const std::string& bytes : damaged(document)) {
            const auto tree = nlohmann::json::parse(bytes, nullptr, /*allow_exceptions=*/false);
            expectSameReading<Snapshot>(bytes, tree, streamSnapshot, readSnapshot);
            expectSameReading<ListsAndTasks>(bytes, tree, streamListsAndTasks, readListsAndTasks);
        }
}

// The tree keeps the last of two equal keys, even over a value that breaks a rule; decoding
// gives its reading, with the ids it would have drawn.
TEST(DocumentStreamReaderTest, AKeyGivenTwiceIsReadAsTheTreeReadsIt) {
    const std::string bytes = R"({"lists": [], "tasks": [{"title": "first"}], "sessions": [], "timer": {},
                                  "prefs": {}, "tasks": [{"title": "kept"}]})";
    test::FakeRandom ids;
    const auto snapshot = decodeSnapshot(bytes, now, &ids);
    ASSERT_TRUE(snapshot);
    test::FakeRandom fresh;
    EXPECT_EQ(snapshot->tasks.at(0).title, "kept");
    EXPECT_EQ(snapshot->tasks.at(0).id, UUID::random(fresh));

    const std::string twice =
        R"({"tasks": [{"due": "soon"}], "tasks": [{"title": "a"}, {"title": "b", "title": null}]})";
    const auto edit = decodeListsAndTasks(twice, now);
    ASSERT_TRUE(edit && edit->tasks);
    EXPECT_EQ(edit->tasks->at(1).title, "");
}

} // namespace
} // namespace vesk
