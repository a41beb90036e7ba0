// One off-screen OpenGL compatibility-profile context from EGL's surfaceless
// platform. Each device owns one; Activate makes it current on this thread.
#pragma once

#include <string>

namespace D3D8Impl {

class GlContext {
 public:
  GlContext() = default;
  ~GlContext();
  GlContext(const GlContext&) = delete;
  GlContext& operator=(const GlContext&) = delete;

  bool Create();
  void Activate();
  bool IsValid() const { return context_ != nullptr; }

  // Renderer string of the process's GL (probed once with a scratch context).
  static const std::string& RendererName();
  static bool IsSoftware();

 private:
  void* context_ = nullptr;
};

}  // namespace D3D8Impl
