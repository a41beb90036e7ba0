// The whole overlay of a frame, pixel for pixel: marks and bone shapes of a
// skeleton, the selected bone's handles and read-out, the key bar and key
// row of a long motion and the time bar, drawn with the handle icons over a
// coloured background, against the picture the overlay drew before it was
// batched (testdata/draw/overlay.png). With SAVORA_OVERLAY_PPM set the test
// writes the frame it drew to that file, to look at a difference.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/manip/testing/ViewFixture.h"
#include "editor/testing/KeyedMotion.h"
#include "platform/d3d8/d3dx/image/Image.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

class OverlayPixelsTest : public mtest::ViewFixture {
 protected:
  // Three chains of eight bones fanning out from one root, keyed every other
  // frame of 900; the bone in the middle of a chain to select.
  VoIBone* BuildRig() {
    VoICharacter* rig = NewCharacter("rig");
    VoISkelton* skelton = SkeletonOf(rig);
    VoILocate* root = Make<VoILocate>(skelton, "root");
    root->IKchain = 0;
    root->SetWPos(Frx::Pvector(0.0f, 0.0f, 0.0f));
    VoIBone* picked = nullptr;
    for (int c = 0; c < 3; ++c) {
      const float angle = 0.4f + 1.7f * static_cast<float>(c);
      VoIBranch* parent = skelton;
      VoILocate* from = root;
      Frx::Pvector at(0.0f, 0.0f, 0.0f);
      for (int b = 0; b < 8; ++b) {
        const std::string name = "b" + std::to_string(c) + "_" + std::to_string(b);
        VoIBone* bone = Make<VoIBone>(parent, name.c_str());
        VoILocate* to = Make<VoILocate>(bone, (name + "e").c_str());
        at += Frx::Pvector(40.0f * std::cos(angle + 0.1f * b), 40.0f * std::sin(angle + 0.1f * b), 5.0f);
        to->SetWPos(at);
        to->IKchain = b % 3 == 0 ? 0 : 1;
        bone->SetStartLocate(from);
        bone->SetEndLocate(to);
        bone->SetHeadVector(Frx::Pvector(0.0f, 0.0f, 1.0f));
        if (c == 1 && b == 4) picked = bone;
        parent = bone;
        from = to;
      }
    }
    skelton->InitialUpdate();
    skelton->ConvL2W(Frx::Pmatrix::id, 1);
    MakeKeyedMotion(master, host(), rig, "walk", 900);
    doc->currentFrame = 37.0f;
    return picked;
  }
};

void WritePpm(const std::string& path, const std::vector<uint32_t>& f, int width, int height) {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return;
  std::fprintf(out, "P6\n%d %d\n255\n", width, height);
  for (uint32_t p : f) {
    const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                  static_cast<unsigned char>(p)};
    std::fwrite(rgb, 1, 3, out);
  }
  std::fclose(out);
}

TEST_F(OverlayPixelsTest, MatchesThePictureBeforeBatching) {
  ViewDraw& draw = view->draw;
  draw.fontTexture = draw.LoadTextureCK(SAVORA_PROGRAM_DIR "/font16.bmp", static_cast<D3DFORMAT>(25));
  ASSERT_NE(draw.fontTexture, nullptr);
  LookFrom(900.0f, 0.2f, -0.3f);
  VoIBone* picked = BuildRig();
  host().ClickSelect(picked, 0);
  Dispatch(Move(5.0f, 5.0f, 0.0f, 0.0f, 0));  // the motion collects the bone's key row
  Clear(0x203040);
  DrawSelected();
  // The overlay leaves the device's transforms and states for the scene as
  // it found them: a second pass draws the same picture over the first.
  const std::vector<uint32_t> once = Frame();
  Clear(0x203040);
  DrawSelected();
  const std::vector<uint32_t> frame = Frame();
  ASSERT_EQ(frame.size(), static_cast<size_t>(Width) * Height);
  EXPECT_EQ(frame, once);
  if (const char* path = std::getenv("SAVORA_OVERLAY_PPM")) WritePpm(path, frame, Width, Height);

  D3D8Impl::Image golden;
  ASSERT_TRUE(D3D8Impl::ReadImageFile(SAVORA_TESTDATA_DIR "/draw/overlay.png", &golden));
  ASSERT_EQ(golden.width, static_cast<unsigned>(Width));
  ASSERT_EQ(golden.height, static_cast<unsigned>(Height));
  int differing = 0, drawn = 0;
  for (size_t i = 0; i < frame.size(); ++i) {
    const uint32_t expected = golden.argb[i] & 0xFFFFFFu;
    drawn += expected != 0x203040u;
    if (frame[i] != expected && differing++ < 5)
      ADD_FAILURE() << "pixel " << i % Width << "," << i / Width << ": " << std::hex << frame[i] << " expected "
                    << expected;
  }
  EXPECT_GT(drawn, 20000);  // the bars, marks, bones, handles and text
  EXPECT_EQ(differing, 0);
}

}  // namespace
