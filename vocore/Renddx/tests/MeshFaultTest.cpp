// Meshes past the 16-bit index range, draws before a build or after the
// positions changed behind the item's back, rigid vertices that move anyway,
// and the one dynamic buffer of a moving mesh.
#include "RenderFixture.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoIModifier.h"

namespace {

// N positions along x, one triangle on the first three.
votest::MeshData Scattered(uint32_t n) {
  votest::MeshData m;
  for (uint32_t i = 0; i < n; ++i) m.positions.push_back({static_cast<float>(i), 0, 0});
  m.AddFace({0, 1, 2});
  return m;
}

void Move(VoIPolygon* p, float dx) {
  VoVertex* v = p->GetVertex();
  for (int i = 0; i < v->GetNum(); ++i) v->Get(i).x += dx;
}

}  // namespace

TEST_F(RenderTest, IndicesWidenWhenTheOutlineHalfPassesSixteenBits) {
  // The outline reads vertex count + index: 32,768 vertices still end at 65,535.
  const struct {
    uint32_t positions;
    bool wide;
  } cases[] = {{3, false}, {32768, false}, {32769, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.positions);
    VoIPolygon* p = votest::AddPolygon(M(), chara, Scattered(c.positions), nullptr);
    Platform::SetD3DCallRecording(h.Device(), true);
    p->ExecUpdate();
    Platform::SetD3DCallRecording(h.Device(), false);
    EXPECT_EQ(MeshOf(p).wideIndices, c.wide);
    const std::string call = c.wide ? "CreateIndexBuffer(12,8,102,1)" : "CreateIndexBuffer(6,8,101,1)";
    EXPECT_EQ(Count(Platform::TakeD3DCalls(h.Device()), call), 1);
    M().ReleaseItem(p);
  }
}

TEST_F(RenderTest, MeshOfMoreThan65535VerticesDrawsWhole) {
  // 256 × 70 quads with corners of their own: 71,680 vertices.
  VoIMaterial* white = votest::AddMaterial(M(), chara, {});
  VoIPolygon* p = votest::AddPolygon(M(), chara, votest::Grid(256, 70, 4.0f / 256, true), white);
  const votest::Image f = h.Render(chara);
  ASSERT_EQ(MeshOf(p).vertexCount, 71680u);
  EXPECT_TRUE(MeshOf(p).wideIndices);
  // The grid spans x ±2 and y ±0.55 (about ±53 and ±15 pixels): every pixel
  // inside is drawn, the last quads (indices past 65,535) included.
  int holes = 0;
  for (int y = 48 - 13; y <= 48 + 13; ++y)
    for (int x = 64 - 50; x <= 64 + 50; ++x) holes += (f.At(x, y) & 255) < 250;
  EXPECT_EQ(holes, 0);
  EXPECT_EQ(f.At(64, 48 - 20), 0u);
}

TEST_F(RenderTest, DrawsBeforeABuildOrWithStalePositionsAreSafe) {
  VoIPolygon* p = votest::AddPolygon(M(), chara, votest::Quad(), votest::AddMaterial(M(), chara, {}));
  // Never updated: no normals yet, so nothing to draw.
  Platform::SetD3DCallRecording(h.Device(), true);
  Geometry(p)->Draw();
  Platform::SetD3DCallRecording(h.Device(), false);
  EXPECT_EQ(Count(Platform::TakeD3DCalls(h.Device()), "DrawIndexedPrimitive("), 0);
  EXPECT_GT(h.Render(chara).At(64, 48) & 255, 250u);

  // Positions shrunk in place, no flag: the quad's last corner is gone, and
  // the mesh built for four positions must not read a fourth.
  p->GetVertex()->Alloc(3);
  EXPECT_EQ(h.Render(chara).At(64, 48), 0u);
  // Grown back the same way: drawn again.
  p->GetVertex()->Alloc(4);
  p->GetVertex()->Set(3, {-1, -1, 0});
  EXPECT_GT(h.Render(chara).At(64, 48) & 255, 250u);
}

TEST_F(RenderTest, RigidVerticesMovedInPlaceAreRedrawn) {
  VoIPolygon* p = votest::AddPolygon(M(), chara, votest::Quad(0.5f), votest::AddMaterial(M(), chara, {}),
                                     VoVertex::FIX_RIGID);
  EXPECT_GT(h.Render(chara).At(64, 48) & 255, 250u);
  ASSERT_TRUE(MeshOf(p).isStatic);
  // A deformer writes positions in place and sets no flag.
  Move(p, 1.5f);
  const std::vector<std::string> calls = Record();
  const votest::Image f = h.ReadBack();
  EXPECT_EQ(f.At(64, 48), 0u);
  EXPECT_GT(f.At(64 + 40, 48) & 255, 250u);
  // From then on it is drawn as a moving mesh.
  EXPECT_FALSE(MeshOf(p).isStatic);
  EXPECT_EQ(Count(calls, "CreateVertexBuffer(256,520,274,0)"), 1);
}

TEST_F(RenderTest, MovingMeshesWriteOneDynamicBufferInPlace) {
  R().outline = 1;
  VoIPolygon* moving = votest::AddPolygon(M(), chara, votest::Quad(0.5f), votest::AddMaterial(M(), chara, {}),
                                          VoVertex::FIX_MOVED);
  VoIPolygon* rigid = votest::AddPolygon(M(), chara, votest::Quad(0.25f), votest::AddMaterial(M(), chara, {}));
  Move(rigid, -1.5f);
  std::vector<std::string> calls;
  for (int frame = 0; frame < 3; ++frame) {
    Move(moving, 0.4f);
    std::vector<std::string> more = Record();
    calls.insert(calls.end(), more.begin(), more.end());
    // Each frame shows the positions of that frame.
    EXPECT_GT(h.ReadBack().At(64 + static_cast<int>((frame + 1) * 0.4f * 26.4f), 48) & 255, 250u);
  }
  EXPECT_EQ(Count(calls, "CreateVertexBuffer("), 2) << "one buffer each, made once";
  EXPECT_EQ(Count(calls, "CreateVertexBuffer(256,520,274,0)"), 1);
  EXPECT_EQ(Count(calls, "CreateVertexBuffer(256,8,274,1)"), 1);

  // Before a device reset the moving mesh lets its default-pool buffer go; the rigid one keeps its managed one.
  R().ResetRenderObject(chara);
  EXPECT_EQ(MeshOf(moving).vertexBuffer, nullptr);
  EXPECT_NE(MeshOf(rigid).vertexBuffer, nullptr);
  EXPECT_GT(h.Render(chara).At(64 + 32, 48) & 255, 250u);
}

TEST_F(RenderTest, ItemsMadeBeforeTheDeviceDrawOnceItIsAttached) {
  IDirect3D8* d3d = R().d3d;
  IDirect3DDevice8* device = R().device;
  R().AttachDevice(nullptr, nullptr);
  VoITexture* red = votest::AddTexture32(M(), chara, 1, 1, {0xFFFF0000});
  votest::AddPolygon(M(), chara, votest::Quad(), votest::AddMaterial(M(), chara, {}, red));
  EXPECT_EQ(h.Render(chara).At(64, 48), 0u);
  R().AttachDevice(d3d, device);
  EXPECT_EQ(h.Render(chara).At(64, 48), 0xFF0000u);
}

TEST_F(RenderTest, ObjectsHeldByAModifierOfTheCharacterAreDrawn) {
  // Skin glue keeps its pieces under a modifier of the character; they are
  // part of its look. Deeper items are not drawn by the character.
  VoIMaterial* white = votest::AddMaterial(M(), chara, {});
  auto* modifier = M().NewItem<VoIModifier>(chara);
  VoIPolygon* piece = votest::AddPolygon(M(), modifier, votest::Quad(0.5f), white);
  votest::MeshData right = votest::Quad(0.5f);
  for (Frx::Pvector& p : right.positions) p.x += 1.5f;
  votest::AddPolygon(M(), piece, right, white);
  const votest::Image f = h.Render(chara);
  EXPECT_GT(f.At(64, 48) & 255, 250u);
  EXPECT_EQ(f.At(64 + 40, 48), 0u);
  modifier->SwHide(1);  // disabling a modifier turns off its effect, not its pieces
  EXPECT_GT(h.Render(chara).At(64, 48) & 255, 250u);
}
