#pragma once

#include "core/runtime/Result.hpp"
#include "platform/UniqueFd.hpp"

#include <QObject>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QSocketNotifier;

namespace vesk {

// How a second `vesk` on the same data file toggles the running one: the running Vesk
// listens on a socket of its own in the user's runtime folder, and the second one sends the
// one request and ends. That is what a desktop shortcut runs where Alt+Space belongs to the
// desktop, and the only way on Wayland, where an X grab sees no key while a native window
// has the keyboard.
//
// The socket is the user's alone: only in a runtime folder that no one else may enter, mode
// 0600, each caller's user checked, and the sender speaks only to a listener of its own user.
// A connection that sends anything but the request, or nothing for a while, is closed
// without effect.
class ToggleSocket final : public QObject {
  public:
    static constexpr std::string_view request = "toggle";

    // Where the socket of the Vesk writing `dataFile` is, in `runtimeFolder` ($XDG_RUNTIME_DIR),
    // or why there is none: the folder is not given, is not ours alone, or the name would not
    // fit in a socket address.
    using Place = Result<std::filesystem::path>;
    static Place placeFor(const std::optional<std::string>& runtimeFolder,
                          const std::filesystem::path& dataFile);

    // Listens at `path`, replacing the socket a dead Vesk left there; why not, when it cannot.
    // `toggle` runs on the main thread, once per request.
    static Result<std::unique_ptr<ToggleSocket>> listen(const std::filesystem::path& path,
                                                        std::function<void()> toggle);

    // From the second program.
    enum class Answer {
        taken,  // the Vesk listening has taken the request
        silent, // a Vesk of ours listens there but did not take it in time
        none,   // no Vesk of ours listens there
    };
    static Answer send(const std::filesystem::path& path, int timeoutMs = 5000);
    // Whether a Vesk of ours listens at `path`, asking it nothing.
    static bool listening(const std::filesystem::path& path);

    ~ToggleSocket() override; // the socket file goes with it
    ToggleSocket(const ToggleSocket&) = delete;
    ToggleSocket& operator=(const ToggleSocket&) = delete;

  private:
    ToggleSocket(UniqueFd fd, std::filesystem::path path, std::function<void()> toggle);
    struct Caller {
        UniqueFd fd;
        QSocketNotifier* notifier;
    };

    void accept();
    void read(std::uint64_t caller);
    void drop(std::uint64_t caller);

    UniqueFd fd_;
    std::filesystem::path path_;
    std::uint64_t inode_ = 0;
    std::function<void()> toggle_;
    QSocketNotifier* notifier_;
    // Keyed by a number of our own: a closed connection's fd may come back at once.
    std::map<std::uint64_t, Caller> callers_;
    std::uint64_t lastCaller_ = 0;
};

} // namespace vesk
