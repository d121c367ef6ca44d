#include "core/runtime/FileWriter.hpp"

namespace vesk {

FileWriter::Outcome writeReplacing(FileSystem& files, const FileWriter::Job& job) {
    Replacement replacement = files.replace(job.path, *job.bytes, job.base.get());
    if (!replacement) return replacement.failure();
    FileWriter::Written written;
    if (!replacement->displaced) return written;
    FileRead displaced = files.read(*replacement->displaced);
    if (!job.keepReplaced && displaced.ok() && job.base && *displaced == *job.base) {
        files.remove(*replacement->displaced);
        return written;
    }
    written.replaced = std::move(replacement->displaced);
    // One that cannot be read is handed back all the same, as holding nothing.
    if (displaced) written.replacedBytes = std::move(*displaced);
    return written;
}

} // namespace vesk
