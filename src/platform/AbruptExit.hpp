#pragma once

#include <functional>

namespace vesk {

// Qt ends the process with exit(1) when its X server goes away (a logout whose display
// manager stops the server before the programs in it get a signal): no quit, no aboutToQuit.
// What must happen before any end (the data saved) is handed here as well; it runs once,
// from within that exit, while everything on the stack is still alive. A normal end, which
// destroys this first, runs nothing. One instance per process.
class AbruptExit {
  public:
    explicit AbruptExit(std::function<void()> last);
    ~AbruptExit();
    AbruptExit(const AbruptExit&) = delete;
    AbruptExit& operator=(const AbruptExit&) = delete;
};

} // namespace vesk
