#include "core/runtime/FileWriter.hpp"

namespace vesk {

FileWriter::Outcome writeReplacing(FileSystem& files, const FileWriter::Job& job) {
    using Status = FileWriter::Outcome::Status;
    Replacement replacement = files.replace(job.path, *job.bytes, job.base.get());
    FileWriter::Outcome outcome;
    switch (replacement.status) {
    case Replacement::Status::failed:
        outcome.failure = std::move(replacement.failure);
        return outcome;
    case Replacement::Status::changed:
        outcome.status = Status::changed;
        return outcome;
    case Replacement::Status::replaced:
        outcome.status = Status::written;
        break;
    }
    if (!replacement.displaced) return outcome;
    FileRead displaced = files.read(*replacement.displaced);
    if (!job.keepReplaced && displaced.ok() && job.base && displaced.bytes == *job.base) {
        files.remove(*replacement.displaced);
        return outcome;
    }
    outcome.replaced = std::move(replacement.displaced);
    outcome.replacedBytes = std::move(displaced.bytes);
    return outcome;
}

} // namespace vesk
