// World-placed sprites: the projected, the rotated and the matrix forms,
// checked by where each corner of a four-colour texture lands.
#include <cmath>
#include <cstring>
#include <limits>

#include "DrawFixture.h"

using Frx::Pmatrix;
using Frx::Prect;
using Frx::Pvector;
using Frx::Draw::PDraw;

namespace {

const Prect Whole{0, 0, 1, 1};
constexpr uint32_t Clear = 0x000010;
constexpr uint32_t Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF, White = 0xFFFFFF;

// 2 × 2 texels: red, green on the top row; blue, white below.
IDirect3DTexture8* Quadrants(IDirect3DDevice8* device) {
  IDirect3DTexture8* t = nullptr;
  if (FAILED(device->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &t))) return nullptr;
  D3DLOCKED_RECT lr{};
  if (SUCCEEDED(t->LockRect(0, &lr, nullptr, 0))) {
    const uint32_t rows[2][2] = {{0xFF000000 | Red, 0xFF000000 | Green}, {0xFF000000 | Blue, 0xFF000000 | White}};
    for (int y = 0; y < 2; ++y) std::memcpy(static_cast<uint8_t*>(lr.pBits) + y * lr.Pitch, rows[y], 8);
    t->UnlockRect(0);
  }
  return t;
}

class Sprite3DTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    Open(draw);
    if (HasFatalFailure()) return;
    texture = Quadrants(draw.device);
    ASSERT_NE(texture, nullptr);
    draw.SetRenderStateFilter(0);
    draw.SetRenderStateBlend(Frx::Draw::BLEND_NONE);
    draw.SetClearColor(Clear);
  }
  void TearDown() override {
    if (texture) texture->Release();
    draw.Uninitialize();
    DrawTest::TearDown();
  }
  void Expect(int x, int y, uint32_t colour) { EXPECT_EQ(Pixel(draw, x, y), colour) << x << "," << y; }

  PDraw draw;
  IDirect3DTexture8* texture = nullptr;
};

}  // namespace

TEST_F(Sprite3DTest, ProjectedAndRotatedFormsAroundTheProjection) {
  // Identity transforms: the half size (0.25, 0.25) spans 12 × 8 pixels of 96 × 64.
  const Pvector pos(0, 0, 0.5f), size(0.25f, 0.25f, 0);
  {
    draw.FlushScreen();
    draw.DrawSprite3D(pos, size, 0xFFFFFFFF, Whole, texture);
    Expect(43, 29, Red);
    Expect(52, 29, Green);
    Expect(43, 35, Blue);
    Expect(52, 35, White);
    Expect(41, 32, Clear);
    Expect(55, 32, Clear);
  }
  {
    // Unturned, the rotated form covers twice that extent: 24 × 16 around the centre.
    draw.FlushScreen();
    draw.DrawSprite3D(pos, size, 0xFFFFFFFF, Whole, 0.0f, texture);
    Expect(38, 26, Red);
    Expect(58, 26, Green);
    Expect(38, 38, Blue);
    Expect(58, 38, White);
    Expect(35, 32, Clear);
    Expect(48, 22, Clear);
  }
  // A quarter turn (y down: clockwise on screen) stands the rectangle up,
  // 16 × 24, with the texture's top-left at the top-right. Whole turns drop out.
  for (float angle : {0.25f, 1.25f, -0.75f}) {
    SCOPED_TRACE(angle);
    draw.FlushScreen();
    draw.DrawSprite3D(pos, size, 0xFFFFFFFF, Whole, angle, texture);
    Expect(53, 23, Red);
    Expect(53, 41, Green);
    Expect(43, 23, Blue);
    Expect(43, 41, White);
    Expect(37, 32, Clear);
    Expect(50, 21, Red);
  }
  {
    // The sprite sits at the projected depth less size.z: a nearer box hides it.
    draw.FlushScreen();
    draw.DrawFillBox(Pvector(0, 0, 0.3f), Pvector(48, 64, 0), 0xFF000000);
    draw.DrawSprite3D(pos, Pvector(0.25f, 0.25f, -0.1f), 0xFFFFFFFF, Whole, 0.0f, texture);
    Expect(38, 26, 0);
    Expect(58, 26, Green);
    draw.DrawSprite3D(pos, Pvector(0.25f, 0.25f, 0.3f), 0xFFFFFFFF, Whole, 0.0f, texture);
    Expect(38, 26, Red);
  }
  {
    // An angle that is not a number cannot be placed and draws nothing; a huge
    // one is a whole number of turns.
    draw.FlushScreen();
    draw.DrawSprite3D(pos, size, 0xFFFFFFFF, Whole, std::numeric_limits<float>::quiet_NaN(), texture);
    draw.DrawSprite3D(pos, size, 0xFFFFFFFF, Whole, std::numeric_limits<float>::infinity(), texture);
    Expect(48, 32, Clear);
    draw.DrawSprite3D(pos, size, 0xFFFFFFFF, Whole, 3e38f, texture);
    Expect(38, 26, Red);
    Expect(58, 38, White);
  }
}

TEST_F(Sprite3DTest, MatrixFormTurnsItsCornersAndRestoresStates) {
  const Pvector pos(0, 0, 0.5f), size(0.25f, 0.25f, 0);
  // Lighting is on for the scene; the sprite draws unlit all the same.
  draw.SetRenderStateLighting(1);
  draw.device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
  {
    // Corner (+x, +y) takes the texture's top-left, (+x, -y) its top-right.
    draw.FlushScreen();
    draw.DrawSprite3D(pos, size, 0xFFFFFFFF, Pmatrix::id, Whole, texture);
    Expect(57, 27, Red);
    Expect(57, 37, Green);
    Expect(39, 27, Blue);
    Expect(39, 37, White);
    Expect(33, 32, Clear);
    DWORD v = 0;
    draw.device->GetRenderState(D3DRS_CULLMODE, &v);
    EXPECT_EQ(v, static_cast<DWORD>(D3DCULL_CCW));
    draw.device->GetRenderState(D3DRS_LIGHTING, &v);
    EXPECT_EQ(v, 1u);
  }
  {
    // A mirror reverses the winding; culling is off for the call, so it still draws.
    Pmatrix mirror = Pmatrix::id;
    mirror._11 = -1;
    draw.FlushScreen();
    draw.DrawSprite3D(pos, size, 0xFFFFFFFF, mirror, Whole, texture);
    Expect(39, 27, Red);
    Expect(57, 27, Blue);
  }
  {
    // The matrix moves and scales the corners before pos is added.
    Pmatrix m = Pmatrix::id;
    m._11 = m._22 = 0.5f;
    m._41 = -0.5f;
    draw.FlushScreen();
    draw.DrawSprite3D(Pvector(0, 0.5f, 0.5f), size, 0xFFFFFFFF, m, Whole, texture);
    // Centre (-0.5, 0.5): pixel (24, 16); half extent 6 × 4 pixels.
    Expect(27, 13, Red);
    Expect(21, 19, White);
    Expect(31, 16, Clear);
    Expect(48, 32, Clear);
  }
  {
    // The world transform applies too.
    Pmatrix world = Pmatrix::id;
    world._42 = -0.5f;
    draw.device->SetTransform(D3DTS_WORLD, &world);
    draw.FlushScreen();
    draw.DrawSprite3D(pos, size, 0xFFFFFFFF, Pmatrix::id, Whole, texture);
    Expect(57, 43, Red);
    Expect(57, 27, Clear);
    draw.device->SetTransform(D3DTS_WORLD, &Pmatrix::id);
  }
}
