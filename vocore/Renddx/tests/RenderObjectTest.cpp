// Render objects: what each item kind gets, material records, texture upload
// formats and row order, and how a mesh is split into vertices and groups.
#include <cstring>

#include "RenderFixture.h"
#include "vocore/Renddx/VoRenderDXMaterial.h"
#include "vocore/Renddx/VoRenderDXTexture.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoITexture.h"

using votest::MeshData;

TEST_F(RenderTest, ItemsGetRenderObjectsOfTheirKind) {
  VoIGeometry* plain = M().NewItem<VoIGeometry>(chara);
  EXPECT_EQ(plain->GetRender(), nullptr);
  VoIPolygon* polygon = votest::AddPolygon(M(), chara, votest::Quad(), nullptr);
  EXPECT_NE(Geometry(polygon), nullptr);
  VoIMaterial* material = votest::AddMaterial(M(), chara, {});
  EXPECT_NE(dynamic_cast<VoRenderDXMaterial*>(material->GetRender()), nullptr);
  VoITexture* texture = votest::AddTexture32(M(), chara, 1, 1, {0});
  EXPECT_NE(dynamic_cast<VoRenderDXTexture*>(texture->GetRender()), nullptr);

  // Imports size textures by what the renderer says.
  R().SetRenderCaps(512, 128, 2, 32);
  const DibTextureCaps caps = static_cast<VoRenderer&>(R()).GetTextureCaps();
  EXPECT_EQ(caps.maxWidth, 512);
  EXPECT_EQ(caps.maxHeight, 128);
  EXPECT_EQ(caps.stages, 2);
  EXPECT_EQ(caps.bitDepth, 32);
}

TEST(RenderMaterial, ConvertsColoursToTheDeviceRecord) {
  VoIMaterial* m = new VoIMaterial();
  m->r = 0.5f, m->g = 0.25f, m->b = 1.0f, m->a = 0.75f;
  m->dif = 0.8f, m->amb = 0.4f, m->emi = 0.2f, m->spc = 0.6f, m->power = 7.0f;
  const D3DMATERIAL8 d = VoRenderDXMaterial::Convert(*m);
  const float want[17] = {0.4f, 0.2f, 0.8f, 0.75f, 0.2f, 0.1f, 0.4f, 0.4f, 0.6f,
                          0.6f, 0.6f, 0.6f, 0.1f, 0.05f, 0.2f, 0.2f, 7.0f};
  const float* got = &d.Diffuse.r;
  for (int i = 0; i < 17; ++i) EXPECT_FLOAT_EQ(got[i], want[i]) << "element " << i;
  m->Release();
}

TEST_F(RenderTest, TexturesUploadInTheirFormatsWithRowsTurned) {
  struct Case {
    int bits;
    std::vector<uint8_t> rows;  // 1 × 2, bottom row first
    D3DFORMAT format;
    uint32_t top, bottom;  // texels as read from the device texture
  };
  const Case cases[] = {
      // 1-5-5-5 white and pure green: R5G6B5 keeps green's top five bits (62, not 63).
      {16, {0x00, 0x7C, 0xFF, 0x7F}, D3DFMT_R5G6B5, 0xFFDF, 0xF800},
      {16, {0xE0, 0x03, 0x1F, 0x00}, D3DFMT_R5G6B5, 0x001F, 0x07C0},
      // 8-8-8 (blue, green, red bytes) gains an opaque alpha.
      {24, {0x01, 0x02, 0x03, 0x10, 0x20, 0x30}, D3DFMT_A8R8G8B8, 0xFF302010, 0xFF030201},
      {32, {0x01, 0x02, 0x03, 0x40, 0x10, 0x20, 0x30, 0x80}, D3DFMT_A8R8G8B8, 0x80302010, 0x40030201},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    VoITexture* t = votest::AddTexture(M(), chara, 1, 2, c.bits, c.rows);
    t->Update(0);
    IDirect3DTexture8* dt = dynamic_cast<VoRenderDXTexture*>(t->GetRender())->GetTexture();
    ASSERT_NE(dt, nullptr);
    D3DSURFACE_DESC desc{};
    dt->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Format, c.format);
    D3DLOCKED_RECT lr{};
    ASSERT_EQ(dt->LockRect(0, &lr, nullptr, D3DLOCK_READONLY), D3D_OK);
    uint32_t top = 0, bottom = 0;
    const size_t size = c.format == D3DFMT_R5G6B5 ? 2 : 4;
    std::memcpy(&top, lr.pBits, size);
    std::memcpy(&bottom, static_cast<uint8_t*>(lr.pBits) + lr.Pitch, size);
    dt->UnlockRect(0);
    EXPECT_EQ(top, c.top);
    EXPECT_EQ(bottom, c.bottom);
  }
  // Other depths are refused with a message and leave no texture.
  VoITexture* grey = votest::AddTexture(M(), chara, 2, 1, 8, {1, 2});
  grey->Update(0);
  EXPECT_EQ(dynamic_cast<VoRenderDXTexture*>(grey->GetRender())->GetTexture(), nullptr);
  EXPECT_EQ(boxes.Count(), 1);
  EXPECT_TRUE(boxes.Saw("bpp = 8"));
}

TEST_F(RenderTest, MeshSplitsVerticesByUvAndGroupsFaces) {
  VoIMaterial* red = votest::AddMaterial(M(), chara, {});
  VoIMaterial* blue = votest::AddMaterial(M(), chara, {}, votest::AddTexture32(M(), chara, 1, 1, {0}));
  struct Case {
    const char* name;
    MeshData mesh;
    std::vector<VoIMaterial*> materials;  // per face
    uint32_t vertices;
    std::vector<Pdx8::Group> groups;
  };
  MeshData shared, split, mixed, fan;
  shared.positions = split.positions = mixed.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  shared.AddFace({0, 1, 2}, {{0, 0}, {1, 0}, {1, 1}});
  shared.AddFace({0, 2, 3}, {{0, 0}, {1, 1}, {0, 1}});
  split.AddFace({0, 1, 2}, {{0, 0}, {1, 0}, {1, 1}});
  split.AddFace({0, 2, 3}, {{0.5f, 0}, {1, 1}, {0, 1}});
  mixed.AddFace({0, 1, 2, 3});
  mixed.AddFace({0, 1});
  mixed.AddFace({1, 2, 3});
  // One position met with eight different (u, v) pairs and each again.
  fan.positions = {{0, 0, 0}};
  for (int i = 0; i < 16; ++i) fan.positions.push_back({static_cast<float>(i), 1, 0});
  for (uint32_t i = 0; i < 16; ++i) fan.AddFace({0, i + 1, i == 15 ? 1 : i + 2}, {{float(i % 8), 0}, {0, 0}, {0, 0}});
  const Case cases[] = {
      {"same uv shares", shared, {red, red}, 4, {{1, 0, -1, 0, 2}}},
      {"other uv splits", split, {red, red}, 5, {{1, 0, -1, 0, 2}}},
      {"kinds and materials", mixed, {red, red, blue}, 4, {{1, 0, -1, 0, 2}, {0, 0, -1, 6, 1}, {1, 1, 0, 8, 1}}},
      {"uv table grows", fan, std::vector<VoIMaterial*>(16, nullptr), 17 + 7, {{1, -1, -1, 0, 16}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    VoIPolygon* p = votest::AddPolygon(M(), chara, c.mesh, nullptr);
    for (size_t f = 0; f < c.materials.size(); ++f) p->GetFace()->array[f].material = c.materials[f];
    p->ExecUpdate();
    const Pdx8::Mesh& mesh = MeshOf(p);
    EXPECT_EQ(mesh.vertexCount, c.vertices);
    EXPECT_EQ(mesh.map.size(), c.vertices - c.mesh.positions.size());
    ASSERT_EQ(mesh.groups.size(), c.groups.size());
    for (size_t g = 0; g < c.groups.size(); ++g) {
      const Pdx8::Group& got = mesh.groups[g];
      const Pdx8::Group& want = c.groups[g];
      EXPECT_EQ(std::vector<int>({got.kind, got.material, got.texture}),
                std::vector<int>({want.kind, want.material, want.texture}));
      EXPECT_EQ(got.first, want.first);
      EXPECT_EQ(got.count, want.count);
    }
    M().ReleaseItem(p);
  }
}
