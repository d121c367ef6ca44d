#include "app/DataFileClaim.hpp"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace vesk {

namespace {

using Outcome = DataFileClaim::Outcome;

Outcome besideRunning(const std::filesystem::path& dataFile, const std::string& why = {}) {
    std::cerr << "vesk: another Vesk is already running on " << dataFile.string() << why << "\n";
    return Outcome::refused;
}

// Asks the Vesk that holds the lock to toggle its tarnel.
Outcome askRunning(const ToggleSocket::Place& place, const std::filesystem::path& dataFile) {
    if (!place.path) return besideRunning(dataFile, ", and it cannot be asked to open: " + place.whyNone);
    switch (ToggleSocket::send(*place.path)) {
    case ToggleSocket::Answer::taken:
        return Outcome::handedOver;
    case ToggleSocket::Answer::silent:
        std::cerr << "vesk: the Vesk running on " << dataFile.string() << " did not answer\n";
        return Outcome::refused;
    case ToggleSocket::Answer::none:
        break;
    }
    return besideRunning(dataFile);
}

} // namespace

DataFileClaim DataFileClaim::settle(DataFileLock::Attempt attempt, const std::filesystem::path& dataFile,
                                    const std::optional<std::string>& runtimeFolder, bool handOver,
                                    std::function<void()> toggle) {
    DataFileClaim claim;
    const ToggleSocket::Place place = ToggleSocket::placeFor(runtimeFolder, dataFile);
    const std::string lockFile = DataFileLock::lockPath(dataFile).string();
    switch (attempt.status) {
    case DataFileLock::Status::held:
    case DataFileLock::Status::noLocks:
        break;
    case DataFileLock::Status::heldElsewhere:
        claim.outcome = handOver ? askRunning(place, dataFile) : besideRunning(dataFile);
        return claim;
    case DataFileLock::Status::failed:
        std::cerr << "vesk: cannot lock " << lockFile << ": " << attempt.reason
                  << "; not starting, since another Vesk may be writing " << dataFile.string() << "\n";
        return claim;
    }
    // A Vesk that answers on the file's socket is writing it, whatever the lock says: where the
    // file system has no locks, or its lock file was taken away.
    if (place.path && ToggleSocket::listening(*place.path)) {
        claim.outcome = handOver ? askRunning(place, dataFile) : besideRunning(dataFile);
        return claim;
    }
    if (attempt.status == DataFileLock::Status::noLocks)
        std::cerr << "vesk: " << lockFile << " cannot be locked on this file system (" << attempt.reason
                  << "): running unlocked, nothing keeps a second Vesk from writing " << dataFile.string()
                  << " too\n";
    claim.lock = std::move(attempt.lock);
    if (claim.lock) claim.lock->keepInPlace();
    claim.outcome = Outcome::ours;
    const std::string noSocket = "vesk: running vesk again will not open this Vesk: ";
    if (!place.path) {
        std::cerr << noSocket << place.whyNone << "\n";
        return claim;
    }
    // Requests wait in the socket until the event loop runs, after the start-up.
    claim.socket = ToggleSocket::listen(*place.path, std::move(toggle));
    if (!claim.socket)
        std::cerr << noSocket << "cannot listen at " << place.path->string() << ": " << std::strerror(errno)
                  << "\n";
    return claim;
}

} // namespace vesk
