// Quaternion functions of the D3DX maths.
#include <cmath>

#include "platform/d3d8/d3dx8math.h"

namespace {

// Below this squared length the inverse would overflow a float.
constexpr float kNegligibleLengthSq = 1e-30f;

}  // namespace

extern "C" {

D3DXQUATERNION* D3DXQuaternionIdentity(D3DXQUATERNION* out) {
  *out = D3DXQUATERNION(0.0f, 0.0f, 0.0f, 1.0f);
  return out;
}

float D3DXQuaternionDot(const D3DXQUATERNION* a, const D3DXQUATERNION* b) {
  return a->x * b->x + a->y * b->y + a->z * b->z + a->w * b->w;
}

float D3DXQuaternionLength(const D3DXQUATERNION* q) { return std::sqrt(D3DXQuaternionDot(q, q)); }

D3DXQUATERNION* D3DXQuaternionConjugate(D3DXQUATERNION* out, const D3DXQUATERNION* q) {
  *out = D3DXQUATERNION(-q->x, -q->y, -q->z, q->w);
  return out;
}

D3DXQUATERNION* D3DXQuaternionInverse(D3DXQUATERNION* out, const D3DXQUATERNION* q) {
  const float n = D3DXQuaternionDot(q, q);
  if (!(n >= kNegligibleLengthSq) || !std::isfinite(n)) {
    *out = D3DXQUATERNION(0.0f, 0.0f, 0.0f, 0.0f);
    return out;
  }
  *out = D3DXQUATERNION(-q->x / n, -q->y / n, -q->z / n, q->w / n);
  return out;
}

D3DXQUATERNION* D3DXQuaternionNormalize(D3DXQUATERNION* out, const D3DXQUATERNION* q) {
  const float len = D3DXQuaternionLength(q);
  if (len == 0.0f) {
    *out = D3DXQUATERNION(0.0f, 0.0f, 0.0f, 0.0f);
    return out;
  }
  *out = D3DXQUATERNION(q->x / len, q->y / len, q->z / len, q->w / len);
  return out;
}

D3DXQUATERNION* D3DXQuaternionMultiply(D3DXQUATERNION* out, const D3DXQUATERNION* a,
                                       const D3DXQUATERNION* b) {
  const D3DXQUATERNION r(b->w * a->x + b->x * a->w + b->y * a->z - b->z * a->y,
                         b->w * a->y - b->x * a->z + b->y * a->w + b->z * a->x,
                         b->w * a->z + b->x * a->y - b->y * a->x + b->z * a->w,
                         b->w * a->w - b->x * a->x - b->y * a->y - b->z * a->z);
  *out = r;
  return out;
}

D3DXQUATERNION* D3DXQuaternionRotationMatrix(D3DXQUATERNION* out, const D3DXMATRIX* m) {
  const float trace = m->_11 + m->_22 + m->_33;
  if (trace > 0.0f) {
    const float s = 2.0f * std::sqrt(trace + 1.0f);
    *out = D3DXQUATERNION((m->_23 - m->_32) / s, (m->_31 - m->_13) / s, (m->_12 - m->_21) / s,
                          0.25f * s);
    return out;
  }
  // The largest diagonal element keeps the square root well away from zero.
  int big = 0;
  if (m->_22 > m->_11) big = 1;
  if (m->_33 > m->m[big][big]) big = 2;
  if (big == 0) {
    const float s = 2.0f * std::sqrt(1.0f + m->_11 - m->_22 - m->_33);
    *out = D3DXQUATERNION(0.25f * s, (m->_12 + m->_21) / s, (m->_13 + m->_31) / s,
                          (m->_23 - m->_32) / s);
  } else if (big == 1) {
    const float s = 2.0f * std::sqrt(1.0f + m->_22 - m->_11 - m->_33);
    *out = D3DXQUATERNION((m->_12 + m->_21) / s, 0.25f * s, (m->_23 + m->_32) / s,
                          (m->_31 - m->_13) / s);
  } else {
    const float s = 2.0f * std::sqrt(1.0f + m->_33 - m->_11 - m->_22);
    *out = D3DXQUATERNION((m->_13 + m->_31) / s, (m->_23 + m->_32) / s, 0.25f * s,
                          (m->_12 - m->_21) / s);
  }
  return out;
}

}  // extern "C"
