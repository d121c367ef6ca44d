#include "core/store/DataLocation.hpp"

#include "support/FakeFileSystem.hpp"

#include <gtest/gtest.h>
#include <map>
#include <stdlib.h>

namespace vesk {
namespace {

class DataLocationTest : public ::testing::Test {
  protected:
    EnvironmentLookup environment() {
        return [this](std::string_view name) -> std::optional<std::string> {
            const auto found = variables.find(std::string(name));
            if (found == variables.end()) return std::nullopt;
            return found->second;
        };
    }
    std::filesystem::path locate() { return locateDataFile(environment(), files); }

    std::map<std::string, std::string> variables{{"HOME", "/home/user"}};
    test::FakeFileSystem files;
};

TEST_F(DataLocationTest, TarnelDataIsUsedAsGivenAndTheLegacyFolderIgnored) {
    files.put("/home/user/.local/share/Tarnel/data.json", "legacy");
    variables["TARNEL_DATA"] = "/tmp/elsewhere/data.json";
    EXPECT_EQ(locate(), "/tmp/elsewhere/data.json");
    EXPECT_FALSE(files.exists("/home/user/.local/share/Vesk"));

    // Relative to the folder the program started in.
    variables["TARNEL_DATA"] = "mine.json";
    EXPECT_EQ(locate(), std::filesystem::current_path() / "mine.json");
}

TEST_F(DataLocationTest, EmptyTarnelDataCountsAsUnset) {
    variables["TARNEL_DATA"] = "";
    EXPECT_EQ(locate(), "/home/user/.local/share/Vesk/data.json");
}

TEST_F(DataLocationTest, DataHomeFollowsXdgWhenAbsolute) {
    variables["XDG_DATA_HOME"] = "/data";
    EXPECT_EQ(locate(), "/data/Vesk/data.json");
    variables["XDG_DATA_HOME"] = "relative/share";
    EXPECT_EQ(locate(), "/home/user/.local/share/Vesk/data.json");
}

TEST_F(DataLocationTest, OnlyATarnelDataElsewhereThanTheDefaultIsChosen) {
    EXPECT_EQ(chosenDataFile(environment()), "");
    variables["TARNEL_DATA"] = "/home/user/.local/share/Vesk/./data.json";
    EXPECT_EQ(chosenDataFile(environment()), "");
    variables["TARNEL_DATA"] = "mine.json";
    EXPECT_EQ(chosenDataFile(environment()), std::filesystem::current_path() / "mine.json");
}

TEST_F(DataLocationTest, LegacyFileIsCopiedOnceAndLeftInPlace) {
    const std::filesystem::path legacy = "/home/user/.local/share/Tarnel/data.json";
    const std::filesystem::path current = "/home/user/.local/share/Vesk/data.json";
    files.put(legacy, "legacy");
    EXPECT_EQ(locate(), current);
    EXPECT_EQ(files.contents(current), "legacy");
    EXPECT_EQ(files.contents(legacy), "legacy");

    // Later changes to the old file are never taken over.
    files.put(legacy, "changed");
    EXPECT_EQ(locate(), current);
    EXPECT_EQ(files.contents(current), "legacy");

    // A failed copy is ignored: the location is the same.
    files.remove(current);
    files.failAllWrites = true;
    EXPECT_EQ(locate(), current);
    EXPECT_FALSE(files.exists(current));
}

const LinkCheck everyLink = [](const std::filesystem::path&) { return true; };

// On the real file system: links are the kernel's.
TEST(ResolveDataFileTest, FollowsEveryLinkToTheFileEvenWhenItIsNotThereYet) {
    char pattern[] = "/tmp/vesk-resolve-XXXXXX";
    ASSERT_TRUE(::mkdtemp(pattern));
    const std::filesystem::path root = std::filesystem::canonical(pattern);
    std::filesystem::create_directories(root / "sync" / "deep");
    std::filesystem::create_directories(root / "home");

    // A plain file, or none, is its own place.
    EXPECT_EQ(resolveDataFile(root / "home" / "data.json", everyLink), root / "home" / "data.json");
    // A relative link into another folder, through a folder that is itself a link, and a
    // chain of two links whose last one points at no file yet.
    std::filesystem::create_directory_symlink(root / "sync", root / "synced");
    std::filesystem::create_symlink("deep/../deep/real.json", root / "sync" / "hop.json");
    std::filesystem::create_symlink("../synced/hop.json", root / "home" / "data.json");
    EXPECT_EQ(resolveDataFile(root / "home" / "data.json", everyLink), root / "sync" / "deep" / "real.json");
    EXPECT_EQ(resolveDataFile(root / "synced" / "hop.json", everyLink), root / "sync" / "deep" / "real.json");
    // A link refused ends the way there, a folder's as well as the file's own.
    for (const char* refused : {"synced", "hop.json"}) {
        const LinkCheck refusing = [&](const std::filesystem::path& link) {
            return link.filename() != refused;
        };
        EXPECT_EQ(resolveDataFile(root / "home" / "data.json", refusing),
                  refused == std::string("synced") ? root / "synced" : root / "sync" / "hop.json");
    }

    // Links in a loop lead nowhere: the path stays as given.
    std::filesystem::create_symlink("b", root / "a");
    std::filesystem::create_symlink("a", root / "b");
    EXPECT_EQ(resolveDataFile(root / "a", everyLink), root / "a");
    std::filesystem::remove_all(root);
}

} // namespace
} // namespace vesk
