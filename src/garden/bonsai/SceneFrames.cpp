#include "garden/bonsai/SceneFrames.hpp"

#include "render/gl/OffscreenRenderer.hpp"
#include "render/gl/SceneRenderer.hpp"

#include <iostream>

namespace vesk {

SceneFrames::SceneFrames() = default;
SceneFrames::~SceneFrames() = default;

bool SceneFrames::ensureRenderer() {
    if (renderer_ || tried_) return renderer_ != nullptr;
    tried_ = true;
    std::string log;
    renderer_ = gl::OffscreenRenderer::make(log);
    if (!renderer_) {
        std::cerr << "vesk: the 3D views stay dark: " << log << "\n";
        return false;
    }
    gl::SceneRenderer& scene = renderer_->sceneRenderer();
    software_ = gl::isSoftwareRenderer(scene.rendererName());
    if (software_) scene.setQuality(gl::RenderQuality::light());
    return true;
}

QImage SceneFrames::render(const scene::Scene& scene, const scene::Node& pov, QSize pixels, double time) {
    if (pixels.isEmpty() || !ensureRenderer()) return {};
    const gl::Frame frame = renderer_->render(scene, pov, pixels.width(), pixels.height(), time);
    if (frame.rgba.empty()) return {};
    return QImage(frame.rgba.data(), frame.width, frame.height, frame.width * 4, QImage::Format_RGBX8888)
        .copy();
}

} // namespace vesk
