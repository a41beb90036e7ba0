// Applies a device's Direct3D state to its GL context before a draw: matrices
// with Direct3D's depth range and pixel centres, lights, materials, render
// states and the texture stages through GL_COMBINE.
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
};

}  // namespace D3D8Impl
