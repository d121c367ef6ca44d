#pragma once

#include "platform/UniqueFd.hpp"

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace vesk {

// SIGTERM, SIGINT and SIGHUP (logout, Ctrl+C, a closed terminal) end the program the way
// "Quit Vesk" does, on the main thread, so that the data is saved first. The handler only
// writes the signal into a pipe that the event loop watches. One instance per process.
class TerminationSignals final : public QObject {
  public:
    explicit TerminationSignals(std::function<void(int signal)> received, QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

  private:
    void drain();

    std::function<void(int)> received_;
    UniqueFd readEnd_;
    UniqueFd writeEnd_; // the handler's, which knows only its number
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace vesk
