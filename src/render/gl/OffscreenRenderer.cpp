// clang-format off
#include <epoxy/gl.h> // first: epoxy refuses to follow other GL headers
// clang-format on

#include "render/gl/OffscreenRenderer.hpp"

#include "render/gl/EglContext.hpp"
#include "render/gl/SceneRenderer.hpp"

#include <algorithm>
#include <cstring>

namespace vesk::gl {

namespace {
// Frames larger than this are refused rather than left to fail inside the driver.
constexpr int kMaxSide = 8192;
} // namespace

std::unique_ptr<OffscreenRenderer> OffscreenRenderer::make(std::string& log) {
    auto context = EglContext::make(log);
    if (!context) return nullptr;
    auto renderer = SceneRenderer::make(log);
    if (!renderer) return nullptr;
    std::unique_ptr<OffscreenRenderer> r(new OffscreenRenderer());
    r->context_ = std::move(context);
    r->renderer_ = std::move(renderer);
    return r;
}

OffscreenRenderer::~OffscreenRenderer() {
    if (!context_) return;
    context_->makeCurrent();
    renderer_.reset();
    deleteTarget();
}

bool OffscreenRenderer::makeCurrent() const {
    return context_->makeCurrent();
}

void OffscreenRenderer::deleteTarget() {
    if (fbo_) glDeleteFramebuffers(1, &fbo_);
    if (color_) glDeleteRenderbuffers(1, &color_);
    fbo_ = color_ = 0;
    width_ = height_ = 0;
}

void OffscreenRenderer::releaseTargets() {
    if (!makeCurrent()) return;
    deleteTarget();
    renderer_->releaseTargets();
    // Deleting is queued like drawing: the driver frees the memory once it has run.
    glFinish();
}

void OffscreenRenderer::release() {
    context_->release();
}

void OffscreenRenderer::ensureTarget(int width, int height) {
    if (width == width_ && height == height_) return;
    deleteTarget();
    glGenRenderbuffers(1, &color_);
    glBindRenderbuffer(GL_RENDERBUFFER, color_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glGenFramebuffers(1, &fbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color_);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    width_ = width;
    height_ = height;
}

Frame OffscreenRenderer::render(const scene::Scene& scene, const scene::Node& pov, int width, int height,
                                double timeSeconds) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || !makeCurrent()) return {};
    while (glGetError() != GL_NO_ERROR) {
    }
    ensureTarget(width, height);
    renderer_->render(scene, pov, {fbo_, width, height}, timeSeconds);

    Frame frame{width, height, std::vector<std::uint8_t>(std::size_t(width) * std::size_t(height) * 4)};
    glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo_);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, frame.rgba.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    if (glGetError() != GL_NO_ERROR) return {};
    // GL's row 0 is the bottom one.
    const std::size_t row = std::size_t(width) * 4;
    std::vector<std::uint8_t> swap(row);
    for (int y = 0; y < height / 2; ++y) {
        std::uint8_t* a = frame.rgba.data() + std::size_t(y) * row;
        std::uint8_t* b = frame.rgba.data() + std::size_t(height - 1 - y) * row;
        std::memcpy(swap.data(), a, row);
        std::memcpy(a, b, row);
        std::memcpy(b, swap.data(), row);
    }
    return frame;
}

} // namespace vesk::gl
