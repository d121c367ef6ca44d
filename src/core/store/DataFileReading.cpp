#include "core/store/DataFileReading.hpp"

#include "core/model/DocumentCoding.hpp"

namespace vesk {

std::future<std::optional<DataFileReading>> readDataFileAhead(std::filesystem::path url, FileSystem& files,
                                                              Date now) {
    return std::async(std::launch::async, [url = std::move(url), &files, now] {
        FileRead read = files.read(files.resolve(url));
        std::optional<DataFileReading> reading;
        if (!read.ok()) return reading;
        auto snapshot = decodeSnapshot(*read, now);
        reading = DataFileReading{url, std::move(*read), std::move(snapshot)};
        return reading;
    });
}

} // namespace vesk
