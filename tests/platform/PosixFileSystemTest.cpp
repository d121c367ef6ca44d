#include "platform/PosixFileSystem.hpp"

#include "PlatformTestSupport.hpp"
#include "platform/GetrandomSource.hpp"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
// Set by a test: fchmod fails, as on a file system that keeps modes of its own, so that a file's
// mode can only come from its creation.
std::atomic<bool> fchmodRefused = false;
} // namespace

extern "C" int fchmod(int fd, mode_t mode) noexcept {
    if (fchmodRefused) {
        errno = EPERM;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fchmod, fd, mode));
}

namespace vesk {
namespace {

using test::TempFolder;

mode_t modeOf(const std::filesystem::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// umask 022, the usual one, for the life of the object.
class UsualUmask {
  public:
    UsualUmask() : before_(::umask(022)) {}
    ~UsualUmask() { ::umask(before_); }

  private:
    mode_t before_;
};

TEST(PosixFileSystemTest, ReadTellsMissingFromUnreadable) {
    TempFolder folder;
    PosixFileSystem files;
    EXPECT_TRUE(files.read(folder / "none").failure().missing);
    EXPECT_TRUE(files.read(folder / "none" / "deeper").failure().missing);
    // A folder exists but is no readable file.
    EXPECT_TRUE(unreadable(files.read(folder.path())));
    EXPECT_EQ(files.read(folder.path()).reason(), "Is a directory");
    // Nor is one far larger than any document: it is not read at all (64 GB would exhaust the
    // memory).
    {
        const int fd = ::open((folder / "huge").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, off_t{64} << 30), 0); // sparse: no space taken
        ::close(fd);
        const FileRead read = files.read(folder / "huge");
        EXPECT_TRUE(unreadable(read));
        EXPECT_EQ(read.reason(), "larger than 256 MB");
    }

    ASSERT_TRUE(files.writeAtomically(folder / "data.json", std::string("a\0b", 3)));
    const FileRead read = files.read(folder / "data.json");
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(*read, std::string("a\0b", 3));

    if (::geteuid() != 0) { // root reads everything
        ::chmod((folder / "data.json").c_str(), 0);
        EXPECT_TRUE(unreadable(files.read(folder / "data.json")));
    }
}

TEST(PosixFileSystemTest, HoldsComparesEveryByteOfTheFile) {
    TempFolder folder;
    PosixFileSystem files;
    const auto path = folder / "data.json";
    EXPECT_FALSE(files.holds(path, ""));
    // Longer than one read.
    std::string bytes(200'000, 'a');
    ASSERT_TRUE(files.writeAtomically(path, bytes));
    EXPECT_TRUE(files.holds(path, bytes));
    EXPECT_FALSE(files.holds(path, bytes.substr(1)));
    EXPECT_FALSE(files.holds(path, bytes + "a"));
    bytes.back() = 'b';
    EXPECT_FALSE(files.holds(path, bytes));
    EXPECT_FALSE(files.holds(folder.path(), ""));
}

TEST(PosixFileSystemTest, AtomicWriteReplacesKeepsModeAndLeavesNoTemporaryFile) {
    TempFolder folder;
    PosixFileSystem files;
    const auto file = folder / "data.json";
    ASSERT_TRUE(files.writeAtomically(file, "old"));
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(files.writeAtomically(file, "new"));
    EXPECT_EQ(*files.read(file), "new");
    struct stat status {};
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);

    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, std::set<std::string>{"data.json"});

    // Into a folder that does not exist: a failure, and nothing is created.
    EXPECT_FALSE(files.writeAtomically(folder / "no" / "data.json", "x"));
    EXPECT_FALSE(files.exists(folder / "no"));
}

TEST(PosixFileSystemTest, FilesBesideAPrivateFileArePrivateFromTheirFirstInstant) {
    TempFolder folder;
    PosixFileSystem files;
    const UsualUmask umask;
    const auto file = folder / "data.json";
    ASSERT_TRUE(files.writeAtomically(file, "old"));
    ::chmod(file.c_str(), 0600);

    // With fchmod refused, whatever the files get comes from the creation itself.
    fchmodRefused = true;
    const std::string old = "old";
    EXPECT_TRUE(files.replace(file, "new", &old).ok());
    EXPECT_TRUE(files.writeAtomically(file, "newer"));
    EXPECT_TRUE(files.createNew(folder / "data.json.corrupt-1", "bad", file));
    EXPECT_TRUE(files.copy(file, folder / "copy.json"));
    fchmodRefused = false;
    for (const char* name : {"data.json", "data.json.corrupt-1", "copy.json"})
        EXPECT_EQ(modeOf(folder / name), 0600u) << name;

    // Only permission bits are copied, all of them, past the umask.
    ASSERT_EQ(::chmod(file.c_str(), 06664), 0);
    EXPECT_TRUE(files.writeAtomically(file, "shared"));
    EXPECT_EQ(modeOf(file), 0664u);
}

TEST(PosixFileSystemTest, NewFilesAndFoldersAreTheUsersAloneWhateverTheUmask) {
    TempFolder folder;
    PosixFileSystem files;
    const UsualUmask umask;
    ASSERT_TRUE(files.createDirectories(folder / "a" / "b"));
    EXPECT_EQ(modeOf(folder / "a"), 0700u);
    EXPECT_EQ(modeOf(folder / "a" / "b"), 0700u);
    EXPECT_TRUE(files.writeAtomically(folder / "a" / "data.json", "new"));
    EXPECT_TRUE(files.replace(folder / "a" / "b" / "data.json", "new", nullptr).ok());
    for (const char* name : {"a/data.json", "a/b/data.json"})
        EXPECT_EQ(modeOf(folder / name), 0600u) << name;
    // A copy aside holds the whole document: no more open than the user's alone, nor than its model.
    ASSERT_EQ(::chmod((folder / "a" / "data.json").c_str(), 0644), 0);
    EXPECT_TRUE(files.copy(folder / "a" / "data.json", folder / "a" / "open"));
    ASSERT_EQ(::chmod((folder / "a" / "data.json").c_str(), 0400), 0);
    EXPECT_TRUE(files.copy(folder / "a" / "data.json", folder / "a" / "stricter"));
    EXPECT_EQ(modeOf(folder / "a" / "open"), 0600u);
    EXPECT_EQ(modeOf(folder / "a" / "stricter"), 0400u);
}

// A data file every account may write, or (for root too) another account's that every account
// may write, can have been put there by another account, to be given what Vesk writes: what is
// made beside it and in its place is the user's alone.
TEST(PosixFileSystemTest, ADataFileAnotherAccountCouldHavePutThereIsNoModel) {
    TempFolder folder;
    PosixFileSystem files;
    const auto file = folder / "data.json";
    for (const bool another : {false, true}) {
        if (another && ::geteuid() != 0) continue; // only root can give a file away
        ASSERT_TRUE(files.writeAtomically(file, "planted"));
        if (another) {
            ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
        }
        ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
        const auto copy = folder / ("copy-" + std::to_string(another));
        EXPECT_TRUE(files.createNew(copy, "the whole document", file));
        const std::string planted = "planted";
        EXPECT_TRUE(files.replace(file, "the user's", &planted).ok());
        for (const auto& made : {copy, file}) {
            struct stat status {};
            ASSERT_EQ(::stat(made.c_str(), &status), 0);
            EXPECT_EQ(status.st_uid, ::geteuid()) << made;
            EXPECT_EQ(status.st_mode & 07777, 0600u) << made;
        }
    }
}

TEST(PosixFileSystemTest, AFileOfAnotherUserWrittenByRootStaysTheirs) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file away";
    TempFolder folder;
    PosixFileSystem files;
    const auto file = folder / "data.json";
    ASSERT_TRUE(files.writeAtomically(file, "old"));
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    EXPECT_TRUE(files.writeAtomically(file, "new"));
    struct stat status {};
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 65534u);
    EXPECT_EQ(status.st_gid, 65534u);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST(PosixFileSystemTest, CopyNeverReplacesAndFoldersAreCreated) {
    TempFolder folder;
    PosixFileSystem files;
    ASSERT_TRUE(files.createDirectories(folder / "a" / "b"));
    EXPECT_TRUE(files.createDirectories(folder / "a" / "b")); // already there
    ASSERT_TRUE(files.writeAtomically(folder / "a" / "b" / "plain", "x"));
    EXPECT_FALSE(files.createDirectories(folder / "a" / "b" / "plain" / "c"));

    ASSERT_TRUE(files.writeAtomically(folder / "from", "legacy"));
    ASSERT_TRUE(files.copy(folder / "from", folder / "a" / "to"));
    EXPECT_EQ(*files.read(folder / "a" / "to"), "legacy");
    EXPECT_EQ(*files.read(folder / "from"), "legacy");

    ASSERT_TRUE(files.writeAtomically(folder / "from", "changed"));
    EXPECT_FALSE(files.copy(folder / "from", folder / "a" / "to"));
    EXPECT_EQ(*files.read(folder / "a" / "to"), "legacy");
    EXPECT_FALSE(files.copy(folder / "missing", folder / "a" / "other"));
    EXPECT_FALSE(files.exists(folder / "a" / "other"));
}

TEST(PosixFileSystemTest, ReplaceLeavesTheDisplacedFileToAWriterStillHoldingIt) {
    TempFolder folder;
    PosixFileSystem files;
    const auto file = folder / "data.json";
    const Replacement created = files.replace(file, "one", nullptr);
    EXPECT_TRUE(created.ok());
    EXPECT_FALSE(created->displaced);
    EXPECT_EQ(*files.read(file), "one");

    // Another program rewrites the file in place, in two writes, with the replace in between.
    const int fd = ::open(file.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "half", 4), 4);
    const std::string expected = "one";
    const Replacement replaced = files.replace(file, "two", &expected);
    ASSERT_EQ(::write(fd, " done", 5), 5);
    ::close(fd);
    if (replaced && replaced->displaced) { // exchanged, as on ext4, xfs, btrfs or tmpfs
        EXPECT_TRUE(replaced.ok());
        EXPECT_EQ(*files.read(file), "two");
        EXPECT_EQ(*files.read(*replaced->displaced), "half done");
        EXPECT_TRUE(files.remove(*replaced->displaced));
    } else { // a file system without the exchange: the changed file stays
        EXPECT_TRUE(replaced.failure().changed);
        EXPECT_EQ(*files.read(file), "half done");
    }
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        count += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(count, 1u);

    ::chmod(folder.path().c_str(), 0500);
    const Replacement refused = files.replace(file, "three", nullptr);
    ::chmod(folder.path().c_str(), 0700);
    if (::geteuid() != 0) { // root writes everywhere
        EXPECT_FALSE(refused.failure().changed);
        EXPECT_EQ(refused.reason(), "Permission denied");
    }
}

TEST(PosixFileSystemTest, ReplaceNeverMovesAFolderInTheFilesPlace) {
    TempFolder folder;
    PosixFileSystem files;
    const auto file = folder / "data.json";
    std::filesystem::create_directory(file);
    ASSERT_TRUE(files.createNew(file / "inside", "kept", file));
    const std::string expected = "one";
    for (const std::string* base : {&expected, static_cast<const std::string*>(nullptr)}) {
        const Replacement refused = files.replace(file, "two", base);
        EXPECT_FALSE(refused.failure().changed);
        EXPECT_EQ(refused.reason(), "Is a directory");
    }
    EXPECT_EQ(*files.read(file / "inside"), "kept");
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++count;
    EXPECT_EQ(count, 1u); // no temporary file left, nothing moved aside
}

// A named pipe would hold a reader until a writer comes, a device may be the system's: neither is
// read, waited on or replaced, and neither are a socket or a link.
TEST(PosixFileSystemTest, OnlyPlainFilesAreReadOrReplaced) {
    ::alarm(20); // a read waiting on the pipe ends the test
    TempFolder folder;
    PosixFileSystem files;
    std::vector<std::pair<std::string, std::string>> kinds = {{"pipe", "a named pipe, not a file"},
                                                              {"socket", "a socket, not a file"}};
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (folder / "socket").string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    if (::geteuid() == 0 && ::mknod((folder / "device").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0)
        kinds.emplace_back("device", "a device, not a file"); // /dev/null's
    for (const auto& [name, reason] : kinds) {
        const auto path = folder / name;
        const FileRead read = files.read(path);
        EXPECT_TRUE(unreadable(read)) << name;
        EXPECT_EQ(read.reason(), reason);
        EXPECT_FALSE(files.holds(path, ""));
        const Replacement replaced = files.replace(path, "document", nullptr);
        EXPECT_FALSE(replaced.failure().changed) << name;
        EXPECT_EQ(replaced.reason(), reason);
        struct stat status {};
        ASSERT_EQ(::lstat(path.c_str(), &status), 0);
        EXPECT_FALSE(S_ISREG(status.st_mode)) << name << " was replaced";
    }
    ::close(listener);
    ::alarm(0);
}

// A link another account planted (/tmp is open to every account) is not followed, nor one onto
// a file of another account's; the user's own links to their own files are.
TEST(PosixFileSystemTest, LinksAnotherAccountCouldHavePlantedAreNotFollowed) {
    TempFolder folder;
    PosixFileSystem files;
    const bool root = ::geteuid() == 0;
    ASSERT_TRUE(files.writeAtomically(folder / "own.json", "own"));
    std::filesystem::create_symlink(folder / "own.json", folder / "data.json");
    EXPECT_EQ(files.resolve(folder / "data.json"), folder / "own.json");
    // Another account's file: root gives one away, anyone else finds one of root's.
    const std::filesystem::path theirs = root ? folder / "theirs.json" : "/etc/passwd";
    if (root) {
        ASSERT_TRUE(files.writeAtomically(theirs, "theirs"));
        ASSERT_EQ(::chown(theirs.c_str(), 65534, 65534), 0);
    }
    std::filesystem::create_symlink(theirs, folder / "onto.json");
    EXPECT_EQ(files.resolve(folder / "onto.json"), folder / "onto.json");
    const FileRead onto = files.read(folder / "onto.json");
    EXPECT_TRUE(unreadable(onto));
    EXPECT_EQ(onto.reason(), "the symbolic link " + (folder / "onto.json").string() +
                                 " leads to a file of another account's, and is not followed");
    if (!root) return; // only root can plant as another account
    ASSERT_EQ(::chmod(folder.path().c_str(), 01777), 0);
    for (const char* planted : {"planted.json", "planted-folder"}) {
        std::filesystem::create_symlink(
            planted == std::string("planted.json") ? folder / "own.json" : folder.path(), folder / planted);
        ASSERT_EQ(::lchown((folder / planted).c_str(), 65534, 65534), 0);
    }
    EXPECT_EQ(files.resolve(folder / "planted.json"), folder / "planted.json");
    EXPECT_EQ(files.resolve(folder / "planted-folder" / "data.json"), folder / "planted-folder");
    EXPECT_EQ(files.read(folder / "planted.json").reason(), "the symbolic link " +
                                                                (folder / "planted.json").string() +
                                                                " is another account's, and is not followed");
    EXPECT_FALSE(files.replace(folder / "planted.json", "x", nullptr).failure().changed);
    EXPECT_EQ(*files.read(folder / "own.json"), "own");
}

TEST(PosixFileSystemTest, TellsAFileHeldOpenForWritingAndRenamesItWithItsWriter) {
    TempFolder folder;
    PosixFileSystem files;
    const auto file = folder / "data.json";
    ASSERT_TRUE(files.createNew(file, "one", file));
    EXPECT_EQ(files.isOpenForWriting(file), false);
    const int reader = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_EQ(files.isOpenForWriting(file), false);
    const int writer = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    EXPECT_EQ(files.isOpenForWriting(file), true);
    // Moved aside, never over another file, with its writer writing on into it.
    ASSERT_TRUE(files.createNew(folder / "taken", "other", file));
    EXPECT_FALSE(files.rename(file, folder / "taken"));
    ASSERT_TRUE(files.rename(file, folder / "aside"));
    ASSERT_EQ(::write(writer, " two", 4), 4);
    EXPECT_EQ(files.isOpenForWriting(folder / "aside"), true);
    ::close(writer);
    ::close(reader);
    EXPECT_EQ(files.isOpenForWriting(folder / "aside"), false);
    EXPECT_EQ(*files.read(folder / "aside"), "one two");
    EXPECT_EQ(*files.read(folder / "taken"), "other");
    EXPECT_EQ(files.isOpenForWriting(folder / "none"), std::nullopt);
}

// A document whose every byte says which of the two it is, big enough that a write takes a while.
std::string document(char fill) {
    return "{\"" + std::string(4 << 20, fill) + "\":0}";
}

TEST(PosixFileSystemTest, KilledWriterLeavesTheOldOrTheNewDocument) {
    TempFolder folder;
    const auto file = folder / "data.json";
    const std::string first = document('a');
    const std::string second = document('b');
    PosixFileSystem files;
    ASSERT_TRUE(files.writeAtomically(file, first));
    GetrandomSource random;

    for (int round = 0; round < 4; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            PosixFileSystem childFiles;
            for (unsigned long saves = 0;; ++saves) {
                childFiles.writeAtomically(file, saves % 2 ? first : second);
                const char saved = 1;
                if (::write(ready[1], &saved, 1) != 1) ::_exit(1);
            }
        }
        ::close(ready[1]);
        // Let a varying number of saves complete, so that the kill lands in a different part of a write.
        const auto completed = 1 + random.uniform(0, 3);
        char saved;
        for (std::uint64_t i = 0; i < completed; ++i)
            ASSERT_EQ(::read(ready[0], &saved, 1), 1);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ::close(ready[0]);
        ASSERT_TRUE(WIFSIGNALED(status));

        const FileRead read = files.read(file);
        ASSERT_TRUE(read.ok());
        EXPECT_TRUE(*read == first || *read == second) << "torn document in round " << round;
    }
    // What the killed writers left behind goes at the next start.
    files.removeAbandonedTemporaries(file);
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path(), file);
}

// Another account that may write the folder cannot take a temporary file's name first.
TEST(PosixFileSystemTest, TemporaryNamesCannotBeForeseen) {
    TempFolder folder;
    PosixFileSystem files;
    const auto file = folder / "data.json";
    for (int n = 0; n < 3000; ++n)
        std::filesystem::create_symlink(
            "/nowhere", folder / (".data.json.tmp-" + std::to_string(::getpid()) + "-" + std::to_string(n)));
    for (int save = 0; save < 3; ++save) {
        EXPECT_TRUE(files.writeAtomically(file, "saved"));
        EXPECT_TRUE(files.createNew(folder / ("copy-" + std::to_string(save)), "copy", file));
    }
}

TEST(PosixFileSystemTest, OnlyTemporariesOfEndedWritersAreRemoved) {
    TempFolder folder;
    const auto file = folder / "data.json";
    const pid_t ended = ::fork();
    ASSERT_GE(ended, 0);
    if (ended == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
    const auto temporary = [](pid_t pid, int n) {
        return ".data.json.tmp-" + std::to_string(pid) + "-" + std::to_string(n);
    };

    PosixFileSystem files;
    const std::vector<std::string> removed = {temporary(ended, 0), temporary(ended, 12)};
    const std::vector<std::string> kept = {
        "data.json",        temporary(::getppid(), 0), temporary(::getpid(), 3),
        ".data.json.tmp-x", temporary(ended, 0) + "x", ".other.json.tmp-" + std::to_string(ended) + "-0"};
    for (const auto& names : {removed, kept})
        for (const std::string& name : names)
            ASSERT_TRUE(files.createNew(folder / name, name, file));
    files.removeAbandonedTemporaries(file);
    for (const std::string& name : removed)
        EXPECT_FALSE(files.exists(folder / name)) << name;
    for (const std::string& name : kept)
        EXPECT_EQ(*files.read(folder / name), name);
}

TEST(GetrandomSourceTest, DrawsDifferAndStayInRange) {
    GetrandomSource random;
    std::set<std::uint64_t> values;
    for (int i = 0; i < 64; ++i)
        values.insert(random.next());
    EXPECT_GT(values.size(), 60u);
    for (int i = 0; i < 200; ++i) {
        const auto cubes = random.uniform(2, 4);
        EXPECT_GE(cubes, 2u);
        EXPECT_LE(cubes, 4u);
    }
}

} // namespace
} // namespace vesk
