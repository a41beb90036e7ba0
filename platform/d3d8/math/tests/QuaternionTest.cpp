#include <random>

#include "TestMath.h"

namespace {

D3DXQUATERNION AxisAngle(D3DXVECTOR3 axis, float angle) {
  D3DXVec3Normalize(&axis, &axis);
  const float s = std::sin(angle / 2);
  return D3DXQUATERNION(axis.x * s, axis.y * s, axis.z * s, std::cos(angle / 2));
}

D3DXMATRIX MatrixOf(const D3DXQUATERNION& q) {
  D3DXMATRIX m;
  D3DXMatrixRotationQuaternion(&m, &q);
  return m;
}

D3DXQUATERNION FromMatrix(const D3DXMATRIX& m) {
  D3DXQUATERNION q;
  D3DXQuaternionRotationMatrix(&q, &m);
  return q;
}

}  // namespace

TEST(D3DXQuaternion, MatrixMatchesAxisRotation) {
  const D3DXVECTOR3 axis(1, -2, 0.5f);
  D3DXMATRIX r;
  D3DXMatrixRotationAxis(&r, &axis, 1.1f);
  EXPECT_TRUE(Near(MatrixOf(AxisAngle(axis, 1.1f)), r));
  D3DXMatrixRotationX(&r, 0.6f);
  EXPECT_TRUE(Near(MatrixOf(AxisAngle(D3DXVECTOR3(1, 0, 0), 0.6f)), r));
}

TEST(D3DXQuaternion, FromMatrixRoundTrips) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<float> d(-1.0f, 1.0f), ang(-2 * kPi, 2 * kPi);
  for (int i = 0; i < 300; ++i) {
    const D3DXQUATERNION q = AxisAngle(D3DXVECTOR3(d(rng), d(rng), d(rng) + 1e-3f), ang(rng));
    const D3DXQUATERNION back = FromMatrix(MatrixOf(q));
    // Same rotation; q and -q are both valid, so compare the matrices and |dot|.
    EXPECT_TRUE(Near(MatrixOf(back), MatrixOf(q), 2e-5f)) << "case " << i;
    EXPECT_NEAR(std::fabs(D3DXQuaternionDot(&back, &q)), 1.0f, 1e-5f) << "case " << i;
  }
  // Half turns: the trace is -1 and the diagonal branch must pick the axis.
  const D3DXVECTOR3 axes[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {0, 1, 1}, {1, 1, 1}, {-1, 2, 3}};
  for (const D3DXVECTOR3& a : axes) {
    const D3DXQUATERNION q = AxisAngle(a, kPi);
    const D3DXQUATERNION back = FromMatrix(MatrixOf(q));
    EXPECT_NEAR(std::fabs(D3DXQuaternionDot(&back, &q)), 1.0f, 1e-5f);
    EXPECT_TRUE(Near(MatrixOf(back), MatrixOf(q), 2e-5f));
  }
  {
    D3DXMATRIX rx;
    D3DXMatrixRotationX(&rx, kPi);
    EXPECT_TRUE(Near(FromMatrix(rx), D3DXQUATERNION(1, 0, 0, 0), 1e-6f));
  }
}

TEST(D3DXQuaternion, FromMatrixSignFollowsBranch) {
  D3DXMATRIX m;
  {
    // Positive trace: w carries the sign, so it comes out positive even for
    // a matrix built from a quaternion with negative w.
    D3DXMatrixRotationX(&m, -kPi / 2);
    const float h = std::sqrt(0.5f);
    EXPECT_TRUE(Near(FromMatrix(m), D3DXQUATERNION(-h, 0, 0, h)));
    EXPECT_TRUE(Near(FromMatrix(MatrixOf(D3DXQUATERNION(h, 0, 0, -h))), D3DXQUATERNION(-h, 0, 0, h)));
  }
  {
    // Negative trace: the largest diagonal element's component is positive
    // and w may be negative (200 degrees about X).
    const float a = 200.0f * kPi / 180.0f;
    D3DXMatrixRotationX(&m, a);
    EXPECT_TRUE(Near(FromMatrix(m), D3DXQUATERNION(std::sin(a / 2), 0, 0, std::cos(a / 2))));
    EXPECT_LT(FromMatrix(m).w, 0.0f);
    D3DXMatrixRotationY(&m, a);
    EXPECT_TRUE(Near(FromMatrix(m), D3DXQUATERNION(0, std::sin(a / 2), 0, std::cos(a / 2))));
    D3DXMatrixRotationZ(&m, -a);
    EXPECT_TRUE(Near(FromMatrix(m), D3DXQUATERNION(0, 0, std::sin(a / 2), -std::cos(a / 2))));
  }
}

TEST(D3DXQuaternion, MultiplyComposesLikeMatrices) {
  const D3DXQUATERNION a = AxisAngle(D3DXVECTOR3(1, 2, 3), 0.8f);
  const D3DXQUATERNION b = AxisAngle(D3DXVECTOR3(-1, 0, 2), 2.1f);
  D3DXQUATERNION ab;
  D3DXQuaternionMultiply(&ab, &a, &b);
  // Rotation a followed by b.
  EXPECT_TRUE(Near(MatrixOf(ab), MatrixOf(a) * MatrixOf(b)));
  D3DXQUATERNION c = a;
  D3DXQuaternionMultiply(&c, &c, &b);  // aliased
  EXPECT_TRUE(Near(c, ab));
  {
    // Hamilton's i * j = k; D3DX's order gives Multiply(j, i) = k.
    const D3DXQUATERNION i(1, 0, 0, 0), j(0, 1, 0, 0);
    D3DXQUATERNION k;
    D3DXQuaternionMultiply(&k, &j, &i);
    EXPECT_EQ(k, D3DXQUATERNION(0, 0, 1, 0));
  }
}

TEST(D3DXQuaternion, InverseAndNormalize) {
  const D3DXQUATERNION q(1, 2, -2, 4);  // length 5
  {
    D3DXQUATERNION inv, p;
    D3DXQuaternionInverse(&inv, &q);
    EXPECT_TRUE(Near(inv, D3DXQUATERNION(-1.0f / 25, -2.0f / 25, 2.0f / 25, 4.0f / 25)));
    D3DXQuaternionMultiply(&p, &q, &inv);
    EXPECT_TRUE(Near(p, D3DXQUATERNION(0, 0, 0, 1)));
    const D3DXQUATERNION zero(0, 0, 0, 0), tiny(1e-20f, 0, 0, 0);
    D3DXQuaternionInverse(&inv, &zero);
    EXPECT_EQ(inv, zero);
    D3DXQuaternionInverse(&inv, &tiny);
    EXPECT_EQ(inv, zero);
  }
  {
    D3DXQUATERNION n;
    D3DXQuaternionNormalize(&n, &q);
    EXPECT_TRUE(Near(n, D3DXQUATERNION(0.2f, 0.4f, -0.4f, 0.8f)));
    EXPECT_NEAR(D3DXQuaternionLength(&n), 1.0f, 1e-6f);
    const D3DXQUATERNION zero(0, 0, 0, 0);
    D3DXQuaternionNormalize(&n, &zero);
    EXPECT_EQ(n, zero);
  }
  {
    D3DXQUATERNION c, id;
    D3DXQuaternionConjugate(&c, &q);
    EXPECT_EQ(c, D3DXQUATERNION(-1, -2, 2, 4));
    D3DXQuaternionIdentity(&id);
    EXPECT_TRUE(Near(MatrixOf(id), Identity()));
  }
}
