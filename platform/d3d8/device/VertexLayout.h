// The byte layout of a flexible-vertex-format code.
#pragma once

#include <cstdint>

namespace D3D8Impl {

struct VertexLayout {
  bool valid = false;
  bool pretransformed = false;  // XYZRHW
  int positionOffset = 0;
  int normalOffset = -1;
  int diffuseOffset = -1;
  int specularOffset = -1;
  int texCount = 0;
  int texOffset[8] = {};
  int texSize[8] = {};
  int size = 0;

  static VertexLayout Of(uint32_t fvf);
};

// What the vertex arrays were last set up for from a vertex buffer: a draw
// with the same sends none of them again. Texture coordinate sets are four
// bits a unit; the GL cache's generation and count of forgotten buffers say
// whether GL may have lost them since.
struct ArraysKey {
  uint32_t fvf = 0, stride = 0, buffer = 0, texSets = 0, generation = 0, forgets = 0;
  bool operator==(const ArraysKey&) const = default;
};

}  // namespace D3D8Impl
