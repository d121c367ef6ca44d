// clang-format off
#include <epoxy/gl.h> // first: epoxy refuses to follow other GL headers
// clang-format on

#include "render/gl/PostProcess.hpp"

#include "render/gl/GpuCache.hpp"
#include "render/gl/ShaderSources.hpp"
#include "render/scene/Color.hpp"

#include <cmath>

namespace vesk::gl {

namespace {

void bindTexture(int unit, unsigned texture) {
    glActiveTexture(GLenum(GL_TEXTURE0 + unit));
    glBindTexture(GL_TEXTURE_2D, texture);
}

void target(const TextureTarget& t) {
    glBindFramebuffer(GL_FRAMEBUFFER, t.fbo);
    glViewport(0, 0, t.width, t.height);
}

float exposureScale(const scene::Camera& c) {
    return std::exp2(c.exposureOffset);
}

} // namespace

std::unique_ptr<PostProcess> PostProcess::make(std::string& log) {
    std::unique_ptr<PostProcess> p(new PostProcess());
    const auto vs = shaders::fullscreenVertex();
    p->background_ = GlProgram::build(vs, shaders::backgroundFragment(), log);
    p->ssao_ = GlProgram::build(vs, shaders::ssaoFragment(), log);
    p->ssaoBlur_ = GlProgram::build(vs, shaders::ssaoBlurFragment(), log);
    p->bright_ = GlProgram::build(vs, shaders::bloomBrightFragment(), log);
    p->down_ = GlProgram::build(vs, shaders::bloomDownFragment(), log);
    p->up_ = GlProgram::build(vs, shaders::bloomUpFragment(), log);
    p->composite_ = GlProgram::build(vs, shaders::compositeFragment(), log);
    if (!p->background_ || !p->ssao_ || !p->ssaoBlur_ || !p->bright_ || !p->down_ || !p->up_ ||
        !p->composite_)
        return nullptr;
    glGenVertexArrays(1, &p->vao_);
    return p;
}

PostProcess::~PostProcess() {
    if (vao_) glDeleteVertexArrays(1, &vao_);
}

void PostProcess::fullscreen() const {
    glBindVertexArray(vao_);
    glDrawArrays(GL_TRIANGLES, 0, 3);
}

void PostProcess::drawBackground(const scene::Scene& scene, GpuCache& cache) {
    const GpuCache::Texture* image = cache.texture(scene.backgroundImage);
    background_->use();
    background_->set("u_hasImage", image ? 1 : 0);
    background_->set("u_color", scene.backgroundColor);
    background_->set("u_image", 0);
    bindTexture(0, image ? image->id : 0);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    // The normal image keeps its cleared "no surface" value behind the scene.
    glColorMaski(1, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    fullscreen();
    glColorMaski(1, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
}

void PostProcess::ambientOcclusion(const FrameTargets& t, const scene::FramePlan& plan) {
    const scene::Camera& c = plan.camera;
    aoDone_ = c.ssaoIntensity > 0.0f;
    if (!aoDone_) return;
    const scene::Mat4 invProj = inverse(plan.projection);
    target(t.ao());
    ssao_->use();
    ssao_->set("u_depth", 0);
    ssao_->set("u_normal", 1);
    ssao_->set("u_proj", plan.projection);
    ssao_->set("u_invProj", invProj);
    ssao_->set("u_radius", c.ssaoRadius);
    ssao_->set("u_bias", c.ssaoBias);
    ssao_->set("u_depthThreshold", c.ssaoDepthThreshold);
    bindTexture(0, t.depthTexture());
    bindTexture(1, t.normalTexture());
    fullscreen();

    ssaoBlur_->use();
    ssaoBlur_->set("u_ao", 0);
    ssaoBlur_->set("u_depth", 1);
    ssaoBlur_->set("u_normal", 2);
    ssaoBlur_->set("u_invProj", invProj);
    ssaoBlur_->set("u_depthThreshold", c.ssaoDepthThreshold);
    ssaoBlur_->set("u_normalThreshold", c.ssaoNormalThreshold);
    bindTexture(1, t.depthTexture());
    bindTexture(2, t.normalTexture());
    target(t.aoBlur());
    ssaoBlur_->set("u_direction", scene::Vec2{1.0f, 0.0f});
    bindTexture(0, t.ao().texture);
    fullscreen();
    target(t.ao());
    ssaoBlur_->set("u_direction", scene::Vec2{0.0f, 1.0f});
    bindTexture(0, t.aoBlur().texture);
    fullscreen();
}

void PostProcess::bloom(const FrameTargets& t, const scene::FramePlan& plan) {
    const scene::Camera& c = plan.camera;
    bloomDone_ = c.bloomIntensity > 0.0f;
    if (!bloomDone_) return;
    const auto& levels = t.bloom();
    target(levels[0]);
    bright_->use();
    bright_->set("u_source", 0);
    bright_->set("u_threshold", c.bloomThreshold);
    bright_->set("u_exposure", exposureScale(c));
    bindTexture(0, t.colorTexture());
    fullscreen();
    down_->use();
    down_->set("u_source", 0);
    for (std::size_t i = 1; i < levels.size(); ++i) {
        target(levels[i]);
        bindTexture(0, levels[i - 1].texture);
        fullscreen();
    }
    // Up the chain, each level adds the blurred one below; the blur radius (in full-size
    // pixels) spreads the taps.
    up_->use();
    up_->set("u_source", 0);
    up_->set("u_spread", std::max(c.bloomBlurRadius / 8.0f, 0.5f));
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    for (std::size_t i = levels.size() - 1; i > 0; --i) {
        target(levels[i - 1]);
        bindTexture(0, levels[i].texture);
        fullscreen();
    }
    glDisable(GL_BLEND);
}

void PostProcess::composite(const FrameTargets& t, const scene::FramePlan& plan, unsigned framebuffer,
                            int width, int height) {
    const scene::Camera& c = plan.camera;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, width, height);
    composite_->use();
    composite_->set("u_scene", 0);
    composite_->set("u_ao", 1);
    composite_->set("u_bloom", 2);
    composite_->set("u_depth", 3);
    bindTexture(0, t.colorTexture());
    bindTexture(1, t.ao().texture);
    bindTexture(2, t.bloom().front().texture);
    bindTexture(3, t.depthTexture());
    composite_->set("u_hasAo", aoDone_ ? 1 : 0);
    composite_->set("u_hasBloom", bloomDone_ ? 1 : 0);
    composite_->set("u_aoIntensity", c.ssaoIntensity);
    composite_->set("u_bloomIntensity", c.bloomIntensity);
    composite_->set("u_exposure", exposureScale(c));
    composite_->set("u_toneMap", c.wantsHDR ? 1 : 0);
    composite_->set("u_saturation", c.saturation);
    composite_->set("u_contrast", c.contrast);
    composite_->set("u_vignetteIntensity", c.vignettingIntensity);
    composite_->set("u_vignettePower", c.vignettingPower);
    composite_->set("u_aspect", float(width) / float(std::max(height, 1)));
    fullscreen();
}

} // namespace vesk::gl
