// Test support of the companions: the editor fixture (master, document, host)
// plus a 3D view on a headless window with a device, a camera looking down
// -Z at the origin from 1000 units (world X to the right, Y up, as the
// editor's right-handed projection shows it), synthetic mouse records, and
// read-back of what was drawn. No Qt.
//
//   class MyTest : public mtest::ViewFixture {};
//   TEST_F(MyTest, Drags) {
//     host().ClickSelect(locate, 0);
//     DrawSelected();                                 // handles get their window positions
//     Dispatch(Press(x, y));
//     Dispatch(Move(x + 20, y - 10, 20, -10));
//   }
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "editor/manip/MouseRecord.h"
#include "editor/manip/draw/Canvas.h"
#include "editor/testing/EditorFixture.h"
#include "editor/view/CTireloView.h"
#include "ferrox/draw/Window.h"

class VoIBone;
class VoICharacter;
class VoILocate;
class VoISkelton;

namespace mtest {

class ViewFixture : public edtest::EditorFixture {
 protected:
  static constexpr int Width = 640, Height = 480;

  void SetUp() override;
  void TearDown() override;

  // The editor's free camera around the origin: turned by `yaw` about Y and
  // `pitch` about X (radians), `distance` away; 0, 0 looks down -Z with X to
  // the right and Y up. The editor's perspective of `fovDegrees`.
  void LookFrom(float distance, float pitch = 0.0f, float yaw = 0.0f, float fovDegrees = 20.0f);
  // Window position of a world point through the current camera.
  Frx::Pvector Window(const Frx::Pvector& world);
  // Clears the back buffer (colour `background`) and the depth buffer.
  void Clear(uint32_t background = 0x000000);
  // The back buffer, 0x00RRGGBB rows top-down.
  std::vector<uint32_t> Frame();
  uint32_t Pixel(int x, int y);
  // The canvas the companions draw on (no handle texture: plain icons).
  Canvas MakeCanvas();

  // Records: a left press, a move with the left button held, a release.
  static MouseRecord Press(float x, float y);
  static MouseRecord Move(float x, float y, float dx, float dy, uint32_t buttons = MouseRecord::LeftDown);
  static MouseRecord Release(float x, float y);
  static MouseRecord Holding(MouseRecord r, int key);

  // What the view does with a record: the time bar, then the selected and
  // the "general" character's companions.
  void Dispatch(const MouseRecord& record);
  // What the frame loop draws: the selected character's companions, then the time bar.
  void DrawSelected();

  // The start-up scene, the time bar and a character under "project" (the
  // scoped character) with a skeleton.
  VoICharacter* NewCharacter(const char* name);
  VoISkelton* SkeletonOf(VoICharacter* character);

  // A chain under `skelton` in the view plane: root R (0, 0, 0, chain end) ->
  // bone B1 -> middle M (0, 100, 0) -> bone B2 -> tip T (100, 100, 0).
  struct Chain {
    VoILocate *root, *middle, *tip;
    VoIBone *b1, *b2;
  };
  Chain MakeChain(VoISkelton* skelton);

  Frx::Draw::HeadlessWindow window{Width, Height};
  std::unique_ptr<CTireloView> view;
};

}  // namespace mtest
