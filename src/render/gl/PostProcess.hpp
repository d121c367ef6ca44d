#pragma once

#include "render/gl/FrameTargets.hpp"
#include "render/gl/GlProgram.hpp"
#include "render/scene/FramePlan.hpp"

#include <memory>

namespace vesk::gl {

class GpuCache;

// The full-screen passes of a frame: the background behind the scene, screen-space ambient
// occlusion, bloom, and the composite into the caller's framebuffer (exposure, tone
// mapping, saturation, contrast, vignette, sRGB encoding).
class PostProcess {
  public:
    // Nothing when a program fails to build; `log` says why.
    static std::unique_ptr<PostProcess> make(std::string& log);
    ~PostProcess();

    // Into the bound scene framebuffer, before the geometry.
    void drawBackground(const scene::Scene& scene, GpuCache& cache);
    void ambientOcclusion(const FrameTargets& targets, const scene::FramePlan& plan);
    void bloom(const FrameTargets& targets, const scene::FramePlan& plan);
    void composite(const FrameTargets& targets, const scene::FramePlan& plan, unsigned framebuffer, int width,
                   int height);

  private:
    PostProcess() = default;
    void fullscreen() const;

    unsigned vao_ = 0;
    std::unique_ptr<GlProgram> background_, ssao_, ssaoBlur_, bright_, down_, up_, composite_;
    bool aoDone_ = false, bloomDone_ = false;
};

} // namespace vesk::gl
