#pragma once

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace vesk::test {

// A private X server for one test suite. Xvfb picks a free display number itself and
// writes it to a pipe once it accepts clients, so tests running side by side never meet.
class XvfbServer {
  public:
    static bool available() { return std::system("command -v Xvfb >/dev/null 2>&1") == 0; }

    XvfbServer() {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-noreset", "-screen", "0",
                     "1280x800x24", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        std::string number;
        pollfd ready{fds[0], POLLIN, 0};
        char c = 0;
        while (::poll(&ready, 1, 20000) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(fds[0]);
        if (!number.empty()) name_ = ":" + number;
    }
    ~XvfbServer() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Empty when the server did not come up.
    const std::string& name() const { return name_; }

    // Runs a command line against this server; true when it succeeded.
    bool run(const std::string& command) const {
        return std::system(("DISPLAY=" + name_ + " " + command + " >/dev/null 2>&1").c_str()) == 0;
    }

  private:
    pid_t pid_ = -1;
    std::string name_;
};

} // namespace vesk::test
