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

}  // namespace D3D8Impl
