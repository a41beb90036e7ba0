// Matrix algebra of the D3DX maths: identity, product, transpose, inverse.
#include <cmath>

#include "platform/d3d8/d3dx8math.h"

D3DXMATRIX& D3DXMATRIX::operator*=(const D3DXMATRIX& r) {
  D3DXMatrixMultiply(this, this, &r);
  return *this;
}

D3DXMATRIX D3DXMATRIX::operator*(const D3DXMATRIX& r) const {
  D3DXMATRIX out;
  D3DXMatrixMultiply(&out, this, &r);
  return out;
}

bool D3DXMATRIX::operator==(const D3DXMATRIX& r) const {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      if (m[i][j] != r.m[i][j]) return false;
  return true;
}

namespace {

// The 2x2 minors of rows 0-1 (s) and rows 2-3 (c) that both the determinant
// and the adjugate are built from (Laplace expansion along row pairs).
struct Minors {
  float s0, s1, s2, s3, s4, s5;
  float c0, c1, c2, c3, c4, c5;

  explicit Minors(const float (&a)[4][4]) {
    s0 = a[0][0] * a[1][1] - a[1][0] * a[0][1];
    s1 = a[0][0] * a[1][2] - a[1][0] * a[0][2];
    s2 = a[0][0] * a[1][3] - a[1][0] * a[0][3];
    s3 = a[0][1] * a[1][2] - a[1][1] * a[0][2];
    s4 = a[0][1] * a[1][3] - a[1][1] * a[0][3];
    s5 = a[0][2] * a[1][3] - a[1][2] * a[0][3];
    c5 = a[2][2] * a[3][3] - a[3][2] * a[2][3];
    c4 = a[2][1] * a[3][3] - a[3][1] * a[2][3];
    c3 = a[2][1] * a[3][2] - a[3][1] * a[2][2];
    c2 = a[2][0] * a[3][3] - a[3][0] * a[2][3];
    c1 = a[2][0] * a[3][2] - a[3][0] * a[2][2];
    c0 = a[2][0] * a[3][1] - a[3][0] * a[2][1];
  }

  float Determinant() const { return s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0; }
};

}  // namespace

extern "C" {

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out) {
  *out = D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
  return out;
}

int D3DXMatrixIsIdentity(const D3DXMATRIX* m) {
  D3DXMATRIX id;
  D3DXMatrixIdentity(&id);
  return *m == id ? 1 : 0;
}

float D3DXMatrixfDeterminant(const D3DXMATRIX* m) { return Minors(m->m).Determinant(); }

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b) {
  D3DXMATRIX r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = a->m[i][0] * b->m[0][j] + a->m[i][1] * b->m[1][j] + a->m[i][2] * b->m[2][j] +
                  a->m[i][3] * b->m[3][j];
  *out = r;
  return out;
}

D3DXMATRIX* D3DXMatrixTranspose(D3DXMATRIX* out, const D3DXMATRIX* m) {
  D3DXMATRIX r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) r.m[i][j] = m->m[j][i];
  *out = r;
  return out;
}

D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m) {
  const float (&a)[4][4] = m->m;
  const Minors k(a);
  const float det = k.Determinant();
  if (determinant) *determinant = det;
  if (det == 0.0f || !std::isfinite(det)) return nullptr;
  const float inv = 1.0f / det;
  D3DXMATRIX r;
  r.m[0][0] = (a[1][1] * k.c5 - a[1][2] * k.c4 + a[1][3] * k.c3) * inv;
  r.m[0][1] = (-a[0][1] * k.c5 + a[0][2] * k.c4 - a[0][3] * k.c3) * inv;
  r.m[0][2] = (a[3][1] * k.s5 - a[3][2] * k.s4 + a[3][3] * k.s3) * inv;
  r.m[0][3] = (-a[2][1] * k.s5 + a[2][2] * k.s4 - a[2][3] * k.s3) * inv;
  r.m[1][0] = (-a[1][0] * k.c5 + a[1][2] * k.c2 - a[1][3] * k.c1) * inv;
  r.m[1][1] = (a[0][0] * k.c5 - a[0][2] * k.c2 + a[0][3] * k.c1) * inv;
  r.m[1][2] = (-a[3][0] * k.s5 + a[3][2] * k.s2 - a[3][3] * k.s1) * inv;
  r.m[1][3] = (a[2][0] * k.s5 - a[2][2] * k.s2 + a[2][3] * k.s1) * inv;
  r.m[2][0] = (a[1][0] * k.c4 - a[1][1] * k.c2 + a[1][3] * k.c0) * inv;
  r.m[2][1] = (-a[0][0] * k.c4 + a[0][1] * k.c2 - a[0][3] * k.c0) * inv;
  r.m[2][2] = (a[3][0] * k.s4 - a[3][1] * k.s2 + a[3][3] * k.s0) * inv;
  r.m[2][3] = (-a[2][0] * k.s4 + a[2][1] * k.s2 - a[2][3] * k.s0) * inv;
  r.m[3][0] = (-a[1][0] * k.c3 + a[1][1] * k.c1 - a[1][2] * k.c0) * inv;
  r.m[3][1] = (a[0][0] * k.c3 - a[0][1] * k.c1 + a[0][2] * k.c0) * inv;
  r.m[3][2] = (-a[3][0] * k.s3 + a[3][1] * k.s1 - a[3][2] * k.s0) * inv;
  r.m[3][3] = (a[2][0] * k.s3 - a[2][1] * k.s1 + a[2][2] * k.s0) * inv;
  *out = r;
  return out;
}

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float sx, float sy, float sz) {
  *out = D3DXMATRIX(sx, 0, 0, 0, 0, sy, 0, 0, 0, 0, sz, 0, 0, 0, 0, 1);
  return out;
}

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z) {
  *out = D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1);
  return out;
}

}  // extern "C"
