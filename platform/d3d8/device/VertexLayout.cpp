#include "platform/d3d8/device/VertexLayout.h"

#include "platform/d3d8/D3D8Constants.h"

namespace D3D8Impl {

VertexLayout VertexLayout::Of(uint32_t fvf) {
  VertexLayout l;
  int offset = 0;
  switch (fvf & D3DFVF_POSITION_MASK) {
    case D3DFVF_XYZ: offset = 12; break;
    case D3DFVF_XYZRHW: offset = 16, l.pretransformed = true; break;
    case D3DFVF_XYZB1: offset = 16; break;
    case D3DFVF_XYZB2: offset = 20; break;
    case D3DFVF_XYZB3: offset = 24; break;
    case D3DFVF_XYZB4: offset = 28; break;
    case D3DFVF_XYZB5: offset = 32; break;
    default: return l;  // no position: nothing to draw
  }
  if (fvf & D3DFVF_NORMAL) {
    if (l.pretransformed) return l;
    l.normalOffset = offset, offset += 12;
  }
  if (fvf & D3DFVF_PSIZE) offset += 4;
  if (fvf & D3DFVF_DIFFUSE) l.diffuseOffset = offset, offset += 4;
  if (fvf & D3DFVF_SPECULAR) l.specularOffset = offset, offset += 4;
  l.texCount = static_cast<int>((fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT);
  if (l.texCount > 8) return l;
  static const int sizes[4] = {2, 3, 4, 1};
  for (int i = 0; i < l.texCount; ++i) {
    l.texSize[i] = sizes[(fvf >> (16 + 2 * i)) & 3];
    l.texOffset[i] = offset;
    offset += 4 * l.texSize[i];
  }
  l.size = offset;
  l.valid = true;
  return l;
}

}  // namespace D3D8Impl
