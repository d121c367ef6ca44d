// clang-format off
#include <epoxy/gl.h> // first: epoxy refuses to follow other GL headers
// clang-format on

#include "render/gl/FrameTargets.hpp"

#include <algorithm>

namespace vesk::gl {

namespace {

GLuint makeTexture(int w, int h, GLenum internalFormat, GLenum format, GLenum type) {
    GLuint t = 0;
    glGenTextures(1, &t);
    glBindTexture(GL_TEXTURE_2D, t);
    glTexImage2D(GL_TEXTURE_2D, 0, GLint(internalFormat), w, h, 0, format, type, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
    return t;
}

GLuint makeRenderbuffer(int w, int h, int samples, GLenum format) {
    GLuint rb = 0;
    glGenRenderbuffers(1, &rb);
    glBindRenderbuffer(GL_RENDERBUFFER, rb);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, w, h);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    return rb;
}

GLuint framebufferWith(GLenum attachment, GLuint texture) {
    GLuint fbo = 0;
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, attachment, GL_TEXTURE_2D, texture, 0);
    return fbo;
}

} // namespace

TextureTarget makeTextureTarget(int width, int height, unsigned internalFormat) {
    TextureTarget t;
    t.width = std::max(width, 1);
    t.height = std::max(height, 1);
    const bool single = internalFormat == GL_R8 || internalFormat == GL_R16F;
    t.texture =
        makeTexture(t.width, t.height, internalFormat, single ? GL_RED : GL_RGBA,
                    internalFormat == GL_RGBA8 || internalFormat == GL_R8 ? GL_UNSIGNED_BYTE : GL_FLOAT);
    t.fbo = framebufferWith(GL_COLOR_ATTACHMENT0, t.texture);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return t;
}

TextureTarget makeDepthTarget(int width, int height, bool compare) {
    TextureTarget t;
    t.width = std::max(width, 1);
    t.height = std::max(height, 1);
    t.texture = makeTexture(t.width, t.height, GL_DEPTH_COMPONENT24, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT);
    glBindTexture(GL_TEXTURE_2D, t.texture);
    // Compared depths filter (a 2×2 shadow test per tap); raw depths are read exactly.
    const GLint filter = compare ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    if (compare) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    t.fbo = framebufferWith(GL_DEPTH_ATTACHMENT, t.texture);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return t;
}

void deleteTextureTarget(TextureTarget& t) {
    if (t.fbo) glDeleteFramebuffers(1, &t.fbo);
    if (t.texture) glDeleteTextures(1, &t.texture);
    t = {};
}

FrameTargets::~FrameTargets() {
    release();
}

void FrameTargets::release() {
    if (msaaFbo_) glDeleteFramebuffers(1, &msaaFbo_);
    const GLuint rbs[3] = {msaaColor_, msaaNormal_, msaaDepth_};
    glDeleteRenderbuffers(3, rbs);
    deleteTextureTarget(resolved_);
    if (normalFbo_) glDeleteFramebuffers(1, &normalFbo_);
    glDeleteTextures(1, &normalTexture_);
    deleteTextureTarget(depth_);
    deleteTextureTarget(ao_);
    deleteTextureTarget(aoBlur_);
    for (auto& b : bloom_)
        deleteTextureTarget(b);
    bloom_.clear();
    msaaFbo_ = msaaColor_ = msaaNormal_ = msaaDepth_ = normalFbo_ = 0;
    normalTexture_ = 0;
    width_ = height_ = samples_ = 0;
}

void FrameTargets::ensure(int width, int height, int samples) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == width_ && height == height_ && samples == samples_) return;
    release();
    width_ = width;
    height_ = height;
    samples_ = samples;

    resolved_ = makeTextureTarget(width, height, GL_RGBA16F);
    normalTexture_ = makeTexture(width, height, GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE);
    normalFbo_ = framebufferWith(GL_COLOR_ATTACHMENT0, normalTexture_);
    depth_ = makeDepthTarget(width, height, false);

    glGenFramebuffers(1, &msaaFbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, msaaFbo_);
    if (samples > 0) {
        msaaColor_ = makeRenderbuffer(width, height, samples, GL_RGBA16F);
        msaaNormal_ = makeRenderbuffer(width, height, samples, GL_RGBA8);
        msaaDepth_ = makeRenderbuffer(width, height, samples, GL_DEPTH_COMPONENT24);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, msaaColor_);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, GL_RENDERBUFFER, msaaNormal_);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, msaaDepth_);
    } else {
        // Without multisampling the scene is drawn straight into the images the passes read.
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, resolved_.texture, 0);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, GL_TEXTURE_2D, normalTexture_, 0);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depth_.texture, 0);
    }
    const GLenum buffers[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(2, buffers);

    // Occlusion and bloom are soft: half size is enough and keeps large frames cheap.
    const int hw = std::max(width / 2, 1), hh = std::max(height / 2, 1);
    ao_ = makeTextureTarget(hw, hh, GL_R8);
    aoBlur_ = makeTextureTarget(hw, hh, GL_R8);
    for (int i = 0; i < bloomLevels; ++i)
        bloom_.push_back(makeTextureTarget(std::max(hw >> i, 1), std::max(hh >> i, 1), GL_RGBA16F));
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void FrameTargets::resolve() const {
    if (samples_ == 0) return;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, msaaFbo_);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolved_.fbo);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glReadBuffer(GL_COLOR_ATTACHMENT1);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, normalFbo_);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, depth_.fbo);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_DEPTH_BUFFER_BIT, GL_NEAREST);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

} // namespace vesk::gl
