// Texture stages as generated GLSL fragment programs, for the setups that GL's
// fixed-function combiners cannot express exactly: the specular colour as a
// stage argument (the combiners have no source for it), and the
// multiply-then-add operations where GL_ATI_texture_env_combine3 is missing.
// Vertex processing stays fixed-function. One program per stage setup, made
// on first use; the owner deletes them with its context current.
#pragma once

#include <array>
#include <cstdint>
#include <map>

#include "platform/d3d8/D3D8Constants.h"
#include "platform/d3d8/d3d8types.h"

namespace D3D8Impl {

class StagePrograms {
 public:
  static constexpr unsigned Stages = 4;
  using StageStates = uint32_t[D3DTSS_COUNT];

  // Whether the first `active` stages need a program; modulateAdd: the
  // combiners offer GL_MODULATE_ADD_ATI.
  static bool Needed(const StageStates* stages, unsigned active, bool modulateAdd);

  // The program for the stages; 0 when it cannot be built (GL then keeps the combiners).
  unsigned For(const StageStates* stages, unsigned active, bool addSpecular);
  // Deletes every program; the context must be current.
  void Clear();

 private:
  using Key = std::array<uint32_t, Stages * 8 + 2>;
  std::map<Key, unsigned> programs_;
};

}  // namespace D3D8Impl
