#include <cmath>
#include <cstring>

#include "platform/d3d8/testing/DeviceFixture.h"

namespace {

struct LitVertex {
  float x, y, z;
  float nx, ny, nz;
  float u, v;
};
constexpr DWORD LitFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

int Red(uint32_t c) { return (c >> 16) & 255; }
int Blue(uint32_t c) { return c & 255; }

}  // namespace

TEST_F(DeviceTest, ClearFillsTheViewportOnly) {
  ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x00336699, 1.0f, 0), D3D_OK);
  std::vector<uint32_t> f = Frame();
  ASSERT_EQ(f.size(), Width * Height);
  for (uint32_t p : f) ASSERT_EQ(p, 0x336699u);

  D3DVIEWPORT8 vp{8, 4, 10, 6, 0, 1};
  ASSERT_EQ(device->SetViewport(&vp), D3D_OK);
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x00FF0000, 1.0f, 0);
  EXPECT_EQ(Pixel(8, 4), 0xFF0000u);
  EXPECT_EQ(Pixel(17, 9), 0xFF0000u);
  EXPECT_EQ(Pixel(18, 9), 0x336699u);
  EXPECT_EQ(Pixel(17, 10), 0x336699u);
  EXPECT_EQ(Pixel(7, 4), 0x336699u);

  D3DRECT r{0, 0, 2, 2};
  vp = {0, 0, Width, Height, 0, 1};
  device->SetViewport(&vp);
  device->Clear(1, &r, D3DCLEAR_TARGET, 0x0000FF00, 1.0f, 0);
  EXPECT_EQ(Pixel(1, 1), 0x00FF00u);
  EXPECT_EQ(Pixel(2, 1), 0x336699u);
  EXPECT_EQ(device->Clear(1, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0), D3DERR_INVALIDCALL);
}

TEST_F(DeviceTest, ScreenRectangleCoversExactPixels) {
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  FillRect(10, 5, 20, 15, 0.5f, 0xFFFFFFFF);
  std::vector<uint32_t> f = Frame();
  for (int y = 0; y < static_cast<int>(Height); ++y)
    for (int x = 0; x < static_cast<int>(Width); ++x) {
      bool inside = x >= 10 && x < 20 && y >= 5 && y < 15;
      ASSERT_EQ(f[y * Width + x], inside ? 0xFFFFFFu : 0u) << x << "," << y;
    }
}

TEST_F(DeviceTest, DepthAndCullingFollowDirect3D) {
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  {
    // Near first, far second: the far one stays hidden.
    FillRect(0, 0, 10, 10, 0.2f, 0xFFFF0000);
    FillRect(0, 0, 10, 10, 0.8f, 0xFF0000FF);
    EXPECT_EQ(Pixel(5, 5), 0xFF0000u);
    // Equal depth passes LESSEQUAL.
    FillRect(0, 0, 10, 10, 0.2f, 0xFF00FF00);
    EXPECT_EQ(Pixel(5, 5), 0x00FF00u);
  }
  {
    // The strip's first triangle is clockwise on screen; reversed it is culled.
    ScreenVertex ccw[3] = {{20, 20, 0.5f, 1, 0xFFFFFFFF, 0, 0},
                           {20, 30, 0.5f, 1, 0xFFFFFFFF, 0, 0},
                           {30, 20, 0.5f, 1, 0xFFFFFFFF, 0, 0}};
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, ccw, sizeof(ScreenVertex));
    EXPECT_EQ(Pixel(22, 22), 0u);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, ccw, sizeof(ScreenVertex));
    EXPECT_EQ(Pixel(22, 22), 0xFFFFFFu);
  }
}

TEST_F(DeviceTest, TransformedLitMeshUsesLightsAndMaterial) {
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  // A quad at z = 5 facing the camera (normal towards -z), clockwise as seen.
  LitVertex quad[4] = {{-1, 1, 5, 0, 0, -1, 0, 0},
                       {1, 1, 5, 0, 0, -1, 1, 0},
                       {-1, -1, 5, 0, 0, -1, 0, 1},
                       {1, -1, 5, 0, 0, -1, 1, 1}};
  D3DMATRIX proj = PerspectiveLH(1.0f, static_cast<float>(Width) / Height, 1.0f, 100.0f);
  D3DMATRIX id = IdentityMatrix();
  device->SetTransform(D3DTS_PROJECTION, &proj);
  device->SetTransform(D3DTS_VIEW, &id);
  device->SetTransform(D3DTS_WORLD, &id);
  D3DMATERIAL8 m{};
  m.Diffuse = {1, 0, 0, 1};
  m.Ambient = {0, 0, 1, 1};
  device->SetMaterial(&m);
  D3DLIGHT8 light{};
  light.Type = D3DLIGHT_DIRECTIONAL;
  light.Diffuse = {1, 1, 1, 1};
  light.Direction = {0, 0, 1};
  device->SetLight(0, &light);
  device->LightEnable(0, TRUE);
  device->SetVertexShader(LitFvf);
  ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex)), D3D_OK);
  uint32_t centre = Pixel(Width / 2, Height / 2);
  EXPECT_GE(Red(centre), 250);
  EXPECT_EQ(Blue(centre), 0);
  EXPECT_EQ(Pixel(0, 0), 0u);

  // Light off, ambient on: the material's ambient colour alone.
  device->LightEnable(0, FALSE);
  device->SetRenderState(D3DRS_AMBIENT, 0x00808080);
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex));
  centre = Pixel(Width / 2, Height / 2);
  EXPECT_EQ(Red(centre), 0);
  EXPECT_NEAR(Blue(centre), 128, 2);

  // Moved by the world matrix to the right half.
  D3DMATRIX world = Translation(2.5f, 0, 0);
  device->SetTransform(D3DTS_WORLD, &world);
  device->LightEnable(0, TRUE);
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex));
  EXPECT_EQ(Pixel(Width / 2 - 4, Height / 2), 0u);
  EXPECT_GE(Red(Pixel(Width - 8, Height / 2)), 250);

  // A world scaled by 2 halves the transformed normal: half the light, unless
  // normals are normalised.
  D3DMATRIX scaled = IdentityMatrix();
  scaled._11 = scaled._22 = scaled._33 = 2;
  scaled._43 = -5;
  device->SetTransform(D3DTS_WORLD, &scaled);
  device->SetRenderState(D3DRS_AMBIENT, 0);
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex));
  EXPECT_NEAR(Red(Pixel(Width / 2, Height / 2)), 128, 3);
  device->SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
  device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex));
  EXPECT_GE(Red(Pixel(Width / 2, Height / 2)), 250);
}

TEST_F(DeviceTest, IndexedBuffersWithBaseVertex) {
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  IDirect3DVertexBuffer8* vb = nullptr;
  IDirect3DIndexBuffer8* ib = nullptr;
  ASSERT_EQ(device->CreateVertexBuffer(8 * sizeof(ScreenVertex), D3DUSAGE_WRITEONLY, ScreenFvf, D3DPOOL_MANAGED, &vb),
            D3D_OK);
  ASSERT_EQ(device->CreateIndexBuffer(6 * 4, D3DUSAGE_WRITEONLY, D3DFMT_INDEX32, D3DPOOL_MANAGED, &ib), D3D_OK);
  BYTE* p = nullptr;
  ASSERT_EQ(vb->Lock(0, 0, &p, 0), D3D_OK);
  auto* v = reinterpret_cast<ScreenVertex*>(p);
  // Vertices 0-3 a red square on the left, 4-7 a green one on the right.
  float xs[2] = {4, 40};
  D3DCOLOR cs[2] = {0xFFFF0000, 0xFF00FF00};
  for (int q = 0; q < 2; ++q) {
    v[q * 4 + 0] = {xs[q], 4, 0.5f, 1, cs[q], 0, 0};
    v[q * 4 + 1] = {xs[q] + 10, 4, 0.5f, 1, cs[q], 0, 0};
    v[q * 4 + 2] = {xs[q], 14, 0.5f, 1, cs[q], 0, 0};
    v[q * 4 + 3] = {xs[q] + 10, 14, 0.5f, 1, cs[q], 0, 0};
  }
  vb->Unlock();
  ASSERT_EQ(ib->Lock(0, 0, &p, 0), D3D_OK);
  const uint32_t idx[6] = {0, 1, 2, 2, 1, 3};
  std::memcpy(p, idx, sizeof idx);
  ib->Unlock();
  device->SetVertexShader(ScreenFvf);
  device->SetStreamSource(0, vb, sizeof(ScreenVertex));
  device->SetIndices(ib, 4);
  ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 2), D3D_OK);
  EXPECT_EQ(Pixel(45, 8), 0x00FF00u);
  EXPECT_EQ(Pixel(8, 8), 0u);
  // An index past the vertices is refused, not read.
  device->SetIndices(ib, 5);
  EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 2), D3DERR_INVALIDCALL);
  device->SetIndices(ib, 0);
  EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 3, 2), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 6, 1), D3DERR_INVALIDCALL);
  ASSERT_EQ(device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3D_OK);
  EXPECT_EQ(Pixel(8, 8), 0xFF0000u);
  vb->Release();
  ib->Release();
}

TEST_F(DeviceTest, TexturesSampleTopDownAndEmptyStageIsWhite) {
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  {
    // Without a texture, stage 0's modulate gives the diffuse colour.
    FillRect(0, 0, 8, 8, 0.5f, 0xFF204060);
    EXPECT_EQ(Pixel(4, 4), 0x204060u);
  }
  const D3DFORMAT formats[] = {D3DFMT_A8R8G8B8, D3DFMT_R5G6B5, D3DFMT_A1R5G5B5, D3DFMT_R8G8B8};
  for (D3DFORMAT format : formats) {
    SCOPED_TRACE(format);
    IDirect3DTexture8* t = nullptr;
    ASSERT_EQ(device->CreateTexture(2, 2, 1, 0, format, D3DPOOL_MANAGED, &t), D3D_OK);
    D3DLOCKED_RECT lr{};
    ASSERT_EQ(t->LockRect(0, &lr, nullptr, 0), D3D_OK);
    auto* bits = static_cast<uint8_t*>(lr.pBits);
    // Top row red, green; bottom row blue, white (full channels survive 5/6 bits).
    const uint32_t texels[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    for (int i = 0; i < 4; ++i) {
      uint8_t* at = bits + (i / 2) * lr.Pitch + (i % 2) * (format == D3DFMT_R8G8B8 ? 3 : format == D3DFMT_A8R8G8B8 ? 4 : 2);
      uint32_t c = texels[i];
      if (format == D3DFMT_A8R8G8B8) std::memcpy(at, &c, 4);
      if (format == D3DFMT_R8G8B8) at[0] = c & 255, at[1] = (c >> 8) & 255, at[2] = (c >> 16) & 255;
      uint16_t w = 0;
      if (format == D3DFMT_R5G6B5) w = static_cast<uint16_t>(((c >> 19) & 31) << 11 | ((c >> 10) & 63) << 5 | ((c >> 3) & 31));
      if (format == D3DFMT_A1R5G5B5) w = static_cast<uint16_t>(0x8000 | ((c >> 19) & 31) << 10 | ((c >> 11) & 31) << 5 | ((c >> 3) & 31));
      if (w) std::memcpy(at, &w, 2);
    }
    t->UnlockRect(0);
    device->SetTexture(0, t);
    FillRect(16, 16, 32, 32, 0.5f, 0xFFFFFFFF);
    EXPECT_EQ(Pixel(20, 20), 0xFF0000u);
    EXPECT_EQ(Pixel(28, 20), 0x00FF00u);
    EXPECT_EQ(Pixel(20, 28), 0x0000FFu);
    EXPECT_EQ(Pixel(28, 28), 0xFFFFFFu);
    // Modulated by the diffuse colour.
    FillRect(40, 16, 56, 32, 0.5f, 0xFF808080);
    EXPECT_NEAR(Red(Pixel(44, 20)), 128, 2);
    device->SetTexture(0, nullptr);
    t->Release();
  }
}

TEST_F(DeviceTest, BlendingAndAlphaTest) {
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x000000FF, 1.0f, 0);
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  device->SetRenderState(D3DRS_ZENABLE, FALSE);
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  // Stage 0 alpha from the diffuse colour.
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  FillRect(0, 0, 8, 8, 0.5f, 0x80FF0000);
  uint32_t c = Pixel(4, 4);
  EXPECT_NEAR(Red(c), 128, 2);
  EXPECT_NEAR(Blue(c), 127, 2);

  // Additive.
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
  FillRect(10, 0, 18, 8, 0.5f, 0xFF00FF00);
  EXPECT_EQ(Pixel(14, 4), 0x00FFFFu);

  // A disabled alpha operation under a live colour stage passes the diffuse alpha.
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
  device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
  device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
  device->SetRenderState(D3DRS_ALPHAREF, 0);
  DWORD passes = 0;
  EXPECT_EQ(device->ValidateDevice(&passes), D3D_OK);
  EXPECT_EQ(passes, 1u);
  FillRect(20, 0, 28, 8, 0.5f, 0x00FF0000);
  EXPECT_EQ(Pixel(24, 4), 0x0000FFu);
  FillRect(30, 0, 38, 8, 0.5f, 0xFFFF0000);
  EXPECT_EQ(Pixel(34, 4), 0xFF00FFu);
}

TEST_F(DeviceTest, LinesAndTextureFactorStage) {
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  ScreenVertex line[2] = {{2, 10, 0.5f, 1, 0xFFFFFF00, 0, 0}, {30, 10, 0.5f, 1, 0xFFFFFF00, 0, 0}};
  device->SetVertexShader(ScreenFvf);
  ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_LINELIST, 1, line, sizeof(ScreenVertex)), D3D_OK);
  EXPECT_EQ(Pixel(10, 10), 0xFFFF00u);
  EXPECT_EQ(Pixel(29, 10), 0xFFFF00u);
  EXPECT_EQ(Pixel(10, 9), 0u);
  EXPECT_EQ(Pixel(10, 11), 0u);
  EXPECT_EQ(Pixel(31, 10), 0u);

  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TFACTOR);
  device->SetRenderState(D3DRS_TEXTUREFACTOR, 0xFF10E020);
  FillRect(0, 20, 8, 28, 0.5f, 0xFFFFFFFF);
  EXPECT_EQ(Pixel(4, 24), 0x10E020u);
  // Stage 0 off: the diffuse colour alone.
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_DISABLE);
  FillRect(10, 20, 18, 28, 0.5f, 0xFF405060);
  EXPECT_EQ(Pixel(14, 24), 0x405060u);
}
