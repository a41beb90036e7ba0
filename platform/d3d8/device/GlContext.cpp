#include "platform/d3d8/device/GlContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <mutex>

namespace D3D8Impl {
namespace {

// The process keeps its display: Mesa does not like being torn down and set up
// again while other contexts may exist.
EGLDisplay Display() {
  static EGLDisplay display = [] {
    EGLDisplay d = EGL_NO_DISPLAY;
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    // A GPU device first when there is one, else the surfaceless software path.
    if (getPlatformDisplay) d = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (d == EGL_NO_DISPLAY) d = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    if (d == EGL_NO_DISPLAY) return d;
    EGLint major = 0, minor = 0;
    if (!eglInitialize(d, &major, &minor)) return EGL_NO_DISPLAY;
    return d;
  }();
  return display;
}

EGLContext MakeContext() {
  EGLDisplay d = Display();
  if (d == EGL_NO_DISPLAY) return EGL_NO_CONTEXT;
  if (!eglBindAPI(EGL_OPENGL_API)) return EGL_NO_CONTEXT;
  const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                               EGL_NONE};
  return eglCreateContext(d, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
}

}  // namespace

GlContext::~GlContext() {
  if (!context_) return;
  if (eglGetCurrentContext() == static_cast<EGLContext>(context_))
    eglMakeCurrent(Display(), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(Display(), static_cast<EGLContext>(context_));
}

bool GlContext::Create() {
  EGLContext c = MakeContext();
  if (c == EGL_NO_CONTEXT) return false;
  context_ = c;
  return true;
}

void GlContext::Activate() {
  // Asked of EGL, not of a record of our own: a host (or another GL user in
  // the process) may have made its own context current since.
  if (!context_ || eglGetCurrentContext() == static_cast<EGLContext>(context_)) return;
  eglMakeCurrent(Display(), EGL_NO_SURFACE, EGL_NO_SURFACE, static_cast<EGLContext>(context_));
}

const std::string& GlContext::RendererName() {
  static const std::string name = [] {
    std::string result;
    GlContext probe;
    if (!probe.Create()) return result;
    const EGLContext previous = eglGetCurrentContext();
    probe.Activate();
    if (const GLubyte* s = glGetString(GL_RENDERER)) result = reinterpret_cast<const char*>(s);
    // The probe is destroyed below; whoever was current must be made current again.
    eglMakeCurrent(Display(), EGL_NO_SURFACE, EGL_NO_SURFACE, previous);
    return result;
  }();
  return name;
}

bool GlContext::IsSoftware() {
  const std::string& n = RendererName();
  return n.empty() || n.find("llvmpipe") != std::string::npos || n.find("softpipe") != std::string::npos ||
         n.find("Software") != std::string::npos || n.find("swrast") != std::string::npos;
}

}  // namespace D3D8Impl
