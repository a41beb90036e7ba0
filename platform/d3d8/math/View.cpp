// View and projection matrices of the D3DX maths.
#include <cmath>

#include "platform/d3d8/d3dx8math.h"

namespace {

// Camera axes as columns, the eye moved to the origin. A degenerate input
// (eye == at, up parallel to the view) yields zero axes, as D3DX does.
D3DXMATRIX* LookAt(D3DXMATRIX* out, const D3DXVECTOR3& eye, const D3DXVECTOR3& zdir,
                   const D3DXVECTOR3& up) {
  D3DXVECTOR3 xa, ya, za;
  D3DXVec3Normalize(&za, &zdir);
  D3DXVec3Cross(&xa, &up, &za);
  D3DXVec3Normalize(&xa, &xa);
  D3DXVec3Cross(&ya, &za, &xa);
  *out = D3DXMATRIX(xa.x, ya.x, za.x, 0,
                    xa.y, ya.y, za.y, 0,
                    xa.z, ya.z, za.z, 0,
                    -D3DXVec3Dot(&xa, &eye), -D3DXVec3Dot(&ya, &eye), -D3DXVec3Dot(&za, &eye), 1);
  return out;
}

}  // namespace

extern "C" {

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up) {
  return LookAt(out, *eye, *at - *eye, *up);
}

D3DXMATRIX* D3DXMatrixLookAtRH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up) {
  return LookAt(out, *eye, *eye - *at, *up);
}

D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovy, float aspect, float zn, float zf) {
  const float ys = 1.0f / std::tan(fovy * 0.5f), xs = ys / aspect;
  const float q = zf / (zf - zn);
  *out = D3DXMATRIX(xs, 0, 0, 0, 0, ys, 0, 0, 0, 0, q, 1, 0, 0, -zn * q, 0);
  return out;
}

D3DXMATRIX* D3DXMatrixPerspectiveFovRH(D3DXMATRIX* out, float fovy, float aspect, float zn, float zf) {
  const float ys = 1.0f / std::tan(fovy * 0.5f), xs = ys / aspect;
  const float q = zf / (zn - zf);
  *out = D3DXMATRIX(xs, 0, 0, 0, 0, ys, 0, 0, 0, 0, q, -1, 0, 0, zn * q, 0);
  return out;
}

D3DXMATRIX* D3DXMatrixOrthoLH(D3DXMATRIX* out, float w, float h, float zn, float zf) {
  *out = D3DXMATRIX(2.0f / w, 0, 0, 0, 0, 2.0f / h, 0, 0, 0, 0, 1.0f / (zf - zn), 0,
                    0, 0, zn / (zn - zf), 1);
  return out;
}

D3DXMATRIX* D3DXMatrixOrthoRH(D3DXMATRIX* out, float w, float h, float zn, float zf) {
  *out = D3DXMATRIX(2.0f / w, 0, 0, 0, 0, 2.0f / h, 0, 0, 0, 0, 1.0f / (zn - zf), 0,
                    0, 0, zn / (zn - zf), 1);
  return out;
}

}  // extern "C"
