// Applies a device's Direct3D state to its GL context before a draw: matrices
// with Direct3D's depth range and pixel centres, lights, materials, render
// states and the texture stages (GL_COMBINE, or a generated fragment program
// where the combiners cannot express the stages exactly). Only what changed
// since the last draw reaches GL (GlCache), and only the parts of the state
// that the setters marked changed are looked at again: a model of many small
// draws changes one or two states between them.
#pragma once

#include <cstdint>

#include "platform/d3d8/D3D8Constants.h"
#include "platform/d3d8/device/GlCache.h"

namespace D3D8Impl {

class Device;

class Pipeline {
 public:
  // Parts of the state, as the setters mark them changed.
  enum Part : uint32_t {
    Viewport = 1,   // viewport, depth range, projection
    ModelView = 2,  // world and view
    Lights = 4,     // the lights and their enables (and the view they are sent under)
    Lighting = 8,   // material, light model, colour tracking, normalising
    Raster = 16,    // the other render states
    Stages = 32,    // texture stage states and matrices, the texture factor
    All = 63
  };
  // The parts a render state belongs to.
  static uint32_t PartsOf(D3DRENDERSTATETYPE state);

  // What the last Apply left, so that the next one redoes only what changed.
  struct Memo {
    uint32_t dirty = All;
    uint32_t generation = 0;  // the GL cache's, when applied
    uint32_t inputs = ~0u;    // the draw's vertex kind and the program hook
    unsigned activeStages = 0;
    GlCache::Mat4 modelView{};
  };

  // pretransformed: the vertices carry screen positions (XYZRHW).
  static void Apply(Device& device, bool pretransformed, bool hasNormal, bool hasDiffuse, bool hasSpecular);
  // Number of texture stages in use (the first disabled colour stage ends them).
  static unsigned ActiveStages(const Device& device);

 private:
  static void ApplyStages(Device& device, bool pretransformed);
  static void BindTextures(Device& device);
};

}  // namespace D3D8Impl
