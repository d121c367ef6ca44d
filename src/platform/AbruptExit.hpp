#pragma once

#include <functional>
#include <memory>

namespace vesk {

// Qt ends the process with exit(1) when its X server goes away (a logout whose display
// manager stops the server before the programs in it get a signal): no quit, no aboutToQuit.
// Its last word before that exit is a warning on the main thread; when one comes while
// `displayGone` says so, `last` runs there, on the live objects, and the process ends at once
// with the status it returns. Letting the exit go on would be no end for the data: it
// destroys static objects (some of them the save's own) while other threads still work.
// One instance per process; destroying it, as a normal end does, ends the watch.
class AbruptExit {
  public:
    AbruptExit(std::function<bool()> displayGone, std::function<int()> last);
    ~AbruptExit();
    AbruptExit(const AbruptExit&) = delete;
    AbruptExit& operator=(const AbruptExit&) = delete;

    struct Watch;

  private:
    std::unique_ptr<Watch> watch_;
};

} // namespace vesk
