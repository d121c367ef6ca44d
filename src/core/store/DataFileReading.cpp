#include "core/store/DataFileReading.hpp"

#include "core/model/DocumentCoding.hpp"

namespace vesk {

std::future<std::optional<DataFileReading>> readDataFileAhead(std::filesystem::path path, FileSystem& files,
                                                              Date now) {
    return std::async(std::launch::async, [path = std::move(path), &files, now] {
        FileRead read = files.read(files.resolve(path));
        std::optional<DataFileReading> reading;
        if (!read.ok()) return reading;
        auto snapshot = decodeSnapshot(*read, now);
        reading = DataFileReading{path, std::move(*read), std::move(snapshot)};
        return reading;
    });
}

} // namespace vesk
