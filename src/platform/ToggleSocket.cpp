#include "platform/ToggleSocket.hpp"

#include "platform/PosixFileSystem.hpp"

#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vesk {
namespace {

constexpr std::string_view acknowledgement = "ok";
// A caller that connects and then says nothing is let go after this long.
constexpr int silentCallerMs = 2000;
// More callers at once than any shortcut makes; the rest are turned away.
constexpr std::size_t maxCallers = 4;

std::optional<sockaddr_un> addressOf(const std::filesystem::path& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string& name = path.native();
    if (name.size() >= sizeof(address.sun_path)) return std::nullopt;
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    return address;
}

UniqueFd openSocket(int flags) {
    return UniqueFd(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | flags, 0));
}

bool connectTo(int fd, const sockaddr_un& address) {
    return ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
}

// A socket file whose Vesk has died refuses connections. Anything else is left alone.
bool isDeadSocket(const std::filesystem::path& path, const sockaddr_un& address) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISSOCK(status.st_mode)) return false;
    const UniqueFd probe = openSocket(0);
    return probe.valid() && !connectTo(probe.get(), address) && errno == ECONNREFUSED;
}

std::uint64_t inodeOf(const std::filesystem::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

// Whether the other end of a connection, the caller or the listener, runs as our user.
bool peerIsUs(int connection) {
    ucred peer{};
    socklen_t size = sizeof(peer);
    return ::getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
}

// A connection to the listener at `path`, each step given at most `timeoutMs`; none when none of
// ours listens there. Another user's listener never hears the request, and its answer means nothing.
UniqueFd connectToOurs(const std::filesystem::path& path, int timeoutMs) {
    const auto address = addressOf(path);
    if (!address) return {};
    UniqueFd fd = openSocket(0);
    if (!fd.valid()) return {};
    const timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    ::setsockopt(fd.get(), SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof(timeout));
    ::setsockopt(fd.get(), SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
    if (connectTo(fd.get(), *address) && peerIsUs(fd.get())) return fd;
    return {};
}

// Why `folder` is no place for the socket, unless it is ours alone: a folder others may enter
// or write lets them plant a socket under its name, or take ours away.
std::optional<std::string> whyNotOurs(const std::string& folder) {
    struct stat status {};
    if (::lstat(folder.c_str(), &status) != 0)
        return "the runtime folder " + folder + ": " + std::strerror(errno);
    if (S_ISLNK(status.st_mode)) return "the runtime folder " + folder + " is a symbolic link";
    if (!S_ISDIR(status.st_mode)) return "the runtime folder " + folder + " is not a folder";
    if (status.st_uid != ::geteuid()) return "the runtime folder " + folder + " belongs to another user";
    if ((status.st_mode & 077) != 0) return "the runtime folder " + folder + " is open to other users";
    return std::nullopt;
}

} // namespace

ToggleSocket::Place ToggleSocket::placeFor(const std::optional<std::string>& runtimeFolder,
                                           const std::filesystem::path& dataFile) {
    if (!runtimeFolder || runtimeFolder->empty()) return Failure{"XDG_RUNTIME_DIR is not set"};
    if ((*runtimeFolder)[0] != '/') return Failure{"XDG_RUNTIME_DIR is not an absolute path"};
    if (auto why = whyNotOurs(*runtimeFolder)) return Failure{std::move(*why)};
    // One socket per data file, however its path was spelt.
    const std::filesystem::path file = resolveOwnLinks(dataFile);
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (const char c : file.native()) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char name[32];
    std::snprintf(name, sizeof(name), "vesk-%016llx.sock", static_cast<unsigned long long>(hash));
    std::filesystem::path path = std::filesystem::path(*runtimeFolder) / name;
    if (!addressOf(path)) return Failure{"the runtime folder's path is too long for a socket"};
    return path;
}

Result<std::unique_ptr<ToggleSocket>> ToggleSocket::listen(const std::filesystem::path& path,
                                                           std::function<void()> toggle) {
    const auto address = addressOf(path);
    if (!address) return Failure{std::strerror(ENAMETOOLONG)};
    UniqueFd fd = openSocket(SOCK_NONBLOCK);
    if (!fd.valid()) return Failure{std::strerror(errno)};
    // The file that bind creates takes the socket's mode: never reachable by another user,
    // not even for an instant.
    const auto bindTo = [&] {
        return ::bind(fd.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof(*address)) == 0;
    };
    bool bound = ::fchmod(fd.get(), 0600) == 0 && bindTo();
    if (!bound && errno == EADDRINUSE && isDeadSocket(path, *address)) {
        ::unlink(path.c_str());
        bound = bindTo();
    }
    if (!bound || ::listen(fd.get(), 8) != 0) {
        Failure failure{std::strerror(errno)};
        if (bound) ::unlink(path.c_str());
        return failure;
    }
    return std::unique_ptr<ToggleSocket>(new ToggleSocket(std::move(fd), path, std::move(toggle)));
}

ToggleSocket::ToggleSocket(UniqueFd fd, std::filesystem::path path, std::function<void()> toggle)
    : fd_(std::move(fd)), path_(std::move(path)), inode_(inodeOf(path_)), toggle_(std::move(toggle)),
      notifier_(new QSocketNotifier(fd_.get(), QSocketNotifier::Read, this)) {
    connect(notifier_, &QSocketNotifier::activated, this, [this] { accept(); });
}

ToggleSocket::~ToggleSocket() {
    callers_.clear();
    fd_.reset();
    // Only our own file: never one a later Vesk put in its place.
    if (inode_ != 0 && inodeOf(path_) == inode_) ::unlink(path_.c_str());
}

void ToggleSocket::accept() {
    for (;;) {
        UniqueFd connection(::accept4(fd_.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!connection.valid()) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return;
        }
        if (!peerIsUs(connection.get()) || callers_.size() >= maxCallers) continue;
        const std::uint64_t id = ++lastCaller_;
        auto* notifier = new QSocketNotifier(connection.get(), QSocketNotifier::Read, this);
        callers_[id] = Caller{std::move(connection), notifier};
        connect(notifier, &QSocketNotifier::activated, this, [this, id] { read(id); });
        QTimer::singleShot(silentCallerMs, notifier, [this, id] { drop(id); });
    }
}

void ToggleSocket::read(std::uint64_t id) {
    const auto found = callers_.find(id);
    if (found == callers_.end()) return;
    const int connection = found->second.fd.get();
    // One message at most this long; a longer one arrives cut short and is refused too.
    char message[64];
    const ssize_t size = ::recv(connection, message, sizeof(message), MSG_DONTWAIT);
    if (size < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
    const bool asked = size == static_cast<ssize_t>(request.size()) &&
                       std::string_view(message, static_cast<std::size_t>(size)) == request;
    if (asked)
        ::send(connection, acknowledgement.data(), acknowledgement.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    drop(id);
    if (asked && toggle_) toggle_();
}

void ToggleSocket::drop(std::uint64_t id) {
    const auto found = callers_.find(id);
    if (found == callers_.end()) return;
    found->second.notifier->setEnabled(false);
    found->second.notifier->deleteLater();
    callers_.erase(found);
}

bool ToggleSocket::listening(const std::filesystem::path& path) {
    return connectToOurs(path, 5000).valid();
}

ToggleSocket::Answer ToggleSocket::send(const std::filesystem::path& path, int timeoutMs) {
    const UniqueFd fd = connectToOurs(path, timeoutMs);
    if (!fd.valid()) return Answer::none;
    char reply[8];
    const bool taken =
        ::send(fd.get(), request.data(), request.size(), MSG_NOSIGNAL) ==
            static_cast<ssize_t>(request.size()) &&
        ::recv(fd.get(), reply, sizeof(reply), 0) == static_cast<ssize_t>(acknowledgement.size()) &&
        std::string_view(reply, acknowledgement.size()) == acknowledgement;
    return taken ? Answer::taken : Answer::silent;
}

} // namespace vesk
