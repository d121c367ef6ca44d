// clang-format off
#include <epoxy/gl.h> // first: epoxy refuses to follow other GL headers
// clang-format on

#include "render/gl/SceneRenderer.hpp"

#include "render/gl/FrameTargets.hpp"
#include "render/gl/GpuCache.hpp"
#include "render/gl/MaterialPrograms.hpp"
#include "render/gl/ParticlePass.hpp"
#include "render/gl/PostProcess.hpp"
#include "render/gl/ShadowCasters.hpp"
#include "render/scene/FramePlan.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

namespace vesk::gl {

namespace {

constexpr int kDiffuseUnit = 0, kShadowUnit = 1, kEnvUnit = 2;

// The per-vertex defaults of streams a geometry does not carry.
void setMissingAttributes(const GpuCache::Mesh& m) {
    if (!m.normals) glVertexAttrib4f(1, 0.0f, 1.0f, 0.0f, 0.0f);
    if (!m.colors) glVertexAttrib4f(2, 1.0f, 1.0f, 1.0f, 1.0f);
    if (!m.uv) glVertexAttrib4f(3, 0.0f, 0.0f, 0.0f, 0.0f);
    if (!m.animation) {
        glVertexAttrib4f(4, 0.0f, 0.0f, 0.0f, 0.0f);
        glVertexAttrib4f(5, 0.0f, 0.0f, 0.0f, 0.0f);
    }
}

float shaderTime(double time, double period) {
    return float(period > 0.0 ? std::fmod(time, period) : time);
}

} // namespace

struct SceneRenderer::Impl {
    GpuCache cache;
    MaterialPrograms programs;
    FrameTargets targets;
    std::unique_ptr<PostProcess> post;
    std::unique_ptr<ParticlePass> particles;
    unsigned trilinear = 0, bilinear = 0, white = 0;
    TextureTarget shadow;
    // Kept shadows: the map of the casters that stay put, and what it was drawn from.
    TextureTarget keptShadow;
    std::optional<std::size_t> keptKey;
    ShadowCasters casters;
    unsigned sampledShadow = 0; // the map this frame reads
    int samples = 4;            // the most the context offers, up to 4
    RenderQuality quality;
    std::string rendererName;

    ~Impl() {
        const GLuint samplers[2] = {trilinear, bilinear};
        glDeleteSamplers(2, samplers);
        glDeleteTextures(1, &white);
        deleteTextureTarget(shadow);
        deleteTextureTarget(keptShadow);
    }

    void makeFixedObjects() {
        glGenSamplers(1, &trilinear);
        glSamplerParameteri(trilinear, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        glSamplerParameteri(trilinear, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glGenSamplers(1, &bilinear);
        glSamplerParameteri(bilinear, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glSamplerParameteri(bilinear, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        for (GLuint s : {trilinear, bilinear}) {
            glSamplerParameteri(s, GL_TEXTURE_WRAP_S, GL_REPEAT);
            glSamplerParameteri(s, GL_TEXTURE_WRAP_T, GL_REPEAT);
        }
        const unsigned char px[4] = {255, 255, 255, 255};
        glGenTextures(1, &white);
        glBindTexture(GL_TEXTURE_2D, white);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_SRGB8_ALPHA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, px);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glBindTexture(GL_TEXTURE_2D, 0);
        ensureShadowMap(1);
        GLint maxSamples = 0;
        glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
        samples = std::clamp(int(maxSamples), 0, 4);
        if (const auto* name = glGetString(GL_RENDERER)) rendererName = reinterpret_cast<const char*>(name);
    }

    int frameSamples() const { return std::min(samples, std::max(quality.maxSamples, 0)); }

    static void ensureDepthMap(TextureTarget& map, int size) {
        if (size == map.width) return;
        deleteTextureTarget(map);
        map = makeDepthTarget(size, size, true);
    }

    void ensureShadowMap(int size) {
        ensureDepthMap(shadow, std::clamp(size, 1, 4096)); // 4096² depth is 64 MB already
    }

    void releaseShadowMaps() {
        ensureShadowMap(1); // a scene without shadows still binds one
        deleteTextureTarget(keptShadow);
        keptKey.reset();
        casters.forget();
    }

    static void setArguments(const GlProgram& program, const scene::Material& material) {
        for (const auto& [name, value] : material.arguments())
            program.setArgument(name, value);
    }

    static void drawMesh(GpuCache::Mesh const& mesh) {
        glBindVertexArray(mesh.vao);
        setMissingAttributes(mesh);
        glDrawElements(GL_TRIANGLES, mesh.indexCount, GL_UNSIGNED_INT, nullptr);
    }

    void drawDepth(const scene::FramePlan::Item& item, const scene::Mat4& viewProj, double time) {
        const auto& variant = programs.get(*item.material);
        const GlProgram& p = *variant.depth;
        p.use();
        p.set("u_viewProj", viewProj);
        p.set("u_model", item.world);
        p.set("u_time", shaderTime(time, variant.timePeriodSeconds));
        setArguments(p, *item.material);
        drawMesh(cache.mesh(*item.geometry));
    }

    void drawDepths(const TextureTarget& map, bool clear,
                    const std::vector<const scene::FramePlan::Item*>& items, const scene::Mat4& viewProj,
                    double time) {
        glBindFramebuffer(GL_FRAMEBUFFER, map.fbo);
        glViewport(0, 0, map.width, map.height);
        if (clear) glClear(GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glDisable(GL_CULL_FACE);
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(1.5f, 2.0f);
        for (const auto* item : items)
            drawDepth(*item, viewProj, time);
        glDisable(GL_POLYGON_OFFSET_FILL);
    }

    void shadowPass(const scene::FramePlan& plan, double time) {
        const auto& light = plan.lights[*plan.shadowLight];
        ensureShadowMap(std::min(light.settings->shadowMapSize, quality.maxShadowMapSize));
        sampledShadow = shadow.texture;
        if (!quality.keptShadows) {
            std::vector<const scene::FramePlan::Item*> items;
            for (const auto* list : {&plan.opaque, &plan.transparent})
                for (const auto& item : *list)
                    if (item.castsShadow) items.push_back(&item);
            drawDepths(shadow, true, items, light.shadowViewProj, time);
            return;
        }
        // The wind stands still in kept shadows: a scene at rest keeps its map.
        constexpr double restTime = 0.0;
        ensureDepthMap(keptShadow, shadow.width);
        const ShadowCasters::Split split = casters.split(plan, shadow.width);
        if (split.settledKey != keptKey) {
            drawDepths(keptShadow, true, split.settled, light.shadowViewProj, restTime);
            keptKey = split.settledKey;
        }
        if (split.moving.empty()) {
            sampledShadow = keptShadow.texture;
            return;
        }
        glBindFramebuffer(GL_READ_FRAMEBUFFER, keptShadow.fbo);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, shadow.fbo);
        glBlitFramebuffer(0, 0, shadow.width, shadow.height, 0, 0, shadow.width, shadow.height,
                          GL_DEPTH_BUFFER_BIT, GL_NEAREST);
        drawDepths(shadow, false, split.moving, light.shadowViewProj, restTime);
    }

    void setFrameUniforms(const GlProgram& p, const scene::FramePlan& plan, const scene::Scene& scene,
                          const GpuCache::Environment* env) {
        p.set("u_viewProj", plan.projection * plan.view);
        p.set("u_view", plan.view);
        p.set("u_cameraPos", plan.cameraPosition);
        std::vector<scene::Vec3> dirs, colors;
        for (const auto& l : plan.lights) {
            dirs.push_back(l.direction);
            colors.push_back(l.radiance);
        }
        p.set("u_lightCount", int(plan.lights.size()));
        if (!dirs.empty()) {
            p.setArray("u_lightDir", dirs.data(), int(dirs.size()));
            p.setArray("u_lightColor", colors.data(), int(colors.size()));
        }
        p.set("u_diffuseMap", kDiffuseUnit);
        p.set("u_shadowMap", kShadowUnit);
        p.set("u_envMap", kEnvUnit);
        if (plan.shadowLight) {
            const auto& l = plan.lights[*plan.shadowLight];
            p.set("u_shadowLight", int(*plan.shadowLight));
            p.set("u_shadowMatrix", l.shadowViewProj);
            p.set("u_shadowAlpha", l.settings->shadowAlpha);
            p.set("u_shadowRadius", l.settings->shadowRadius);
            p.set("u_shadowSamples", l.settings->shadowSampleCount);
            p.set("u_shadowBias", l.settings->shadowBias);
        } else {
            p.set("u_shadowLight", -1);
        }
        p.set("u_hasEnv", env ? 1 : 0);
        if (env) {
            p.set("u_envMaxLod", float(std::max(env->texture.levels - 3, 0)));
            p.set("u_envIntensity", scene.lightingEnvironmentIntensity);
            p.setArray("u_sh", env->irradiance.data(), 9);
        }
    }

    void drawLit(const scene::FramePlan::Item& item, const scene::FramePlan& plan, const scene::Scene& scene,
                 const GpuCache::Environment* env, std::set<const GlProgram*>& prepared, double time) {
        const scene::Material& m = *item.material;
        const auto& variant = programs.get(m);
        const GlProgram& p = *variant.lit;
        p.use();
        if (prepared.insert(&p).second) setFrameUniforms(p, plan, scene, env);
        p.set("u_time", shaderTime(time, variant.timePeriodSeconds));
        p.set("u_model", item.world);
        p.setMat3("u_normalMatrix", transpose(inverse(item.world)));
        p.set("u_multiply", m.multiply);
        p.set("u_emission", m.emission);
        p.set("u_metalness", m.metalness);
        p.set("u_roughness", m.roughness);
        p.set("u_clearCoat", m.clearCoat);
        p.set("u_clearCoatRoughness", m.clearCoatRoughness);
        p.set("u_opacity", item.opacity);
        setArguments(p, m);
        const GpuCache::Texture* diffuse = cache.texture(m.diffuse);
        glActiveTexture(GL_TEXTURE0 + kDiffuseUnit);
        glBindTexture(GL_TEXTURE_2D, diffuse ? diffuse->id : white);
        glBindSampler(kDiffuseUnit, m.diffuseMipmaps ? trilinear : bilinear);
        drawMesh(cache.mesh(*item.geometry));
    }

    // The opaque surfaces' depth alone; their lit pass then shades only the fragments that
    // match it. The depth programs place vertices as the lit ones do.
    void depthPass(const scene::FramePlan& plan, double time) {
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        const scene::Mat4 viewProj = plan.projection * plan.view;
        for (const auto& item : plan.opaque)
            drawDepth(item, viewProj, time);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glDepthFunc(GL_LEQUAL);
        glDepthMask(GL_FALSE);
    }

    void scenePass(const scene::Scene& scene, const scene::FramePlan& plan, double time) {
        glBindFramebuffer(GL_FRAMEBUFFER, targets.sceneFbo());
        glViewport(0, 0, targets.width(), targets.height());
        // The view normals serve ambient occlusion alone: without it they are not written.
        const GLenum buffers[2] = {GL_COLOR_ATTACHMENT0,
                                   quality.ambientOcclusion ? GLenum(GL_COLOR_ATTACHMENT1) : GLenum(GL_NONE)};
        glDrawBuffers(2, buffers);
        const float clearColor[4] = {0, 0, 0, 1};
        const float clearNormal[4] = {0.5f, 0.5f, 1.0f, 0.0f};
        glClearBufferfv(GL_COLOR, 0, clearColor);
        glClearBufferfv(GL_COLOR, 1, clearNormal);
        glClear(GL_DEPTH_BUFFER_BIT);
        post->drawBackground(scene, cache);

        const GpuCache::Environment* env = cache.environment(scene.lightingEnvironment);
        glActiveTexture(GL_TEXTURE0 + kShadowUnit);
        glBindTexture(GL_TEXTURE_2D, plan.shadowLight ? sampledShadow : shadow.texture);
        glActiveTexture(GL_TEXTURE0 + kEnvUnit);
        glBindTexture(GL_TEXTURE_2D, env ? env->texture.id : white);

        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        if (quality.depthFirst) depthPass(plan, time);
        std::set<const GlProgram*> prepared;
        for (const auto& item : plan.opaque)
            drawLit(item, plan, scene, env, prepared, time);
        glDepthFunc(GL_LESS);
        glDepthMask(GL_TRUE);

        if (!plan.transparent.empty()) {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glDepthMask(GL_FALSE);
            glColorMaski(1, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
            for (const auto& item : plan.transparent)
                drawLit(item, plan, scene, env, prepared, time);
            glColorMaski(1, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
            glDepthMask(GL_TRUE);
            glDisable(GL_BLEND);
        }
        glDisable(GL_CULL_FACE);
        glBindSampler(kDiffuseUnit, 0);
        particles->draw(plan, cache);
    }

    void resetState(unsigned framebuffer) {
        glBindVertexArray(0);
        glUseProgram(0);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glDisable(GL_BLEND);
        glDepthMask(GL_TRUE);
        for (int unit = 3; unit >= 0; --unit) {
            glActiveTexture(GLenum(GL_TEXTURE0 + unit));
            glBindTexture(GL_TEXTURE_2D, 0);
        }
    }
};

SceneRenderer::SceneRenderer(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
SceneRenderer::~SceneRenderer() = default;

std::unique_ptr<SceneRenderer> SceneRenderer::make(std::string& log) {
    auto impl = std::make_unique<Impl>();
    impl->post = PostProcess::make(log);
    impl->particles = ParticlePass::make(log);
    std::string plainLog;
    if (!impl->post || !impl->particles || !impl->programs.prepare({}, {}, plainLog)) {
        log += plainLog;
        return nullptr;
    }
    impl->makeFixedObjects();
    return std::unique_ptr<SceneRenderer>(new SceneRenderer(std::move(impl)));
}

void SceneRenderer::render(const scene::Scene& scene, const scene::Node& pov, RenderTarget target,
                           double timeSeconds) {
    Impl& d = *impl_;
    const int w = std::max(target.width, 1), h = std::max(target.height, 1);
    // A toolkit's context may arrive with its own state: our passes clip nothing, test no
    // stencil and encode sRGB themselves.
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_FRAMEBUFFER_SRGB);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    d.cache.sweep();
    scene::FramePlan plan = scene::FramePlan::make(scene, pov, float(w) / float(h));
    if (!d.quality.ambientOcclusion) plan.camera.ssaoIntensity = 0.0f;
    if (plan.shadowLight) d.shadowPass(plan, timeSeconds);
    d.targets.ensure(w, h, d.frameSamples());
    d.scenePass(scene, plan, timeSeconds);
    d.targets.resolve();
    glDisable(GL_DEPTH_TEST);
    d.post->ambientOcclusion(d.targets, plan);
    d.post->bloom(d.targets, plan);
    d.post->composite(d.targets, plan, target.framebuffer, w, h);
    d.resetState(target.framebuffer);
}

bool SceneRenderer::prepare(const scene::Material& material, std::string& log) {
    return impl_->programs.prepare(material.geometryModifier, material.surfaceModifier, log);
}

const std::vector<std::string>& SceneRenderer::errors() const {
    return impl_->programs.errors();
}

int SceneRenderer::samples() const {
    return impl_->frameSamples();
}

void SceneRenderer::setQuality(RenderQuality quality) {
    impl_->quality = quality;
}

void SceneRenderer::sweep() {
    impl_->cache.sweep();
}

void SceneRenderer::releaseTargets() {
    impl_->cache.sweep();
    impl_->targets.release();
    impl_->releaseShadowMaps();
}

RenderQuality SceneRenderer::quality() const {
    return impl_->quality;
}

const std::string& SceneRenderer::rendererName() const {
    return impl_->rendererName;
}

bool isSoftwareRenderer(std::string_view glRenderer) {
    return glRenderer.find("llvmpipe") != std::string_view::npos ||
           glRenderer.find("softpipe") != std::string_view::npos;
}

std::size_t SceneRenderer::residentMeshes() const {
    return impl_->cache.meshCount();
}

std::size_t SceneRenderer::residentTextures() const {
    return impl_->cache.textureCount();
}

} // namespace vesk::gl
