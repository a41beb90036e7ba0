// The demonstration character (testdata/demo) through the loaded modules: the
// walk imports onto it and plays, and the renderer draws it headless where
// its geometry projects, in its texture's colours, posed by the walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "ferrox/testing/MessageBoxRecorder.h"
#include "platform/d3d8/d3dx8math.h"
#include "vocore/Renddx/testing/RenderHarness.h"
#include "vocore/geometry/VoFace.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/geometry/VoVertex.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/vocore/VoMaster.h"

namespace {

const std::string kDemo = std::string(SAVORA_TESTDATA_DIR) + "/demo/";

// The demo character with the walk bound, imported through the master as a
// host does it.
VoICharacter* ImportDemo(VoMaster& master, VoICharacter* c, VoIMotion** walk) {
  // The plug-ins the hosts load: the body is a "bdef:" mesh that Osmira skins.
  for (const char* plugin : {"plugins\\pelarn.dll", "plugins\\quovin.dll", "plugins\\osmira.dll",
                             "plugins\\uvesk.dll"})
    if (!master.LoadPlugin(plugin)) return nullptr;
  if (master.Import((kDemo + "demo.mqo").c_str(), c, 0) != c) return nullptr;
  if (master.Import((kDemo + "walk.kvm").c_str(), c, 0) != c) return nullptr;
  for (VoIItem* item = c->GetFirstChild(); item; item = c->GetNextChild(item))
    if (item->IsMotion()) *walk = item->IsMotion();
  return *walk ? c : nullptr;
}

TEST(KvmDemo, TheWalkPlaysOnTheDemoCharacter) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  VoMaster master;
  ASSERT_EQ(master.Initialize(nullptr), 1);
  VoICharacter* c = master.NewItem<VoICharacter>(nullptr);
  VoIMotion* walk = nullptr;
  ASSERT_EQ(ImportDemo(master, c, &walk), c);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
  EXPECT_EQ(walk->name, "walk");
  EXPECT_EQ(walk->endframe, 96);
  EXPECT_EQ(walk->GetControlSize(), 17);
  c->SetMotion(walk);

  std::map<std::string, VoILocate*> byName;
  {
    std::list<VoRefer<VoIItem>> items;
    c->GetGroupList(items, 1);
    for (VoIItem* item : items)
      if (VoILocate* l = item->IsLocate()) byName[l->name] = l;
  }
  // Key frames, and one past the loop's end (frame 120 plays as 24): every
  // bone turned and the hips placed as the key says.
  for (int time : {0, 24, 48, 72, 120}) {
    SCOPED_TRACE(time);
    master.CountUpdate();
    master.Animation(c, Frx::Pmatrix::id, float(time));
    for (VoIItem* item = walk->GetFirstChild(); item; item = walk->GetNextChild(item)) {
      ASSERT_EQ(byName.count(item->name), 1u) << item->name;
      VoILocate* target = byName[item->name];
      if (VoIControlVector* v = item->IsControlVector()) {
        const Frx::Pvector key = v->GetKey(time % 96)->value, p = target->GetPos();
        EXPECT_NEAR(p.y, key.y, 1e-4f);
        EXPECT_NEAR(p.z, key.z, 1e-4f);
      } else if (VoIControlQuaternion* q = item->IsControlQuaternion()) {
        const Frx::Pquaternion key = q->GetKey(time % 96)->value, r = target->IsBone()->GetRotate();
        EXPECT_NEAR(std::fabs(key.x * r.x + key.y * r.y + key.z * r.z + key.w * r.w), 1.0f, 1e-4f) << item->name;
      }
    }
    // A quarter stride on the left foot is ahead (-z), three quarters on behind.
    const float ahead = byName.at("j_foot[R]")->GetWPos().z - byName.at("j_foot[L]")->GetWPos().z;
    if (time % 96 == 24) {
      EXPECT_GT(ahead, 20.0f);
    }
    if (time % 96 == 72) {
      EXPECT_LT(ahead, -20.0f);
    }
  }
  master.ReleaseItem(c);
  master.Uninitialize();
}

// Which pixels the character covers: its triangles at rest, projected by
// the camera and filled where they hold a pixel's centre.
std::vector<uint8_t> ExpectedCover(VoICharacter* c, const votest::Camera& camera, int w, int h) {
  D3DXMATRIX view, projection, both;
  const D3DXVECTOR3 eye(camera.eye.x, camera.eye.y, camera.eye.z), at(camera.at.x, camera.at.y, camera.at.z),
      up(camera.up.x, camera.up.y, camera.up.z);
  D3DXMatrixLookAtRH(&view, &eye, &at, &up);
  D3DXMatrixPerspectiveFovRH(&projection, camera.fovDegrees * 3.1415927f / 180.0f, float(w) / float(h),
                             camera.nearZ, camera.farZ);
  D3DXMatrixMultiply(&both, &view, &projection);
  std::vector<uint8_t> cover(size_t(w) * h, 0);
  for (VoIItem* item = c->GetFirstChild(); item; item = c->GetNextChild(item)) {
    VoIPolygon* p = item->IsPolygon();
    if (!p || !p->GetVertex() || !p->GetFace()) continue;
    const VoVertex* v = p->GetVertex();
    std::vector<D3DXVECTOR3> screen(size_t(v->GetNum()));
    for (int i = 0; i < v->GetNum(); ++i) {
      D3DXVECTOR4 out;
      const D3DXVECTOR3 in(v->Get(i).x, v->Get(i).y, v->Get(i).z);
      D3DXVec3Transform(&out, &in, &both);
      screen[size_t(i)] = D3DXVECTOR3((out.x / out.w + 1) * 0.5f * w, (1 - out.y / out.w) * 0.5f * h, 0);
    }
    const VoFace* f = p->GetFace();
    for (int i = 0; i < f->count; ++i) {
      const VoFaceElement& e = f->array[i];
      if (e.GetCount() != 3) continue;
      const D3DXVECTOR3 &a = screen[e.index[0]], &b = screen[e.index[1]], &d = screen[e.index[2]];
      const float area = (b.x - a.x) * (d.y - a.y) - (b.y - a.y) * (d.x - a.x);
      if (area == 0) continue;
      const int x0 = std::max(0, int(std::floor(std::min({a.x, b.x, d.x}))));
      const int x1 = std::min(w - 1, int(std::ceil(std::max({a.x, b.x, d.x}))));
      const int y0 = std::max(0, int(std::floor(std::min({a.y, b.y, d.y}))));
      const int y1 = std::min(h - 1, int(std::ceil(std::max({a.y, b.y, d.y}))));
      for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
          const float px = x + 0.5f, py = y + 0.5f;
          const float s = ((b.x - a.x) * (py - a.y) - (b.y - a.y) * (px - a.x)) / area;
          const float t = ((d.x - b.x) * (py - b.y) - (d.y - b.y) * (px - b.x)) / area;
          const float u = ((a.x - d.x) * (py - d.y) - (a.y - d.y) * (px - d.x)) / area;
          if (s >= 0 && t >= 0 && u >= 0) cover[size_t(y) * w + x] = 1;
        }
    }
  }
  return cover;
}

// Pixels unlike the background.
std::vector<uint8_t> Drawn(const votest::Image& image) {
  std::vector<uint8_t> drawn(image.pixels.size());
  for (size_t i = 0; i < drawn.size(); ++i) drawn[i] = image.pixels[i] != 0;
  return drawn;
}

// Width in pixels of what is drawn in the rows from `top` down.
int WidthBelow(const votest::Image& image, int top) {
  int x0 = image.width, x1 = -1;
  for (int y = top; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.At(x, y)) x0 = std::min(x0, x), x1 = std::max(x1, x);
  return x1 - x0 + 1;
}

TEST(KvmDemo, TheDemoCharacterDrawsWhereItProjectsInItsColoursAndWalks) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  votest::RenderHarness h(200, 150);
  ASSERT_TRUE(h.Open()) << "no device";
  VoICharacter* c = h.NewCharacter("demo");
  VoIMotion* walk = nullptr;
  ASSERT_EQ(ImportDemo(h.Master(), c, &walk), c);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});

  // From the front, lit by ambient light only, so every pixel is a texel
  // times the material's ambient 0.6.
  h.camera.eye = Frx::Pvector(0, 82, -280), h.camera.at = Frx::Pvector(0, 82, 0);
  h.camera.nearZ = 10, h.camera.farZ = 2000;
  h.light.on = false;
  h.Renderer().ambientR = h.Renderer().ambientG = h.Renderer().ambientB = 1.0f;
  const votest::Image front = h.Render(c, 0.0f);
  ASSERT_FALSE(front.Empty());
  const std::vector<uint8_t> want = ExpectedCover(c, h.camera, front.width, front.height);
  const std::vector<uint8_t> got = Drawn(front);
  // Pixels away from every edge of the expected silhouette must agree.
  int covered = 0, interior = 0, wrong = 0;
  for (int y = 1; y + 1 < front.height; ++y)
    for (int x = 1; x + 1 < front.width; ++x) {
      const size_t i = size_t(y) * front.width + x;
      covered += want[i];
      bool edge = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) edge = edge || want[i + dy * front.width + dx] != want[i];
      if (edge) continue;
      ++interior;
      wrong += got[i] != want[i];
    }
  EXPECT_GT(covered, front.width * front.height / 20) << "the body fills a fair part of the frame";
  EXPECT_LT(covered, front.width * front.height / 4);
  EXPECT_LE(wrong, interior / 500) << wrong << " of " << interior << " pixels off the edges differ";

  // The skin's two checker shades (and its darker stripes) are what shows.
  const uint32_t light = 0x8D7260, dark = 0x786152;  // (235, 190, 160) and 0.85 of it, times 0.6
  auto near = [](uint32_t a, uint32_t b) {
    for (int shift = 0; shift <= 16; shift += 8)
      if (std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) > 4) return false;
    return true;
  };
  int lights = 0, darks = 0, skin = 0, drawn = 0;
  for (uint32_t p : front.pixels) {
    if (!p) continue;
    ++drawn;
    const int r = int(p >> 16 & 255), g = int(p >> 8 & 255), b = int(p & 255);
    lights += near(p, light), darks += near(p, dark);
    skin += r > g && g > b && std::abs(g * 235 - r * 190) <= 6 * r && std::abs(b * 235 - r * 160) <= 6 * r;
  }
  EXPECT_GT(lights, drawn / 5);
  EXPECT_GT(darks, drawn / 5);
  EXPECT_GT(skin, drawn * 9 / 10);

  // From the side, the walk's frame 0 is the rest pose and a quarter stride
  // on the legs are apart.
  h.camera.eye = Frx::Pvector(-280, 82, 0);
  const votest::Image rest = h.Render(c, 0.0f);
  c->SetMotion(walk);
  const votest::Image first = h.Render(c, 0.0f);
  const votest::Image stride = h.Render(c, 24.0f);
  int moved = 0, still = 0;
  for (size_t i = 0; i < rest.pixels.size(); ++i)
    moved += (rest.pixels[i] != 0) != (stride.pixels[i] != 0), still += (rest.pixels[i] != 0) != (first.pixels[i] != 0);
  EXPECT_LE(still, 20) << "frame 0 of the walk is the rest pose";
  EXPECT_GT(moved, 200) << "a quarter stride moves the limbs";
  const int legs = rest.height * 3 / 4;
  EXPECT_GE(WidthBelow(stride, legs), WidthBelow(rest, legs) + 10) << "the feet are apart";
}

}  // namespace
