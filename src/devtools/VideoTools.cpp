#include "devtools/VideoTools.hpp"

#include "platform/PngWriter.hpp"
#include "platform/PosixFileSystem.hpp"
#include "render/thumbs/ThumbnailRenderer.hpp"

#include <iostream>
#include <system_error>

namespace vesk::VideoTools {

int renderFrames(const std::vector<std::string>& words) {
    const FrameSchedule schedule(words);
    ThumbnailRenderer renderer;
    PosixFileSystem files;
    const auto draw = [&](const FrameSchedule& s, const FrameSchedule::Frame& frame) {
        renderer.aimCamera(frame.yaw, s.pitch, s.distance);
        auto image = renderer.render(s.seed, frame.n, s.width, s.height);
        if (!image && !renderer.log().empty()) std::cerr << "vesk: " << renderer.log() << '\n';
        return image;
    };
    return renderFrames(schedule, draw, files, std::cout, std::cerr);
}

int renderFrames(const FrameSchedule& schedule, const DrawFrame& draw, FileSystem& files, std::ostream& out,
                 std::ostream& err) {
    // A folder that cannot be made shows up as failed writes below.
    files.createDirectories(schedule.folder);
    std::int64_t failed = 0;
    const std::int64_t count = schedule.count();
    for (std::int64_t i = 0; i < count; ++i) {
        const auto path = schedule.folder / FrameSchedule::fileName(i);
        const auto image = draw(schedule, schedule.frame(i));
        if (!image) {
            err << "vesk: frame " << i << " could not be rendered\n";
            ++failed;
            continue;
        }
        if (!PngWriter::write(files, path, {image->width, image->height, image->rgba})) {
            err << "vesk: could not write " << path.string() << '\n';
            ++failed;
        }
    }
    std::error_code error;
    auto folder = std::filesystem::absolute(schedule.folder, error);
    if (error) folder = schedule.folder;
    out << "rendered " << count << " frames \u2192 " << folder.lexically_normal().string() << std::endl;
    if (failed > 0) err << "vesk: " << failed << " of " << count << " frames are missing\n";
    return failed > 0 ? 1 : 0;
}

} // namespace vesk::VideoTools
