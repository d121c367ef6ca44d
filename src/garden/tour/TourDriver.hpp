#pragma once

#include "core/runtime/Observations.hpp"

#include <cstddef>

namespace vesk {

class MainQueue;
class Store;
class TarnelUI;

// Moves the tour on when the user does what a step asks: the tour task done or gone, the
// growth reveal cleared (or 5 s later), the bonsai tab opened, a task added. It reads the
// step at the moment of each event, so an event for a step already left does nothing; none
// of its watchers fires for the values it starts with.
class TourDriver {
  public:
    TourDriver(Store& store, TarnelUI& ui, MainQueue& queue);

  private:
    bool welcomeDone() const;
    void tasksChanged();

    Store& store_;
    TarnelUI& ui_;
    MainQueue& queue_;
    // The last values seen, to tell a change from a repeat.
    bool welcomeDone_;
    bool revealCleared_;
    bool onBonsaiTab_;
    std::size_t taskCount_;
    Observations observations_;
};

} // namespace vesk
