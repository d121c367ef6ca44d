#include "core/store/DataLocation.hpp"

#include "support/FakeFileSystem.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <stdlib.h>

namespace vesk {
namespace {

class DataLocationTest : public ::testing::Test {
  protected:
    std::filesystem::path locate() {
        return locateDataFile(
            [this](std::string_view name) -> std::optional<std::string> {
                const auto found = variables.find(std::string(name));
                if (found == variables.end()) return std::nullopt;
                return found->second;
            },
            files);
    }

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

TEST(ResolvedDataFileTest, EverySpellingAndLinkOfAFileNamesIt) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vesk-resolve-XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    const std::filesystem::path root = std::filesystem::canonical(pattern);
    const auto real = root / "real" / "data.json";
    std::filesystem::create_directories(real.parent_path());
    std::ofstream(real) << "{}";
    std::filesystem::create_symlink(real, root / "absolute.json");
    std::filesystem::create_symlink("real/data.json", root / "relative.json");
    std::filesystem::create_symlink("absolute.json", root / "chain.json");
    std::filesystem::create_directory_symlink("real", root / "folder");
    // Relative to the folder the link really is in, not to the spelling of its path.
    std::filesystem::create_symlink("../real/data.json", root / "real" / "up.json");

    for (const char* spelling : {"real/data.json", "absolute.json", "relative.json", "chain.json",
                                 "folder/data.json", "folder/up.json", "folder/../real/data.json"})
        EXPECT_EQ(resolvedDataFile(root / spelling), real) << spelling;
    // A link to a file not made yet names that file; one that leads round in a circle ends.
    std::filesystem::create_symlink("real/later.json", root / "later.json");
    EXPECT_EQ(resolvedDataFile(root / "later.json"), root / "real" / "later.json");
    std::filesystem::create_symlink("b.json", root / "a.json");
    std::filesystem::create_symlink("a.json", root / "b.json");
    EXPECT_EQ(resolvedDataFile(root / "a.json").parent_path(), root);
    std::filesystem::remove_all(root);
}

} // namespace
} // namespace vesk
