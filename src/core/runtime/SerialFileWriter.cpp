#include "core/runtime/SerialFileWriter.hpp"

#include <utility>

namespace vesk {

void SerialFileWriter::write(Job job) {
    worker_.post([this, job = std::move(job)] {
        Outcome outcome = writeReplacing(files_, job);
        std::lock_guard lock(mutex_);
        outcomes_.push_back(std::move(outcome));
    });
}

std::vector<FileWriter::Outcome> SerialFileWriter::finished() {
    std::lock_guard lock(mutex_);
    return std::exchange(outcomes_, {});
}

} // namespace vesk
