#pragma once

#include "core/runtime/FileReadWatcher.hpp"

#include <QObject>

class QSocketNotifier;

namespace vesk {

// Watches one file (the one now at the path) with inotify for reads, reported on the Qt main
// thread. Only reads count: an open for writing alone says nothing of what was seen.
class InotifyFileReads final : public FileReadWatcher {
  public:
    InotifyFileReads();
    ~InotifyFileReads() override;
    InotifyFileReads(const InotifyFileReads&) = delete;
    InotifyFileReads& operator=(const InotifyFileReads&) = delete;

    bool watch(const std::filesystem::path& file, std::function<void()> onRead) override;
    void stop() override;
    void ownRead(const std::function<void()>& read) override;

  private:
    // Reports the reads waiting in the queue, when there are any.
    void report();
    // Reads every waiting event; true when one was a read of the watched file.
    bool takeEvents();

    int fd_ = -1;
    int watch_ = -1;
    QObject owner_;
    QSocketNotifier* notifier_ = nullptr;
    std::function<void()> onRead_;
};

} // namespace vesk
