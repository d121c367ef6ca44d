#pragma once

#include "render/scene/Scene.hpp"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vesk::gl {

// Where a frame goes: a framebuffer of the current context (0: the default one) and its size.
struct RenderTarget {
    unsigned framebuffer = 0;
    int width = 0;
    int height = 0;
};

// How much a frame may cost. Full: the camera's whole image pipeline with 4× multisampling
// and the lights' own shadow maps. Light: no multisampling, shadow maps of at most 1024²,
// no ambient occlusion, and shadows cast by the wind-blown leaves at rest, so that the map
// is drawn again only for what moved; for software rasterisers, where the full frame keeps
// several cores busy. There the opaque surfaces also lay down their depth first, so that
// the costly lighting runs only for what is in front.
struct RenderQuality {
    int maxSamples = 4;
    int maxShadowMapSize = 4096;
    bool ambientOcclusion = true;
    bool keptShadows = false;
    bool depthFirst = false;

    static RenderQuality full() { return {}; }
    static RenderQuality light() { return {0, 1024, false, true, true}; }
    friend bool operator==(const RenderQuality&, const RenderQuality&) = default;
};

// Whether GL_RENDERER names one of Mesa's software rasterisers (llvmpipe, softpipe).
bool isSoftwareRenderer(std::string_view glRenderer);

// Draws a scene with the GL 3.3 core context that is current on the calling thread: shadow
// map, 4× multisampled HDR scene, ambient occlusion, bloom and the camera's image settings,
// into the caller's framebuffer. It owns every GL object it makes (one set per context) and
// must be destroyed on that thread with that context current. It never makes a context of
// its own, so it serves an EGL context and a toolkit's GL widget alike.
class SceneRenderer {
  public:
    // Nothing when the context cannot run the fixed programs; `log` says why.
    static std::unique_ptr<SceneRenderer> make(std::string& log);
    ~SceneRenderer();
    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;

    // Draws the scene as seen from `pointOfView` (its camera, or default settings). `time`
    // is the scene time handed to shader modifiers; the scene is not stepped here.
    void render(const scene::Scene& scene, const scene::Node& pointOfView, RenderTarget target,
                double timeSeconds);

    // Builds a material's programs ahead of use; false when its modifiers do not compile,
    // with the driver's message.
    bool prepare(const scene::Material& material, std::string& log);
    // Modifier failures met while drawing (those materials drew without their modifiers).
    const std::vector<std::string>& errors() const;

    // The multisampling the frames get: the context's most, at most 4, within the quality.
    int samples() const;
    void setQuality(RenderQuality quality);
    // Deletes the uploads of resources gone (each frame does it first).
    void sweep();
    // Frees the frame's images and the shadow map until the next frame, and the uploads of
    // resources gone.
    void releaseTargets();
    RenderQuality quality() const;
    // GL_RENDERER of the context, e.g. "llvmpipe (LLVM 15.0.6, 256 bits)".
    const std::string& rendererName() const;
    // Vertex arrays and textures currently uploaded (those of resources still alive).
    std::size_t residentMeshes() const;
    std::size_t residentTextures() const;

    struct Impl;

  private:
    explicit SceneRenderer(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace vesk::gl
