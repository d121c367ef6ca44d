// clang-format off
#include <epoxy/egl.h> // first: epoxy refuses to follow other GL headers
// clang-format on

#include "render/gl/EglContext.hpp"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace vesk::gl {

namespace {

bool hasExtension(const char* list, const char* name) {
    if (!list) return false;
    const std::size_t n = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)); p += n)
        if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0')) return true;
    return false;
}

// The surfaceless display is one per process, shared by every context on it, and
// eglTerminate ends it for all of them: only a look for the device with none of our contexts
// alive may terminate it.
std::mutex displayUsersLock;
int displayUsers = 0;

} // namespace

void EglContext::preferFewSoftwareThreads() {
    // llvmpipe starts a thread per core and wakes them all for each of a frame's dozen
    // passes; a small frame spends much of its time handing work out and waiting. Two
    // threads still draw the tab's view at its rate, for less CPU in all.
    setenv("LP_NUM_THREADS", "2", 0);
}

bool EglContext::deviceExists() {
    if (!hasExtension(eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS), "EGL_MESA_platform_surfaceless"))
        return false;
    EGLDisplay display =
        eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    const std::lock_guard lock(displayUsersLock);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return false;
    if (displayUsers == 0) eglTerminate(display);
    return true;
}

std::unique_ptr<EglContext> EglContext::make(std::string& log) {
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!hasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        log = "EGL: no surfaceless platform";
        return nullptr;
    }
    EGLDisplay display =
        eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    std::unique_ptr<EglContext> ctx(new EglContext());
    {
        // Initialised and counted at once: the last context going on another thread in
        // between would terminate the display under this one.
        const std::lock_guard lock(displayUsersLock);
        if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
            log = "EGL: no display";
            return nullptr;
        }
        ctx->display_ = display;
        ++displayUsers;
    }
    if (!hasExtension(eglQueryString(display, EGL_EXTENSIONS), "EGL_KHR_surfaceless_context") ||
        !eglBindAPI(EGL_OPENGL_API)) {
        log = "EGL: no surfaceless OpenGL contexts";
        return nullptr;
    }
    // Surfaceless displays offer pbuffer configs only (the default asks for window ones).
    const EGLint configAttribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                    EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(display, configAttribs, &config, 1, &count) || count < 1) {
        log = "EGL: no OpenGL config";
        return nullptr;
    }
    const EGLint contextAttribs[] = {EGL_CONTEXT_MAJOR_VERSION,
                                     3,
                                     EGL_CONTEXT_MINOR_VERSION,
                                     3,
                                     EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                     EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                                     EGL_NONE};
    ctx->context_ = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttribs);
    if (ctx->context_ == EGL_NO_CONTEXT) {
        ctx->context_ = nullptr;
        log = "EGL: no OpenGL 3.3 core context";
        return nullptr;
    }
    if (!ctx->makeCurrent()) {
        log = "EGL: context cannot be made current";
        return nullptr;
    }
    return ctx;
}

EglContext::~EglContext() {
    if (!display_) return;
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_) eglDestroyContext(display_, context_);
    {
        // The display stays initialised for the process: terminating it unloads Mesa's driver,
        // which leaves allocations behind every time, and the next context loads it again.
        const std::lock_guard lock(displayUsersLock);
        --displayUsers;
    }
    eglReleaseThread();
}

bool EglContext::makeCurrent() const {
    return eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_) == EGL_TRUE;
}

void EglContext::release() const {
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglReleaseThread();
}

} // namespace vesk::gl
