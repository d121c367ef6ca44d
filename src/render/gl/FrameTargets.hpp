#pragma once

#include <vector>

namespace vesk::gl {

// A texture with a framebuffer drawing into it.
struct TextureTarget {
    unsigned fbo = 0;
    unsigned texture = 0;
    int width = 0;
    int height = 0;
};

// The off-screen images of one frame: the multisampled scene (HDR colour, view normals,
// depth), their single-sampled resolves (without multisampling the scene draws into these
// directly), and the half-size images of ambient occlusion and bloom. Remade when the frame
// size changes.
class FrameTargets {
  public:
    static constexpr int bloomLevels = 5;

    FrameTargets() = default;
    ~FrameTargets();
    FrameTargets(const FrameTargets&) = delete;
    FrameTargets& operator=(const FrameTargets&) = delete;

    // Makes the targets for a frame of this size (only when it changed).
    void ensure(int width, int height, int samples);

    int width() const { return width_; }
    int height() const { return height_; }
    int samples() const { return samples_; }

    unsigned sceneFbo() const { return msaaFbo_; }
    // Copies the multisampled images into the resolved textures (nothing to do without).
    void resolve() const;

    unsigned colorTexture() const { return resolved_.texture; }
    unsigned normalTexture() const { return normalTexture_; }
    unsigned depthTexture() const { return depth_.texture; }
    const TextureTarget& ao() const { return ao_; }
    const TextureTarget& aoBlur() const { return aoBlur_; }
    const std::vector<TextureTarget>& bloom() const { return bloom_; }

    // Frees them all; the next ensure() makes them again.
    void release();

  private:
    int width_ = 0, height_ = 0, samples_ = 0;
    unsigned msaaFbo_ = 0;
    unsigned msaaColor_ = 0, msaaNormal_ = 0, msaaDepth_ = 0;
    TextureTarget resolved_;
    unsigned normalFbo_ = 0, normalTexture_ = 0;
    TextureTarget depth_;
    TextureTarget ao_, aoBlur_;
    std::vector<TextureTarget> bloom_;
};

// Makes a colour texture with its framebuffer; deletes both.
TextureTarget makeTextureTarget(int width, int height, unsigned internalFormat);
// A 24-bit depth texture with its framebuffer; with `compare`, read as a shadow map.
TextureTarget makeDepthTarget(int width, int height, bool compare);
void deleteTextureTarget(TextureTarget& target);

} // namespace vesk::gl
