#include "platform/TerminationSignals.hpp"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace vesk {
namespace {

constexpr std::array<int, 3> handled{SIGTERM, SIGINT, SIGHUP};
volatile std::sig_atomic_t writeEnd = -1;

void onSignal(int signal) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    if (writeEnd >= 0) {
        [[maybe_unused]] const auto written = ::write(writeEnd, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> received, QObject* parent)
    : QObject(parent), received_(std::move(received)) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    readEnd_.reset(ends[0]);
    writeEnd_.reset(ends[1]);
    writeEnd = ends[1];
    notifier_ = new QSocketNotifier(readEnd_.get(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { drain(); });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : handled)
        ::sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    for (const int signal : handled)
        std::signal(signal, SIG_DFL);
    // Before the pipe closes with its holders.
    writeEnd = -1;
}

void TerminationSignals::drain() {
    unsigned char byte;
    while (::read(readEnd_.get(), &byte, 1) == 1)
        if (received_) received_(byte);
}

} // namespace vesk
