#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace vesk {

// A serial queue: one thread of its own runs the submitted tasks one after another, in
// order. Destroying it runs what is still queued, then joins the thread.
class SerialQueue {
  public:
    enum class Priority { userInitiated, utility };

    // The thread is named after `label` (cut to the 15 characters Linux keeps).
    SerialQueue(std::string label, Priority priority);
    ~SerialQueue();
    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    void submit(std::function<void()> task);
    // Blocks until every task submitted so far has run.
    void waitIdle();

  private:
    void run(std::string label, Priority priority);

    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<std::function<void()>> tasks_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace vesk
