// OrbitCamera: the 3D view's free camera: a target, pitch and yaw angles
// (radians), a distance and a zoom, and the view matrix made from them.
// Pure maths, shared by the view and its tests.
#pragma once

#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Pvector.h"

struct OrbitCamera {
  static constexpr float Pi = 3.14159265358979f;
  static constexpr float HalfPi = 1.5707964f;
  static constexpr float SnapStep = 0.3926991f;  // pi / 8

  Frx::Pvector target{0.0f, 0.0f, 0.0f};
  float pitch = 0.7f;
  float yaw = -0.7f;
  float distance = 500.0f;
  float zoom = 1.0f;
  Frx::Pmatrix view = Frx::Pmatrix::id;

  OrbitCamera() { UpdateViewMatrix(); }

  // pitch += dy * 0.01 (held within +-pi/2), yaw += dx * 0.01 (wrapped into [-pi, pi]).
  void Rotate(float dx, float dy);
  // Moves the target by (dx, -dy) / zoom turned into the view's plane.
  void Pan(float dx, float dy);
  // zoom *= (a + 1), held within [0.1, 10].
  void Zoom(float a);
  // Rounds both angles to the nearest eighth of pi ('G').
  void SnapAngles();
  // Side (F1), top or bottom (F2), front or back (F3) views; `shift` picks
  // the other side when the view is at neither of the two.
  void SideView(bool shift);
  void TopView(bool shift);
  void FrontView(bool shift);
  // target := -where (centring on a point), then the view matrix.
  void CentreOn(const Frx::Pvector& where);
  void UpdateViewMatrix();
  // Rotation about X by -pitch, then about Y by -yaw (turns view directions
  // into world directions).
  Frx::Pmatrix InverseRotation() const;
};
