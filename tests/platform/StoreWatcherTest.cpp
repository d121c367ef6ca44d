// The store on the real watcher, queue and files: another process rewrites the data file and
// the running store merges it and writes it back in its own form, through a link too.
#include "PlatformTestSupport.hpp"
#include "core/model/DocumentCoding.hpp"
#include "core/runtime/Observations.hpp"
#include "core/runtime/SerialFileWriter.hpp"
#include "core/store/Store.hpp"
#include "platform/GetrandomSource.hpp"
#include "platform/InotifyFileReads.hpp"
#include "platform/InotifyFolderWatcher.hpp"
#include "platform/PosixFileSystem.hpp"
#include "platform/QtMainQueue.hpp"
#include "platform/SystemClock.hpp"

#include <cstdio>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vesk {
namespace {

using test::runEventsUntil;
using test::TempFolder;

// The store's platform as the app gives it.
struct RealPlatform {
    SystemClock clock;
    QtMainQueue queue;
    PosixFileSystem files;
    SerialFileWriter writer{files};
    InotifyFolderWatcher watcher;
    InotifyFileReads reads;
    GetrandomSource random;
    Calendar calendar;

    StoreEnvironment environment() { return {clock, queue, files, writer, watcher, reads, random, calendar}; }
};

// Writes `bytes` to `path` from a child process, replacing the file as an editor does.
void writeFromAnotherProcess(const std::filesystem::path& path, const std::string& bytes) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const std::string temporary = path.string() + ".edit";
        FILE* out = std::fopen(temporary.c_str(), "w");
        const bool written = out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
        const bool closed = out && std::fclose(out) == 0;
        ::_exit(written && closed && std::rename(temporary.c_str(), path.c_str()) == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(StoreWatcherTest, TaskWrittenByAnotherProcessIsMergedAndSavedBack) {
    test::qtApplication();
    TempFolder folder;
    RealPlatform platform;
    auto& [clock, queue, files, writer, watcher, reads, random, calendar] = platform;
    const auto path = folder / "Vesk" / "data.json";
    Store store(path, platform.environment());
    std::int64_t gained = 0;
    Observations heard;
    heard.listen(store.grew, [&](std::int64_t from, std::int64_t to, GainReason) { gained += to - from; });
    store.plant(3);
    store.saveNow();
    writer.wait(); // the edit comes after the save is on the disk
    const std::string list = store.lists.get()[0].id.uuidString();

    auto doc = nlohmann::json::parse(*store.lastOnDisk());
    doc["tasks"].push_back({{"title", "from the shell"}});
    writeFromAnotherProcess(path, doc.dump());

    const auto merged = [&] {
        for (const TaskItem& item : store.tasks.get())
            if (item.title == "from the shell") return true;
        return false;
    };
    ASSERT_TRUE(runEventsUntil(merged));
    const TaskItem added = store.tasks.get().back();
    EXPECT_EQ(added.order, -1);
    EXPECT_EQ(gained, 1);

    // Saved back with what the merge gave it.
    const auto savedBack = [&] {
        const auto read = files.read(path);
        if (!read.ok()) return false;
        const auto snapshot = decodeSnapshot(*read, clock.now());
        return snapshot && snapshot->tasks.size() == 1 && snapshot->tasks[0].id == added.id;
    };
    ASSERT_TRUE(runEventsUntil(savedBack));
    const auto snapshot = decodeSnapshot(*files.read(path), clock.now());
    EXPECT_EQ(snapshot->tasks[0].listID.uuidString(), list);
    EXPECT_EQ(snapshot->tasks[0].order, -1);
    ASSERT_FALSE(snapshot->bonsai->gains.empty());
    EXPECT_EQ(snapshot->bonsai->gains.back().reason, GainReason::created);
    EXPECT_EQ(snapshot->bonsai->gains.back().amount, 1);
}

TEST(StoreWatcherTest, AnUndecodableFileIsCopiedAsideNoMoreOpenThanItIs) {
    test::qtApplication();
    TempFolder folder;
    RealPlatform platform;
    auto& [clock, queue, files, writer, watcher, reads, random, calendar] = platform;
    const auto path = folder / "data.json";
    ASSERT_TRUE(files.writeAtomically(path, "my secret plans"));
    ::chmod(path.c_str(), 0600);
    const mode_t umask = ::umask(022);
    Store store(path, platform.environment());
    ::umask(umask);
    std::vector<std::filesystem::path> copies;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        if (entry.path().filename().string().starts_with("data.json.corrupt-"))
            copies.push_back(entry.path());
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(*files.read(copies[0]), "my secret plans");
    struct stat status {};
    ASSERT_EQ(::stat(copies[0].c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

TEST(StoreWatcherTest, ALinkedDataFileStaysALinkAndItsFileIsWatched) {
    test::qtApplication();
    TempFolder folder;
    RealPlatform platform;
    auto& [clock, queue, files, writer, watcher, reads, random, calendar] = platform;
    // data.json in a dotfiles folder, linked from where the app looks; the file not there yet.
    const auto linked = folder / "dotfiles" / "vesk.json";
    const auto path = folder / "Vesk" / "data.json";
    std::filesystem::create_directories(path.parent_path());
    std::filesystem::create_symlink("../dotfiles/vesk.json", path);
    Store store(path, platform.environment());
    store.addTask("saved through the link");
    store.saveNow();
    writer.wait();
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    const auto saved = decodeSnapshot(*files.read(linked), clock.now());
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->tasks.size(), 1u);

    // Another program's task in the linked file is seen, and written back into it.
    auto doc = nlohmann::json::parse(*files.read(linked));
    doc["tasks"].push_back({{"title", "from the sync"}});
    writeFromAnotherProcess(linked, doc.dump());
    ASSERT_TRUE(runEventsUntil([&] { return store.tasks.get().size() == 2; }));
    ASSERT_TRUE(runEventsUntil([&] {
        const auto back = decodeSnapshot(*files.read(linked), clock.now());
        return back && back->tasks.size() == 2 && back->bonsai;
    }));
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(std::filesystem::read_symlink(path), "../dotfiles/vesk.json");
}

} // namespace
} // namespace vesk
