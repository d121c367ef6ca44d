#include "devtools/DeveloperLaunch.hpp"

#include "support/FakeFileSystem.hpp"
#include "support/FakeFileWriter.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>
#include <map>

namespace vesk {
namespace {

DeveloperLaunch launch(std::vector<std::string> words, std::map<std::string, std::string> variables = {}) {
    words.insert(words.begin(), "vesk");
    return DeveloperLaunch(words, [variables](std::string_view name) -> std::optional<std::string> {
        const auto found = variables.find(std::string(name));
        return found == variables.end() ? std::nullopt : std::optional(found->second);
    });
}

TEST(DeveloperLaunchTest, SnapshotsPinThePanelAndScenesAlsoIgnoreThePointerAndTheUsersFile) {
    test::FakeFileSystem files;
    test::FakeFileWriter writer{files};
    auto user = launch({});
    EXPECT_FALSE(user.wantsOwnProgram());
    EXPECT_FALSE(user.panelOptions().pinned || user.panelOptions().pointerIgnored);
    EXPECT_FALSE(user.storeFiles(files, writer).readOnly);

    auto snapshot = launch({"--snapshot", "/tmp/a.png"});
    EXPECT_TRUE(snapshot.wantsOwnProgram());
    EXPECT_TRUE(snapshot.panelOptions().pinned);
    EXPECT_FALSE(snapshot.panelOptions().pointerIgnored);

    auto scene = launch({}, {{"VESK_VIDEO", "open"}});
    EXPECT_TRUE(scene.panelOptions().pinned && scene.panelOptions().pointerIgnored);
    EXPECT_TRUE(scene.storeFiles(files, writer).readOnly);
    auto sceneOnItsOwnFile = launch({}, {{"VESK_VIDEO", "open"}, {"TARNEL_DATA", "/tmp/scene.json"}});
    EXPECT_FALSE(sceneOnItsOwnFile.storeFiles(files, writer).readOnly);
}

TEST(DeveloperLaunchTest, AForcedSeedPlantsOnlyAMissingTreeAndMakesItCurrent) {
    test::StoreTestBed bed;
    Store& store = bed.open();
    const auto forceSeed = [&](const char* seed) {
        launch({"--seed", seed}).prepare(store, bed.clock, bed.random, bed.calendar);
    };
    forceSeed("42");
    forceSeed("42");
    ASSERT_EQ(store.bonsai.get().garden.size(), 1u);
    EXPECT_EQ(store.bonsai.get().garden[0].cubesGrown, 0);
    EXPECT_EQ(store.bonsai.get().seed, 42u);
    // 0 is "no current tree": no tree with it, and the current one stays.
    forceSeed("0");
    EXPECT_EQ(store.bonsai.get().garden.size(), 1u);
    EXPECT_EQ(store.bonsai.get().seed, 42u);
    bed.queue.advance(1);
    ASSERT_EQ(bed.writes(), 1u);
    EXPECT_EQ(bed.onDisk()->bonsai->seed, 42u);
}

} // namespace
} // namespace vesk
