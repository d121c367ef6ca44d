#pragma once

#include "platform/DataFileLock.hpp"
#include "platform/ToggleSocket.hpp"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vesk {

// Who writes a data file, as the start-up settles it. The lock decides, and a Vesk answering on
// the file's toggle socket wins over a lock that was free (its lock file taken away, or a file
// system without locks); the Vesk that writes listens there, and a plain second `vesk` asks that
// one to toggle its tarnel and ends. Running without the lock or the socket, and every refusal, is said on standard error.
struct DataFileClaim {
    enum class Outcome {
        ours,       // this Vesk writes the file
        handedOver, // the Vesk writing it took the request to toggle its tarnel
        refused,    // another Vesk may be writing it
    };
    Outcome outcome = Outcome::refused;
    std::unique_ptr<DataFileLock> lock;   // none where the file system has no locks
    std::unique_ptr<ToggleSocket> socket; // after the lock: goes while the lock is still held

    // `attempt`: the lock as tried on `dataFile`. `handOver`: a Vesk found running is asked to
    // toggle (a plain launch), rather than refused beside (a developer's). `toggle` serves a
    // request that reaches this Vesk.
    static DataFileClaim settle(DataFileLock::Attempt attempt, const std::filesystem::path& dataFile,
                                const std::optional<std::string>& runtimeFolder, bool handOver,
                                std::function<void()> toggle);
};

} // namespace vesk
