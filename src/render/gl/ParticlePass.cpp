// clang-format off
#include <epoxy/gl.h> // first: epoxy refuses to follow other GL headers
// clang-format on

#include "render/gl/ParticlePass.hpp"

#include "render/gl/GpuCache.hpp"
#include "render/gl/ShaderSources.hpp"
#include "render/scene/Color.hpp"

namespace vesk::gl {

namespace {
constexpr int kFloatsPerInstance = 9; // centre xyz, size, colour rgba, angle
}

std::unique_ptr<ParticlePass> ParticlePass::make(std::string& log) {
    std::unique_ptr<ParticlePass> p(new ParticlePass());
    p->program_ = GlProgram::build(shaders::particleVertex(), shaders::particleFragment(), log);
    if (!p->program_) return nullptr;
    static constexpr float corners[12] = {-0.5f, -0.5f, 0.5f, -0.5f, 0.5f,  0.5f,
                                          -0.5f, -0.5f, 0.5f, 0.5f,  -0.5f, 0.5f};
    glGenVertexArrays(1, &p->vao_);
    glBindVertexArray(p->vao_);
    glGenBuffers(1, &p->cornerVbo_);
    glBindBuffer(GL_ARRAY_BUFFER, p->cornerVbo_);
    glBufferData(GL_ARRAY_BUFFER, sizeof(corners), corners, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glGenBuffers(1, &p->instanceVbo_);
    glBindBuffer(GL_ARRAY_BUFFER, p->instanceVbo_);
    const GLsizei stride = kFloatsPerInstance * sizeof(float);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, stride, nullptr);
    glVertexAttribDivisor(1, 1);
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(4 * sizeof(float)));
    glVertexAttribDivisor(2, 1);
    glEnableVertexAttribArray(3);
    glVertexAttribPointer(3, 1, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(8 * sizeof(float)));
    glVertexAttribDivisor(3, 1);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return p;
}

ParticlePass::~ParticlePass() {
    if (vao_) glDeleteVertexArrays(1, &vao_);
    const GLuint buffers[2] = {cornerVbo_, instanceVbo_};
    glDeleteBuffers(2, buffers);
}

void ParticlePass::draw(const scene::FramePlan& plan, GpuCache& cache) {
    if (plan.particles.empty()) return;
    program_->use();
    program_->set("u_view", plan.view);
    program_->set("u_proj", plan.projection);
    program_->set("u_image", 0);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glColorMaski(1, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glBindVertexArray(vao_);
    for (const scene::ParticleSystem* emitter : plan.particles) {
        const scene::ParticleSystem& system = *emitter;
        const auto& settings = system.settings();
        if (system.particles().empty()) continue;
        instances_.clear();
        for (const scene::Particle& p : system.particles()) {
            // Sprite colours are display values; the scene is lit in linear light.
            const scene::Vec3 linear = scene::srgbToLinear(scene::Vec3{p.color.x, p.color.y, p.color.z});
            instances_.insert(instances_.end(),
                              {p.position.x, p.position.y, p.position.z, p.size, linear.x, linear.y, linear.z,
                               p.color.w * system.opacity(p), p.angleRadians});
        }
        const GpuCache::Texture* image = cache.texture(settings.image);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, image ? image->id : 0);
        program_->set("u_hasImage", image ? 1 : 0);
        program_->set("u_additive", settings.additive ? 1 : 0);
        if (settings.additive)
            glBlendFunc(GL_ONE, GL_ONE);
        else
            glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        glBindBuffer(GL_ARRAY_BUFFER, instanceVbo_);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(instances_.size() * sizeof(float)), instances_.data(),
                     GL_STREAM_DRAW);
        glDrawArraysInstanced(GL_TRIANGLES, 0, 6, GLsizei(system.particles().size()));
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glColorMaski(1, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}

} // namespace vesk::gl
