#pragma once

#include <memory>
#include <string>

namespace vesk::gl {

// A headless OpenGL 3.3 core context on Mesa's surfaceless EGL platform: no window, no
// display server, rendering only into framebuffers. It is current on one thread at a time:
// the thread that made it, or one that took it over after a release().
class EglContext {
  public:
    // Nothing when there is no EGL device or no 3.3 core context; `log` says why.
    static std::unique_ptr<EglContext> make(std::string& log);
    // Whether this machine has an EGL device at all (a surfaceless display that initialises; it
    // stays initialised).
    static bool deviceExists();
    // Asks Mesa's software rasteriser for few threads of its own, unless the user chose a
    // number; other drivers do not read it. Call it before any GL is loaded and before other
    // threads start (it sets an environment variable).
    static void preferFewSoftwareThreads();
    ~EglContext();
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;

    bool makeCurrent() const;
    // Leaves the calling thread without it, for another thread to make it current.
    void release() const;

  private:
    EglContext() = default;

    void* display_ = nullptr;
    void* context_ = nullptr;
};

} // namespace vesk::gl
