#include "editor/view/OrbitCamera.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kTwoPi = 2.0f * OrbitCamera::Pi;

Frx::Pmatrix RotationX(float a) {
  Frx::Pmatrix m;
  D3DXMatrixRotationX(&m, a);
  return m;
}

Frx::Pmatrix RotationY(float a) {
  Frx::Pmatrix m;
  D3DXMatrixRotationY(&m, a);
  return m;
}

Frx::Pmatrix Translation(const Frx::Pvector& v) {
  Frx::Pmatrix m;
  D3DXMatrixTranslation(&m, v.x, v.y, v.z);
  return m;
}

// Whether two angles name the same direction.
bool SameAngle(float a, float b) {
  float d = std::fmod(std::fabs(a - b), kTwoPi);
  return d < 1e-3f || kTwoPi - d < 1e-3f;
}

}  // namespace

void OrbitCamera::Rotate(float dx, float dy) {
  pitch = std::clamp(pitch + dy * 0.01f, -HalfPi, HalfPi);
  yaw += dx * 0.01f;
  if (yaw < -Pi) yaw += kTwoPi;
  if (yaw > Pi) yaw -= kTwoPi;
  UpdateViewMatrix();
}

void OrbitCamera::Pan(float dx, float dy) {
  const Frx::Pvector step(dx / zoom, -dy / zoom, 0.0f);
  Frx::Pvector turned;
  const Frx::Pmatrix r = InverseRotation();
  D3DXVec3TransformNormal(&turned, &step, &r);
  target = target + turned;
  UpdateViewMatrix();
}

void OrbitCamera::Zoom(float a) {
  zoom = std::clamp((a + 1.0f) * zoom, 0.1f, 10.0f);
  UpdateViewMatrix();
}

void OrbitCamera::SnapAngles() {
  // floor(x + 0.5) rounds negative angles to their nearest step as well.
  pitch = std::floor((pitch + kTwoPi) / SnapStep + 0.5f) * SnapStep - kTwoPi;
  yaw = std::floor(yaw / SnapStep + 0.5f) * SnapStep;
  UpdateViewMatrix();
}

void OrbitCamera::SideView(bool shift) {
  const bool level = SameAngle(pitch, 0.0f);
  if (level && SameAngle(yaw, -HalfPi)) yaw = HalfPi;
  else if (level && SameAngle(yaw, HalfPi)) yaw = -HalfPi;
  else yaw = shift ? HalfPi : -HalfPi;
  pitch = 0.0f;
  Rotate(0.0f, 0.0f);
}

void OrbitCamera::TopView(bool shift) {
  const bool front = SameAngle(yaw, 0.0f);
  if (front && SameAngle(pitch, HalfPi)) pitch = -HalfPi;
  else if (front && SameAngle(pitch, -HalfPi)) pitch = HalfPi;
  else pitch = shift ? -HalfPi : HalfPi;
  yaw = 0.0f;
  Rotate(0.0f, 0.0f);
}

void OrbitCamera::FrontView(bool shift) {
  const bool level = SameAngle(pitch, 0.0f);
  if (level && SameAngle(yaw, Pi)) yaw = 0.0f;
  else if (level && SameAngle(yaw, 0.0f)) yaw = Pi;
  else yaw = shift ? Pi : 0.0f;
  pitch = 0.0f;
  Rotate(0.0f, 0.0f);
}

void OrbitCamera::CentreOn(const Frx::Pvector& where) {
  target = Frx::Pvector(-where.x, -where.y, -where.z);
  UpdateViewMatrix();
}

void OrbitCamera::UpdateViewMatrix() {
  view = Translation(target) * RotationY(yaw) * RotationX(pitch) *
         Translation(Frx::Pvector(0.0f, 0.0f, -distance / zoom));
}

Frx::Pmatrix OrbitCamera::InverseRotation() const { return RotationX(-pitch) * RotationY(-yaw); }
