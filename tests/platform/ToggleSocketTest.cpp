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
bool sendServed(const std::filesystem::path& path) {
    auto sent = std::async(std::launch::async, [&] { return ToggleSocket::send(path); });
    test::runEventsUntil([&] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
    return sent.get();
}

TEST(ToggleSocketTest, OnlyTheOneRequestTogglesAndOnlyForUs) {
    test::qtApplication();
    test::TempFolder runtime;
    const auto path = ToggleSocket::pathFor(runtime.path().string(), runtime / "data.json");
    ASSERT_TRUE(path);
    int toggles = 0;
    auto socket = ToggleSocket::listen(*path, [&] { ++toggles; });
    ASSERT_TRUE(socket);
    struct stat status {};
    ASSERT_EQ(::lstat(path->c_str(), &status), 0);
    EXPECT_TRUE(S_ISSOCK(status.st_mode));
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    EXPECT_TRUE(sendServed(*path));
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
    EXPECT_TRUE(sendServed(*path));
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

    socket.reset();
    EXPECT_FALSE(std::filesystem::exists(*path)) << "the socket file goes with the socket";
    EXPECT_FALSE(ToggleSocket::send(*path));
}

TEST(ToggleSocketTest, ADeadVeskSocketIsReplacedAndALiveOneIsNot) {
    test::qtApplication();
    test::TempFolder runtime;
    const auto path = ToggleSocket::pathFor(runtime.path().string(), runtime / "data.json");
    ASSERT_TRUE(path);
    // The same data file spelt another way meets the same socket; another file does not.
    EXPECT_EQ(ToggleSocket::pathFor(runtime.path().string(), runtime / "x" / ".." / "data.json"), path);
    EXPECT_NE(ToggleSocket::pathFor(runtime.path().string(), runtime / "other.json"), path);
    EXPECT_FALSE(ToggleSocket::pathFor(std::nullopt, runtime / "data.json"));
    EXPECT_FALSE(ToggleSocket::pathFor("relative", runtime / "data.json"));

    {
        // What a killed Vesk leaves: a socket file nobody listens on.
        const int dead = ::socket(AF_UNIX, SOCK_SEQPACKET, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof(address.sun_path), "%s", path->c_str());
        ASSERT_EQ(::bind(dead, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
        ::close(dead);
    }
    EXPECT_FALSE(ToggleSocket::send(*path));
    int toggles = 0;
    auto socket = ToggleSocket::listen(*path, [&] { ++toggles; });
    ASSERT_TRUE(socket);
    EXPECT_FALSE(ToggleSocket::listen(*path, [] {})) << "a live socket was taken over";
    EXPECT_TRUE(sendServed(*path));
    EXPECT_EQ(toggles, 1);
}

} // namespace
} // namespace vesk
