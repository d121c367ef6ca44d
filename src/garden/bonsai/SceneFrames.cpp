#include "garden/bonsai/SceneFrames.hpp"

#include "render/gl/OffscreenRenderer.hpp"
#include "render/gl/SceneRenderer.hpp"
#include "render/live/WarmRenderer.hpp"

#include <iostream>
#include <malloc.h>

namespace vesk {

SceneFrames::SceneFrames(std::vector<QSize> warmSizes) {
    for (const QSize& size : warmSizes)
        warmSizes_.emplace_back(size.width(), size.height());
    idle_.setSingleShot(true);
    idle_.setInterval(releaseAfterMs);
    QObject::connect(&idle_, &QTimer::timeout, [this] { releaseTargets(); });
    unused_.setSingleShot(true);
    unused_.setInterval(dropAfterMs);
    QObject::connect(&unused_, &QTimer::timeout, [this] { drop(); });
    // Often enough that a waiting reveal opens within a frame of the context being ready.
    readyLook_.setInterval(16);
    QObject::connect(&readyLook_, &QTimer::timeout, [this] { lookForReady(); });
}

SceneFrames::~SceneFrames() {
    // The context goes on this thread, made or still being made, without its warm-up's
    // remaining frames: a quit does not wait for them.
    stopMaking_ = true;
    if (making_.valid()) renderer_ = making_.get();
}

void SceneFrames::warm() {
    if (renderer_ || making_.valid() || unavailable_) return;
    // A context still going is gone first: the two never hold their memory at once.
    making_ = std::async(std::launch::async, [this, sizes = warmSizes_, previous = std::move(dropping_)] {
        if (previous.valid()) previous.wait();
        return makeWarmRenderer(sizes, makeLog_, &stopMaking_);
    });
}

void SceneFrames::takeOver() {
    renderer_ = making_.get();
    if (!renderer_) {
        unavailable_ = true;
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
    warm();
    if (making_.valid()) takeOver();
    return renderer_ != nullptr;
}

void SceneFrames::whenReady(std::function<void()> then) {
    if (ready() || unavailable_) return then();
    warm();
    if (waiting_.empty()) waitingSince_.start();
    waiting_.push_back(std::move(then));
    readyLook_.start();
}

void SceneFrames::lookForReady() {
    if (!ready() && !unavailable_ && !waitingSince_.hasExpired(readyDeadlineMs)) return;
    readyLook_.stop();
    for (auto& then : std::exchange(waiting_, {}))
        then();
}

void SceneFrames::setPanelOpen(bool open) {
    panelOpen_ = open;
    if (open) {
        unused_.stop();
        warm();
    } else {
        unused_.start();
    }
}

QImage SceneFrames::render(const scene::Scene& scene, const scene::Node& pov, QSize pixels, double time) {
    if (pixels.isEmpty()) return {};
    if (!ready()) {
        warm();
        return {};
    }
    const gl::Frame frame = renderer_->render(scene, pov, pixels.width(), pixels.height(), time);
    holdsTargets_ = true;
    idle_.start();
    if (!panelOpen_) unused_.start();
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

void SceneFrames::drop() {
    ready();
    if (making_.valid()) {
        // Still being made: this thread does not wait for it.
        unused_.start();
        return;
    }
    idle_.stop();
    unused_.stop();
    holdsTargets_ = false;
    if (!renderer_) return;
    // The context, its programs, the uploads and, with the last context, the display go on a
    // thread of their own: the driver takes its time tearing them down.
    renderer_->release();
    dropping_ = std::async(std::launch::async, [renderer = std::move(renderer_)]() mutable {
        renderer.reset();
        malloc_trim(0);
    });
}

} // namespace vesk
