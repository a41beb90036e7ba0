// Applies a device's Direct3D state to its GL context before a draw: matrices
// with Direct3D's depth range and pixel centres, lights, materials, render
// states and the texture stages (GL_COMBINE, or a generated fragment program
// where the combiners cannot express the stages exactly). Only what changed
// since the last draw reaches GL (GlCache).
#pragma once

#include <cstdint>

namespace D3D8Impl {

class Device;

class Pipeline {
 public:
  // pretransformed: the vertices carry screen positions (XYZRHW).
  static void Apply(Device& device, bool pretransformed, bool hasNormal, bool hasDiffuse, bool hasSpecular);
  // Number of texture stages in use (the first disabled colour stage ends them).
  static unsigned ActiveStages(const Device& device);

 private:
  static void ApplyStages(Device& device, bool pretransformed);
};

}  // namespace D3D8Impl
