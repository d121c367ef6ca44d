#pragma once

#include "render/gl/GlProgram.hpp"
#include "render/scene/FramePlan.hpp"

#include <memory>
#include <string>
#include <vector>

namespace vesk::gl {

class GpuCache;

// Draws particles as camera-facing textured quads, one instanced draw per system, depth
// tested against the scene but not writing depth.
class ParticlePass {
  public:
    static std::unique_ptr<ParticlePass> make(std::string& log);
    ~ParticlePass();

    void draw(const scene::FramePlan& plan, GpuCache& cache);

  private:
    ParticlePass() = default;

    std::unique_ptr<GlProgram> program_;
    unsigned vao_ = 0, cornerVbo_ = 0, instanceVbo_ = 0;
    std::vector<float> instances_;
};

} // namespace vesk::gl
