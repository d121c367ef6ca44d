#include "core/store/CopiesAside.hpp"

#include "support/StoreTestBed.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace vesk {
namespace {

using nlohmann::json;
using test::StoreTestBed;

class CopiesAsideTest : public ::testing::Test, protected StoreTestBed {
  protected:
    std::vector<std::filesystem::path> copies() const {
        std::vector<std::filesystem::path> found;
        for (const auto& file : files.filesIn(path.parent_path())) {
            const std::string name = file.filename().string();
            if (name.starts_with("data.json.before-merge-") || name.starts_with("data.json.corrupt-"))
                found.push_back(file);
        }
        return found;
    }
    // A store holding `count` tasks with long titles, saved.
    Store& openWithTasks(int count) {
        open();
        for (int i = 0; i < count; ++i)
            store->addTask("task " + std::to_string(i) + " " + std::string(400, 'x'));
        store->saveNow();
        return *store;
    }
    // Another program rewrites the file without the store's first task, as a tool does.
    void rewriteWithoutFirstTask() {
        json doc = json::parse(*files.contents(path));
        doc["tasks"].erase(doc["tasks"].begin());
        files.put(path, doc.dump());
        watcher.fire();
        queue.advance(0.3);
        queue.advance(0.4);
    }
};

TEST_F(CopiesAsideTest, ToolRewritingTheFileLeavesAFewCopiesAnHour) {
    Store& s = openWithTasks(40);
    testing::internal::CaptureStderr();
    for (int i = 0; i < 30; ++i) {
        rewriteWithoutFirstTask();
        clock.advance(1);
    }
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(copies().size(), std::size_t{CopiesAside::copiesPerHour}) << log;
    EXPECT_EQ(s.tasks.get().size(), 10u);
    EXPECT_NE(log.find("waits to be kept (4 were kept in the last hour already)"), std::string::npos) << log;

    // The newest state that waited lands with the first save past the hour.
    clock.advance(3600);
    s.addTask("later");
    queue.advance(0.4);
    EXPECT_EQ(copies().size(), std::size_t{CopiesAside::copiesPerHour} + 1);
}

TEST_F(CopiesAsideTest, OnASmallDiskTheSaveGoesFirstAndTheCopyWaits) {
    Store& s = openWithTasks(40);
    const std::size_t document = files.contents(path)->size();
    // Room for the file and a save's temporary file beside it, not for a copy as well.
    files.capacity = document * 5 / 2;
    testing::internal::CaptureStderr();
    rewriteWithoutFirstTask();
    for (int i = 0; i < 4; ++i) {
        s.addTask("typed " + std::to_string(i));
        queue.advance(0.4);
    }
    s.saveNow(SaveOccasion::quit);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(s.hasUnwrittenChanges()) << log;
    const std::string saved = *files.contents(path);
    for (int i = 0; i < 4; ++i)
        EXPECT_NE(saved.find("typed " + std::to_string(i)), std::string::npos) << log;
    // The save done, the copy that waited has its room at quit.
    ASSERT_EQ(copies().size(), 1u) << log;
    EXPECT_NE(files.contents(copies()[0])->find("task 0 "), std::string::npos);
    EXPECT_NE(log.find("the disk has no room for it as well as for the save, which goes first"),
              std::string::npos)
        << log;
}

TEST_F(CopiesAsideTest, OldestOwnCopiesGoPastTheBoundsAndNothingElse) {
    CopiesAside aside(files, clock);
    const std::string folder = path.parent_path().string();
    const std::vector<std::filesystem::path> notOurs = {
        folder + "/data.json.before-merge-1", // another account's, under a copy's name
        folder + "/data.json.before-merge-1.bak", folder + "/data.json.corrupt-12x",
        folder + "/data.json.before-merge-1-1",   folder + "/other.json.corrupt-1",
        folder + "/data.json.before-merge-1-21",
    };
    for (const auto& path : notOurs)
        files.put(path, "someone's");
    files.othersFiles.insert(notOurs[0]);

    std::vector<std::filesystem::path> made;
    for (int i = 0; i < 25; ++i) {
        made.push_back(
            *aside.keep(path, i % 2 ? "corrupt" : "before-merge", "state " + std::to_string(i), 0));
        // A quarter of an hour apart: never over the hourly bound.
        clock.advance(15 * 60 + 1);
    }
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(files.contents(made[static_cast<std::size_t>(i)]).has_value(), i >= 5) << i;

    // Large ones: the oldest go until the rest is within the bytes.
    const std::string large(CopiesAside::mostCopyBytes / 3 + 1, 'x');
    for (int i = 0; i < 3; ++i) {
        made.push_back(*aside.keep(path, "corrupt", large + std::to_string(i), 0));
        clock.advance(15 * 60 + 1);
    }
    for (std::size_t i = 0; i < made.size(); ++i)
        EXPECT_EQ(files.contents(made[i]).has_value(), i >= 26) << i;
    for (const auto& path : notOurs)
        EXPECT_EQ(files.contents(path), "someone's") << path;
}

} // namespace
} // namespace vesk
