// Projection of points to and from a viewport.
#include "platform/d3d8/d3dx8math.h"

namespace {

// world * view * proj, a null matrix counting as the identity.
D3DXMATRIX Combined(const D3DXMATRIX* proj, const D3DXMATRIX* view, const D3DXMATRIX* world) {
  D3DXMATRIX m;
  D3DXMatrixIdentity(&m);
  if (world) m = *world;
  if (view) D3DXMatrixMultiply(&m, &m, view);
  if (proj) D3DXMatrixMultiply(&m, &m, proj);
  return m;
}

}  // namespace

extern "C" {

D3DXVECTOR3* D3DXVec3Project(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DVIEWPORT8* vp,
                             const D3DXMATRIX* proj, const D3DXMATRIX* view, const D3DXMATRIX* world) {
  const D3DXMATRIX m = Combined(proj, view, world);
  D3DXVECTOR3 c;
  D3DXVec3TransformCoord(&c, v, &m);
  const float w = static_cast<float>(vp->Width), h = static_cast<float>(vp->Height);
  *out = D3DXVECTOR3(static_cast<float>(vp->X) + (1.0f + c.x) * w * 0.5f,
                     static_cast<float>(vp->Y) + (1.0f - c.y) * h * 0.5f,
                     vp->MinZ + c.z * (vp->MaxZ - vp->MinZ));
  return out;
}

D3DXVECTOR3* D3DXVec3Unproject(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DVIEWPORT8* vp,
                               const D3DXMATRIX* proj, const D3DXMATRIX* view, const D3DXMATRIX* world) {
  D3DXMATRIX m = Combined(proj, view, world);
  if (!D3DXMatrixInverse(&m, nullptr, &m)) return nullptr;
  const float w = static_cast<float>(vp->Width), h = static_cast<float>(vp->Height);
  const D3DXVECTOR3 c(2.0f * (v->x - static_cast<float>(vp->X)) / w - 1.0f,
                      1.0f - 2.0f * (v->y - static_cast<float>(vp->Y)) / h,
                      (v->z - vp->MinZ) / (vp->MaxZ - vp->MinZ));
  D3DXVec3TransformCoord(out, &c, &m);
  return out;
}

}  // extern "C"
