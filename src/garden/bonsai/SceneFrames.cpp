#include "garden/bonsai/SceneFrames.hpp"

#include "render/gl/OffscreenRenderer.hpp"
#include "render/gl/SceneRenderer.hpp"
#include "render/live/WarmRenderer.hpp"

#include <iostream>
#include <malloc.h>

namespace vesk {

SceneFrames::SceneFrames(std::vector<QSize> warmSizes) {
    std::vector<std::pair<int, int>> sizes;
    for (const QSize& size : warmSizes)
        sizes.emplace_back(size.width(), size.height());
    making_ = std::async(std::launch::async, [this, sizes] { return makeWarmRenderer(sizes, makeLog_); });
    idle_.setSingleShot(true);
    idle_.setInterval(releaseAfterMs);
    QObject::connect(&idle_, &QTimer::timeout, [this] { releaseTargets(); });
}

SceneFrames::~SceneFrames() {
    // The context goes on this thread, made or still being made.
    if (making_.valid()) renderer_ = making_.get();
}

void SceneFrames::takeOver() {
    renderer_ = making_.get();
    if (!renderer_) {
        std::cerr << "vesk: the 3D views stay dark: " << makeLog_ << "\n";
        return;
    }
    software_ = gl::isSoftwareRenderer(renderer_->sceneRenderer().rendererName());
}

bool SceneFrames::ready() {
    if (making_.valid() && making_.wait_for(std::chrono::seconds(0)) == std::future_status::ready) takeOver();
    return renderer_ != nullptr;
}

bool SceneFrames::waitUntilReady() {
    if (making_.valid()) takeOver();
    return renderer_ != nullptr;
}

QImage SceneFrames::render(const scene::Scene& scene, const scene::Node& pov, QSize pixels, double time) {
    if (pixels.isEmpty() || !ready()) return {};
    const gl::Frame frame = renderer_->render(scene, pov, pixels.width(), pixels.height(), time);
    holdsTargets_ = true;
    idle_.start();
    if (frame.rgba.empty()) return {};
    return QImage(frame.rgba.data(), frame.width, frame.height, frame.width * 4, QImage::Format_RGBX8888)
        .copy();
}

void SceneFrames::releaseTargets() {
    if (!renderer_) return;
    renderer_->releaseTargets();
    holdsTargets_ = false;
    // What the driver freed is mostly small blocks of the heap: give it back to the system.
    malloc_trim(0);
}

} // namespace vesk
