#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace vesk {

// One background thread running jobs in the order they were posted; the engine's builds run
// here so that no two builds overlap. The destructor finishes queued jobs, then joins.
class SerialWorker {
  public:
    using Job = std::function<void()>;

    explicit SerialWorker(std::string name = "vesk.bonsai.worker");
    ~SerialWorker();
    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;

    void post(Job job);
    // Forgets the jobs not yet started; the one running finishes.
    void discardPending();

  private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::string name_;
    std::thread thread_;
};

} // namespace vesk
