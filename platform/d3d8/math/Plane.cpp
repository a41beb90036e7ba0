// Plane functions of the D3DX maths.
#include <cmath>

#include "platform/d3d8/d3dx8math.h"

extern "C" {

float D3DXPlaneDot(const D3DXPLANE* p, const D3DXVECTOR4* v) {
  return p->a * v->x + p->b * v->y + p->c * v->z + p->d * v->w;
}

float D3DXPlaneDotCoord(const D3DXPLANE* p, const D3DXVECTOR3* v) {
  return p->a * v->x + p->b * v->y + p->c * v->z + p->d;
}

float D3DXPlaneDotNormal(const D3DXPLANE* p, const D3DXVECTOR3* v) {
  return p->a * v->x + p->b * v->y + p->c * v->z;
}

D3DXPLANE* D3DXPlaneFromPointNormal(D3DXPLANE* out, const D3DXVECTOR3* point, const D3DXVECTOR3* normal) {
  *out = D3DXPLANE(normal->x, normal->y, normal->z, -D3DXVec3Dot(point, normal));
  return out;
}

D3DXPLANE* D3DXPlaneFromPoints(D3DXPLANE* out, const D3DXVECTOR3* p1, const D3DXVECTOR3* p2,
                               const D3DXVECTOR3* p3) {
  const D3DXVECTOR3 e1 = *p2 - *p1, e2 = *p3 - *p1;
  D3DXVECTOR3 n;
  D3DXVec3Cross(&n, &e1, &e2);
  D3DXVec3Normalize(&n, &n);
  return D3DXPlaneFromPointNormal(out, p1, &n);
}

D3DXPLANE* D3DXPlaneNormalize(D3DXPLANE* out, const D3DXPLANE* p) {
  const float len = std::sqrt(p->a * p->a + p->b * p->b + p->c * p->c);
  if (len == 0.0f) {
    *out = D3DXPLANE(0.0f, 0.0f, 0.0f, 0.0f);
    return out;
  }
  *out = D3DXPLANE(p->a / len, p->b / len, p->c / len, p->d / len);
  return out;
}

D3DXVECTOR3* D3DXPlaneIntersectLine(D3DXVECTOR3* out, const D3DXPLANE* p, const D3DXVECTOR3* a,
                                    const D3DXVECTOR3* b) {
  const D3DXVECTOR3 dir = *b - *a;
  const float denom = D3DXPlaneDotNormal(p, &dir);
  if (denom == 0.0f) return nullptr;
  const float t = D3DXPlaneDotCoord(p, a) / denom;
  *out = *a - dir * t;
  return out;
}

}  // extern "C"
