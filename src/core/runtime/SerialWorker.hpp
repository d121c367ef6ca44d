#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <limits>
#include <mutex>
#include <string>
#include <thread>

namespace vesk {

// One background thread running jobs one after another in the order they were posted. The
// thread starts with the first job, so a worker never used costs nothing. The destructor
// finishes the queued jobs, then joins.
class SerialWorker {
  public:
    using Job = std::function<void()>;

    explicit SerialWorker(std::string name);
    ~SerialWorker();
    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;

    // Queues the job unless `maxPending` jobs are already waiting to start; says whether it did.
    bool post(Job job, std::size_t maxPending = std::numeric_limits<std::size_t>::max());
    // Forgets the jobs not yet started; the one running finishes.
    void discardPending();
    // Blocks until every job posted so far has finished.
    void wait();

  private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_; // a job came, or the worker is stopping
    std::condition_variable idle_; // a job finished
    std::deque<Job> jobs_;         // under mutex_, as is everything below
    bool running_ = false;
    bool stopping_ = false;
    std::string name_;
    std::thread thread_;
};

} // namespace vesk
