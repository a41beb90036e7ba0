#include "editor/manip/ScreenMap.h"

#include <cmath>

namespace {

// Below this w a projected point is taken to lie in the camera plane.
constexpr float kMinW = 1e-6f;

struct Homogeneous {
  float x, y, z, w;
};

Homogeneous Apply(const Frx::Pmatrix& m, const Frx::Pvector& p) {
  return {p.x * m._11 + p.y * m._21 + p.z * m._31 + m._41, p.x * m._12 + p.y * m._22 + p.z * m._32 + m._42,
          p.x * m._13 + p.y * m._23 + p.z * m._33 + m._43, p.x * m._14 + p.y * m._24 + p.z * m._34 + m._44};
}

bool Divide(const Homogeneous& h, Frx::Pvector* out) {
  const Frx::Pvector r(h.x / h.w, h.y / h.w, h.z / h.w);
  if (!std::isfinite(r.x) || !std::isfinite(r.y) || !std::isfinite(r.z)) return false;
  *out = r;
  return true;
}

}  // namespace

bool TransformDivide(const Frx::Pmatrix& m, const Frx::Pvector& p, Frx::Pvector* out, float minW) {
  const Homogeneous h = Apply(m, p);
  if (!(h.w > minW)) return false;
  return Divide(h, out);
}

ScreenMap::ScreenMap(const Frx::Pmatrix& toScreen)
    : toScreen(toScreen), toWorld(toScreen.GetInverse()), valid(true) {}

bool ScreenMap::Project(const Frx::Pvector& world, Frx::Pvector* window) const {
  return valid && TransformDivide(toScreen, world, window, kMinW);
}

bool ScreenMap::Unproject(const Frx::Pvector& window, Frx::Pvector* world) const {
  if (!valid) return false;
  // Going back, w may come out with either sign; only its size matters.
  const Homogeneous h = Apply(toWorld, window);
  if (!(std::fabs(h.w) > 1e-12f)) return false;
  return Divide(h, world);
}
