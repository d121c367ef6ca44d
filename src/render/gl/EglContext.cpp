// clang-format off
#include <epoxy/egl.h> // first: epoxy refuses to follow other GL headers
// clang-format on

#include "render/gl/EglContext.hpp"

#include <cstdlib>
#include <cstring>

namespace vesk::gl {

namespace {

bool hasExtension(const char* list, const char* name) {
    if (!list) return false;
    const std::size_t n = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)); p += n)
        if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0')) return true;
    return false;
}

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
    // Left initialised, as every context leaves it: see the destructor.
    return display != EGL_NO_DISPLAY && eglInitialize(display, nullptr, nullptr);
}

std::unique_ptr<EglContext> EglContext::make(std::string& log) {
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!hasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        log = "EGL: no surfaceless platform";
        return nullptr;
    }
    EGLDisplay display =
        eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        log = "EGL: no display";
        return nullptr;
    }
    std::unique_ptr<EglContext> ctx(new EglContext());
    ctx->display_ = display;
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
    // The display, shared by every context of the process, is never terminated: that would
    // unload Mesa's driver, which leaves allocations behind every time (then reported from an
    // unknown module, out of reach of a suppression naming the driver), and the next context
    // would load it again.
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
