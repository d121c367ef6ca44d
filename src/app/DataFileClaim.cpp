#include "app/DataFileClaim.hpp"

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
    if (!place) return besideRunning(dataFile, ", and it cannot be asked to open: " + place.reason());
    switch (ToggleSocket::send(*place)) {
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
    if (!attempt) {
        switch (attempt.failure().status) {
        case DataFileLock::Status::noLocks:
            break;
        case DataFileLock::Status::heldElsewhere:
            claim.outcome = handOver ? askRunning(place, dataFile) : besideRunning(dataFile);
            return claim;
        case DataFileLock::Status::failed:
            std::cerr << "vesk: cannot lock " << lockFile << ": " << attempt.reason()
                      << "; not starting, since another Vesk may be writing " << dataFile.string() << "\n";
            return claim;
        }
    }
    // A Vesk that answers on the file's socket is writing it, whatever the lock says: where the
    // file system has no locks, or its lock file was taken away.
    if (place && ToggleSocket::listening(*place)) {
        claim.outcome = handOver ? askRunning(place, dataFile) : besideRunning(dataFile);
        return claim;
    }
    if (attempt) {
        claim.lock = std::move(*attempt);
        claim.lock->keepInPlace();
    } else {
        std::cerr << "vesk: " << lockFile << " cannot be locked on this file system (" << attempt.reason()
                  << "): running unlocked, nothing keeps a second Vesk from writing " << dataFile.string()
                  << " too\n";
    }
    claim.outcome = Outcome::ours;
    const std::string noSocket = "vesk: running vesk again will not open this Vesk: ";
    if (!place) {
        std::cerr << noSocket << place.reason() << "\n";
        return claim;
    }
    // Requests wait in the socket until the event loop runs, after the start-up.
    auto socket = ToggleSocket::listen(*place, std::move(toggle));
    if (socket)
        claim.socket = std::move(*socket);
    else
        std::cerr << noSocket << "cannot listen at " << place->string() << ": " << socket.reason() << "\n";
    return claim;
}

} // namespace vesk
