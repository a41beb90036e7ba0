// What the passes hand the device: draws per group and pass, the ambient
// words, the outline's base vertex and cull modes, the highlight's groups.
#include <algorithm>
#include <string>

#include "RenderFixture.h"
#include "vocore/scene/VoIMaterial.h"

namespace {

std::string State(D3DRENDERSTATETYPE state, uint32_t value) {
  return "SetRenderState(" + std::to_string(state) + "," + std::to_string(value) + ")";
}

// Position of the first call equal to `call` at or after `from`; npos when none.
size_t Find(const std::vector<std::string>& calls, const std::string& call, size_t from = 0) {
  auto it = std::find(calls.begin() + static_cast<long>(std::min(from, calls.size())), calls.end(), call);
  return it == calls.end() ? std::string::npos : static_cast<size_t>(it - calls.begin());
}

}  // namespace

class PassTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    // Two groups: A shines and has an outline, B neither.
    a = votest::AddMaterial(M(), chara, {.spc = 0.5f});
    b = votest::AddMaterial(M(), chara, {.edge = 1});
    polygon = votest::AddPolygon(M(), chara, votest::Sphere(1.0f, 8, 4), a);
    VoFace* faces = polygon->GetFace();
    for (int f = 0; f < faces->count; f += 2) faces->array[f].material = b;
    sphere = votest::MakeDeviceTexture(h.Device(), 1, 1, {0xFF404040});
    ramp = votest::MakeDeviceTexture(h.Device(), 1, 1, {0xFFFFFFFF});
    R().celTexture = ramp;
  }
  void TearDown() override {
    R().sphereTexture = R().celTexture = nullptr;
    sphere->Release();
    ramp->Release();
    RenderTest::TearDown();
  }

  VoIMaterial *a = nullptr, *b = nullptr;
  VoIPolygon* polygon = nullptr;
  IDirect3DTexture8 *sphere = nullptr, *ramp = nullptr;
};

TEST_F(PassTest, DrawsEachGroupOncePerPass) {
  struct Case {
    const char* name;
    int cel, stages, highlight, outline;
    int draws;
  };
  const Case cases[] = {
      {"plain", 0, 1, 0, 0, 2},
      {"cel, one stage: base and ramp passes", 1, 1, 0, 0, 4},
      {"cel, two stages: one pass", 1, 2, 0, 0, 2},
      {"highlight: groups that shine", 0, 1, 1, 0, 3},
      {"outline: groups without the edge flag", 0, 1, 0, 1, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    R().celShading = c.cel, R().textureStages = static_cast<uint16_t>(c.stages), R().outline = c.outline;
    R().sphereTexture = c.highlight ? sphere : nullptr;
    const std::vector<std::string> calls = Record();
    EXPECT_EQ(Count(calls, "DrawIndexedPrimitive("), c.draws);
    // Lights switched off by a pass are on again for whatever is drawn next.
    const auto last = std::find_if(calls.rbegin(), calls.rend(),
                                   [](const std::string& s) { return s.rfind("LightEnable(0,", 0) == 0; });
    ASSERT_NE(last, calls.rend());
    EXPECT_EQ(*last, "LightEnable(0,1)");
  }
}

TEST_F(PassTest, HighlightAndOutlineStates) {
  R().sphereTexture = sphere;
  R().outline = 1;
  const std::vector<std::string> calls = Record();
  // The highlight adds the sphere texture scaled by the specular (0.5 -> 127).
  EXPECT_NE(Find(calls, State(D3DRS_TEXTUREFACTOR, 127u * 0x01010101u)), std::string::npos);
  // The outline reads the shell from the second half, culls front faces and
  // draws only group A, then culls as before.
  const uint32_t vertices = MeshOf(polygon).vertexCount;
  const size_t shell = Find(calls, "SetIndices(" + std::to_string(vertices) + ")");
  ASSERT_NE(shell, std::string::npos);
  const size_t cw = Find(calls, State(D3DRS_CULLMODE, D3DCULL_CW), shell);
  const size_t ccw = Find(calls, State(D3DRS_CULLMODE, D3DCULL_CCW), cw);
  ASSERT_NE(ccw, std::string::npos);
  const std::vector<std::string> outline(calls.begin() + static_cast<long>(cw), calls.begin() + static_cast<long>(ccw));
  EXPECT_EQ(Count(outline, "DrawIndexedPrimitive("), 1);
}

TEST_F(PassTest, AmbientWords) {
  R().ambientR = 0.5f, R().ambientG = 0.25f, R().ambientB = 1.0f;
  // The frame starts with alpha 0 ...
  std::vector<std::string> calls = Record();
  EXPECT_NE(Find(calls, State(D3DRS_AMBIENT, 0x007F3FFF)), std::string::npos);
  DWORD ambient = 0;
  h.Device()->GetRenderState(D3DRS_AMBIENT, &ambient);
  EXPECT_EQ(ambient, 0x007F3FFFu);
  // ... the cel passes set theirs with alpha 255 and go back to the renderer's.
  R().celShading = 1;
  calls = Record();
  // Group A: ambient 0.5 × 0 + diffuse 1 × 0.5 + emissive 0.
  EXPECT_NE(Find(calls, State(D3DRS_AMBIENT, 0xFF7F7F7F)), std::string::npos);
  EXPECT_NE(Find(calls, State(D3DRS_AMBIENT, 0xFFFFFFFF)), std::string::npos);
  h.Device()->GetRenderState(D3DRS_AMBIENT, &ambient);
  EXPECT_EQ(ambient, 0xFF7F3FFFu);
}
