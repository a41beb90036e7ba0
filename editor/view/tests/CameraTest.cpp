#include <gtest/gtest.h>

#include <cmath>

#include "editor/view/InputState.h"
#include "editor/view/OrbitCamera.h"
#include "ferrox/testing/Near.h"

namespace {

constexpr float kPi = OrbitCamera::Pi;

TEST(OrbitCamera, AnglesStayInRangeAndZoomIsHeld) {
  OrbitCamera c;
  c.Rotate(0.0f, 1000.0f);
  EXPECT_FLOAT_EQ(c.pitch, OrbitCamera::HalfPi);
  c.Rotate(0.0f, -5000.0f);
  EXPECT_FLOAT_EQ(c.pitch, -OrbitCamera::HalfPi);
  for (int i = 0; i < 50; ++i) {
    c.Rotate(97.0f, 0.0f);
    ASSERT_GE(c.yaw, -kPi);
    ASSERT_LE(c.yaw, kPi);
  }
  for (int i = 0; i < 100; ++i) c.Zoom(0.5f);
  EXPECT_FLOAT_EQ(c.zoom, 10.0f);
  for (int i = 0; i < 100; ++i) c.Zoom(-0.5f);
  EXPECT_FLOAT_EQ(c.zoom, 0.1f);
}

TEST(OrbitCamera, SnapRoundsBothSignsToTheNearestEighth) {
  const float step = OrbitCamera::SnapStep;
  struct Case {
    float yaw, pitch, yawSnapped, pitchSnapped;
  } cases[] = {
      {0.1f, 0.1f, 0.0f, 0.0f},
      {0.3f, 0.7f, step, 2 * step},
      // Negative yaw rounds to its nearest step, not towards zero.
      {-0.3f, -0.3f, -step, -step},
      {-0.7f, -1.0f, -2 * step, -3 * step},
      {-3.1f, 1.5f, -8 * step, 4 * step},
  };
  for (const Case& k : cases) {
    OrbitCamera c;
    c.yaw = k.yaw, c.pitch = k.pitch;
    c.SnapAngles();
    EXPECT_NEAR(c.yaw, k.yawSnapped, 1e-5f) << k.yaw;
    EXPECT_NEAR(c.pitch, k.pitchSnapped, 1e-5f) << k.pitch;
  }
}

TEST(OrbitCamera, PresetViewsFlipBetweenTheirTwoSides) {
  OrbitCamera c;
  c.SideView(false);
  EXPECT_FLOAT_EQ(c.pitch, 0.0f);
  EXPECT_NEAR(c.yaw, -OrbitCamera::HalfPi, 1e-6f);
  c.SideView(false);
  EXPECT_NEAR(c.yaw, OrbitCamera::HalfPi, 1e-6f);
  c.SideView(true);
  EXPECT_NEAR(c.yaw, -OrbitCamera::HalfPi, 1e-6f);
  c.TopView(false);
  EXPECT_NEAR(c.pitch, OrbitCamera::HalfPi, 1e-6f);
  c.TopView(false);
  EXPECT_NEAR(c.pitch, -OrbitCamera::HalfPi, 1e-6f);
  c.FrontView(false);
  EXPECT_FLOAT_EQ(c.yaw, 0.0f);
  c.FrontView(false);
  EXPECT_NEAR(std::fabs(c.yaw), kPi, 1e-6f);
  c.pitch = 0.3f;
  c.FrontView(true);  // from elsewhere, Shift picks the back
  EXPECT_NEAR(std::fabs(c.yaw), kPi, 1e-6f);
}

TEST(OrbitCamera, ViewMatrixOrbitsTheTargetAndPanFollowsTheScreen) {
  OrbitCamera c;
  c.pitch = 0.0f, c.yaw = 0.0f, c.distance = 500.0f, c.zoom = 2.0f;
  c.CentreOn(Frx::Pvector(10.0f, 20.0f, 30.0f));
  // The centred point sits on the view axis, distance / zoom away.
  EXPECT_TRUE(FrxTest::Near(c.view * Frx::Pvector(10.0f, 20.0f, 30.0f), Frx::Pvector(0.0f, 0.0f, -250.0f), 1e-3f));
  for (float yaw : {0.4f, -1.2f}) {
    c.yaw = yaw, c.pitch = 0.5f;
    c.UpdateViewMatrix();
    const Frx::Pvector before = c.view * Frx::Pvector(0.0f, 0.0f, 0.0f);
    c.Pan(8.0f, 0.0f);
    const Frx::Pvector after = c.view * Frx::Pvector(0.0f, 0.0f, 0.0f);
    // A pan of 8 pixels moves a point 8 / zoom along the view's x only.
    EXPECT_TRUE(FrxTest::Near(after - before, Frx::Pvector(4.0f, 0.0f, 0.0f), 1e-3f)) << yaw;
  }
}

TEST(InputState, RecordsCountKeysAndClearTheChanges) {
  InputState s;
  s.SetButton(MouseRecord::LeftDown, true);
  s.MoveTo(10, 20);
  s.wheel += 120.0f;
  MouseRecord r = s.TakeRecord();
  EXPECT_TRUE(r.LeftPressed());
  EXPECT_EQ(r.x, 10.0f);
  EXPECT_EQ(r.dy, 20.0f);
  EXPECT_EQ(r.wheel, 120.0f);
  r = s.TakeRecord();  // nothing changed since
  EXPECT_EQ(r.buttons, MouseRecord::LeftDown);
  EXPECT_EQ(r.dx, 0.0f);
  EXPECT_EQ(r.wheel, 0.0f);
  s.SetButton(MouseRecord::LeftDown, false);
  EXPECT_TRUE(s.TakeRecord().LeftReleased());
  for (int i = 0; i < 300; ++i) s.KeyDown('Z');
  EXPECT_EQ(s.TakeRecord().keys['Z'], 255);
  s.KeyUp('Z');
  EXPECT_EQ(s.TakeRecord().keys['Z'], 0);
  s.KeyDown(-1), s.KeyDown(256);  // out of range: ignored
}

}  // namespace
