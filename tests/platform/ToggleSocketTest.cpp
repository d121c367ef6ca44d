#include "platform/ToggleSocket.hpp"

#include "PlatformTestSupport.hpp"

#include <future>
#include <gtest/gtest.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vesk {
namespace {

// A raw connection to `path`, or -1.
int connectRaw(const std::filesystem::path& path, int type = SOCK_SEQPACKET) {
    const int fd = ::socket(AF_UNIX, type | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof(address.sun_path), "%s", path.c_str());
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) return fd;
    ::close(fd);
    return -1;
}

// The second program's request, sent off the main thread while the event loop serves it.
ToggleSocket::Answer sendServed(const std::filesystem::path& path) {
    auto sent = std::async(std::launch::async, [&] { return ToggleSocket::send(path); });
    test::runEventsUntil([&] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
    return sent.get();
}

TEST(ToggleSocketTest, OnlyTheOneRequestTogglesAndOnlyForUs) {
    test::qtApplication();
    test::TempFolder runtime;
    const auto path = ToggleSocket::placeFor(runtime.path().string(), runtime / "data.json");
    ASSERT_TRUE(path);
    int toggles = 0;
    auto socket = ToggleSocket::listen(*path, [&] { ++toggles; });
    ASSERT_TRUE(socket);
    struct stat status {};
    ASSERT_EQ(::lstat(path->c_str(), &status), 0);
    EXPECT_TRUE(S_ISSOCK(status.st_mode));
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    EXPECT_EQ(sendServed(*path), ToggleSocket::Answer::taken);
    EXPECT_EQ(toggles, 1);

    // Garbage, a near miss, an overlong message, an empty close and a silent caller: no toggle,
    // and the socket still serves the real request afterwards.
    const std::string overlong = std::string(ToggleSocket::request) + std::string(200, 'x');
    for (const std::string& message : {std::string("\x01\xff garbage"), std::string("toggle\n"), overlong}) {
        const int fd = connectRaw(*path);
        ASSERT_GE(fd, 0);
        ::send(fd, message.data(), message.size(), MSG_NOSIGNAL);
        char reply[8];
        // The socket answers by closing without a word.
        auto answered = std::async(std::launch::async, [&] { return ::recv(fd, reply, sizeof(reply), 0); });
        test::runEventsUntil(
            [&] { return answered.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
        EXPECT_EQ(answered.get(), 0) << message.size();
        ::close(fd);
    }
    ::close(connectRaw(*path));
    const int silent = connectRaw(*path);
    EXPECT_EQ(connectRaw(*path, SOCK_STREAM), -1) << "a stream cannot speak to it";
    EXPECT_EQ(sendServed(*path), ToggleSocket::Answer::taken);
    EXPECT_EQ(toggles, 2);
    ::close(silent);

    // Another user cannot reach it, even through a folder open to all.
    std::filesystem::permissions(runtime.path(), std::filesystem::perms(0755));
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
        ::_exit(connectRaw(*path) >= 0 ? 1 : 0);
    }
    int childStatus = 0;
    ::waitpid(child, &childStatus, 0);
    if (::geteuid() == 0) {
        EXPECT_EQ(WEXITSTATUS(childStatus), 0) << "another user connected";
    }
    test::runEventsUntil([] { return false; }, 50);
    EXPECT_EQ(toggles, 2);

    socket->reset();
    EXPECT_FALSE(std::filesystem::exists(*path)) << "the socket file goes with the socket";
    EXPECT_EQ(ToggleSocket::send(*path), ToggleSocket::Answer::none);
}

TEST(ToggleSocketTest, ADeadVeskSocketIsReplacedAndALiveOneIsNot) {
    test::qtApplication();
    test::TempFolder runtime;
    const auto path = ToggleSocket::placeFor(runtime.path().string(), runtime / "data.json");
    ASSERT_TRUE(path);
    // The same data file spelt another way meets the same socket; another file does not.
    EXPECT_EQ(*ToggleSocket::placeFor(runtime.path().string(), runtime / "x" / ".." / "data.json"), *path);
    EXPECT_NE(*ToggleSocket::placeFor(runtime.path().string(), runtime / "other.json"), *path);

    {
        // What a killed Vesk leaves: a socket file nobody listens on.
        const int dead = ::socket(AF_UNIX, SOCK_SEQPACKET, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof(address.sun_path), "%s", path->c_str());
        ASSERT_EQ(::bind(dead, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
        ::close(dead);
    }
    EXPECT_EQ(ToggleSocket::send(*path), ToggleSocket::Answer::none);
    int toggles = 0;
    auto socket = ToggleSocket::listen(*path, [&] { ++toggles; });
    ASSERT_TRUE(socket);
    EXPECT_FALSE(ToggleSocket::listen(*path, [] {})) << "a live socket was taken over";
    EXPECT_EQ(sendServed(*path), ToggleSocket::Answer::taken);
    EXPECT_EQ(toggles, 1);
}

TEST(ToggleSocketTest, OnlyARuntimeFolderOfOursAloneHoldsTheSocket) {
    test::TempFolder runtime;
    const auto data = runtime / "data.json";
    const auto whyNone = [&](const std::optional<std::string>& folder) {
        const auto place = ToggleSocket::placeFor(folder, data);
        EXPECT_FALSE(place) << *place;
        return place ? std::string() : place.reason();
    };
    EXPECT_EQ(whyNone(std::nullopt), "XDG_RUNTIME_DIR is not set");
    EXPECT_EQ(whyNone("relative"), "XDG_RUNTIME_DIR is not an absolute path");
    const auto folder = runtime / "run";
    EXPECT_EQ(whyNone(folder.string()),
              "the runtime folder " + folder.string() + ": No such file or directory");
    std::filesystem::create_directory(folder);
    for (const auto mode : {0770, 0701, 01777}) {
        std::filesystem::permissions(folder, std::filesystem::perms(mode));
        EXPECT_EQ(whyNone(folder.string()),
                  "the runtime folder " + folder.string() + " is open to other users");
    }
    std::filesystem::permissions(folder, std::filesystem::perms(0700));
    EXPECT_TRUE(ToggleSocket::placeFor(folder.string(), data));
    std::filesystem::create_directory_symlink(folder, runtime / "link");
    EXPECT_EQ(whyNone((runtime / "link").string()),
              "the runtime folder " + (runtime / "link").string() + " is a symbolic link");
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
        EXPECT_EQ(whyNone(folder.string()),
                  "the runtime folder " + folder.string() + " belongs to another user");
    }
}

TEST(ToggleSocketTest, TheRequestGoesOnlyToAListenerOfOurOwnUser) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs a second user";
    test::TempFolder runtime;
    std::filesystem::permissions(runtime.path(), std::filesystem::perms(01777));
    const auto path = runtime / "vesk.sock";
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        // Another user's listener that would take the request: it says whether it heard one.
        ::alarm(20);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
        const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof(address.sun_path), "%s", path.c_str());
        if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
            ::listen(fd, 1) != 0)
            ::_exit(2);
        ::chmod(path.c_str(), 0777);
        ::write(ready[1], "r", 1);
        const int caller = ::accept(fd, nullptr, nullptr);
        char message[16];
        const ssize_t heard = ::recv(caller, message, sizeof(message), 0);
        if (heard > 0) ::send(caller, "ok", 2, MSG_NOSIGNAL);
        ::_exit(heard > 0 ? 1 : 0);
    }
    char byte;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    EXPECT_EQ(ToggleSocket::send(path), ToggleSocket::Answer::none);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the other user's listener heard the request";
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(ToggleSocketTest, AVeskTooBusyToAnswerIsToldFromNoVesk) {
    test::qtApplication();
    test::TempFolder runtime;
    const auto path = ToggleSocket::placeFor(runtime.path().string(), runtime / "data.json");
    ASSERT_TRUE(path);
    auto socket = ToggleSocket::listen(*path, [] {});
    ASSERT_TRUE(socket);
    std::vector<int> silent;
    for (int i = 0; i < 4; ++i)
        silent.push_back(connectRaw(*path));
    EXPECT_EQ(sendServed(*path), ToggleSocket::Answer::silent);
    for (const int fd : silent)
        ::close(fd);
}

} // namespace
} // namespace vesk
