// The device sends GL only the states that changed: a sequence of draws whose
// states alternate must give the pixels each draw gives on a fresh device, and
// what happens between two draws (clears, writes to the back buffer, changes
// that wait for a lit draw) must not leave the second with the first's GL state.
#include <EGL/egl.h>

#include <cstdlib>
#include <cstring>
#include <functional>

#include "platform/d3d8/testing/DeviceFixture.h"

namespace {

// Mesa hands out new names for new textures and buffers; GPU drivers reuse
// freed ones, which is where a cache keyed by name goes wrong. Asked before
// any context exists (the environment overrides Mesa's option of that name).
[[maybe_unused]] const bool namesReused = setenv("force_gl_names_reuse", "true", 0) == 0;

struct LitVertex {
  float x, y, z, nx, ny, nz;
  D3DCOLOR colour;
  float u, v;
};

// Textures of one device.
struct Kit {
  IDirect3DTexture8* checker = nullptr;
  IDirect3DTexture8* tint = nullptr;
  explicit Kit(IDirect3DDevice8* d) {
    uint32_t texels[16];
    for (int i = 0; i < 16; ++i) texels[i] = ((i % 4 + i / 4) & 1) ? 0xFFF0C020 : 0x802040E0;
    checker = MakeTexture(d, 4, 4, texels);
    const uint32_t tintTexel = 0xFF60A0FF;
    tint = MakeTexture(d, 1, 1, &tintTexel);
  }
  ~Kit() {
    if (checker) checker->Release();
    if (tint) tint->Release();
  }
};

// Every state any variant sets, back to one baseline, so that a variant's
// Direct3D state is the same wherever it is drawn.
void Baseline(IDirect3DDevice8* d) {
  const D3DMATRIX id = IdentityMatrix();
  d->SetTransform(D3DTS_WORLD, &id);
  d->SetTransform(D3DTS_VIEW, &id);
  d->SetTransform(D3DTS_TEXTURE0, &id);
  const D3DMATRIX proj = PerspectiveLH(1.2f, 16.0f / 12.0f, 1.0f, 10.0f);
  d->SetTransform(D3DTS_PROJECTION, &proj);
  const std::pair<D3DRENDERSTATETYPE, DWORD> states[] = {
      {D3DRS_LIGHTING, FALSE},          {D3DRS_ZENABLE, FALSE},           {D3DRS_CULLMODE, D3DCULL_NONE},
      {D3DRS_ALPHABLENDENABLE, FALSE},  {D3DRS_SRCBLEND, D3DBLEND_ONE},   {D3DRS_DESTBLEND, D3DBLEND_ZERO},
      {D3DRS_ALPHATESTENABLE, FALSE},   {D3DRS_COLORWRITEENABLE, 0xF},    {D3DRS_COLORVERTEX, TRUE},
      {D3DRS_SPECULARENABLE, FALSE},    {D3DRS_TEXTUREFACTOR, 0xFFFFFFFF}, {D3DRS_AMBIENT, 0},
      {D3DRS_SHADEMODE, D3DSHADE_GOURAUD}};
  for (auto [state, value] : states) d->SetRenderState(state, value);
  for (DWORD s = 0; s < 2; ++s) {
    d->SetTexture(s, nullptr);
    d->SetTextureStageState(s, D3DTSS_COLOROP, s ? D3DTOP_DISABLE : D3DTOP_MODULATE);
    d->SetTextureStageState(s, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    d->SetTextureStageState(s, D3DTSS_COLORARG2, s ? D3DTA_CURRENT : D3DTA_DIFFUSE);
    d->SetTextureStageState(s, D3DTSS_ALPHAOP, s ? D3DTOP_DISABLE : D3DTOP_SELECTARG1);
    d->SetTextureStageState(s, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    d->SetTextureStageState(s, D3DTSS_MAGFILTER, D3DTEXF_POINT);
    d->SetTextureStageState(s, D3DTSS_MINFILTER, D3DTEXF_POINT);
    d->SetTextureStageState(s, D3DTSS_ADDRESSU, D3DTADDRESS_WRAP);
    d->SetTextureStageState(s, D3DTSS_TEXCOORDINDEX, s);
    d->SetTextureStageState(s, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
  }
  D3DMATERIAL8 m{};
  d->SetMaterial(&m);
  d->LightEnable(0, FALSE);
}

// A quad filling the viewport of the cell, lit or plain, with or without vertex colours.
void Mesh(IDirect3DDevice8* d, const RECT& cell, bool withColour) {
  D3DVIEWPORT8 vp{static_cast<DWORD>(cell.left), static_cast<DWORD>(cell.top), 16, 12, 0, 1};
  d->SetViewport(&vp);
  const LitVertex v[4] = {{-1, 1, 2, 0, 0, -1, 0xFF20C040, 0, 0},
                          {1, 1, 2, 0, 0, -1, 0xFFE04080, 1.5f, 0},
                          {-1, -1, 2, 0, 0, -1, 0xFF4080C0, 0, 1.5f},
                          {1, -1, 2, 0, 0, -1, 0xFFC0C020, 1.5f, 1.5f}};
  if (withColour) {
    d->SetVertexShader(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    d->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(LitVertex));
    return;
  }
  struct Plain {
    float x, y, z, nx, ny, nz, u, v;
  } p[4];
  for (int i = 0; i < 4; ++i) p[i] = {v[i].x, v[i].y, v[i].z, v[i].nx, v[i].ny, v[i].nz, v[i].u, v[i].v};
  d->SetVertexShader(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1);
  d->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, p, sizeof(Plain));
}

void Screen(IDirect3DDevice8* d, const RECT& cell, D3DCOLOR colour) {
  const float x1 = static_cast<float>(cell.left), y1 = static_cast<float>(cell.top);
  const ScreenVertex v[4] = {{x1 + 1, y1 + 1, 0.5f, 1, colour, 0, 0},
                             {x1 + 15, y1 + 1, 0.5f, 1, colour, 2, 0},
                             {x1 + 1, y1 + 11, 0.5f, 1, colour, 0, 2},
                             {x1 + 15, y1 + 11, 0.5f, 1, colour, 2, 2}};
  d->SetVertexShader(ScreenFvf);
  d->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(ScreenVertex));
}

void Light(IDirect3DDevice8* d, D3DCOLORVALUE diffuse) {
  D3DLIGHT8 l{};
  l.Type = D3DLIGHT_DIRECTIONAL;
  l.Diffuse = diffuse;
  l.Direction = {0.3f, -0.2f, 1};
  d->SetLight(0, &l);
  d->LightEnable(0, TRUE);
  d->SetRenderState(D3DRS_LIGHTING, TRUE);
}

using Variant = std::function<void(IDirect3DDevice8*, Kit&, const RECT&)>;

const Variant Variants[] = {
    // Lit by a material.
    [](IDirect3DDevice8* d, Kit&, const RECT& c) {
      D3DMATERIAL8 m{};
      m.Diffuse = {0.9f, 0.2f, 0.1f, 1};
      m.Ambient = {0, 0, 0.5f, 1};
      d->SetMaterial(&m);
      d->SetRenderState(D3DRS_AMBIENT, 0x00808080);
      Light(d, {1, 1, 1, 1});
      Mesh(d, c, false);
    },
    // Lit by vertex colours (GL tracks them into its material).
    [](IDirect3DDevice8* d, Kit& k, const RECT& c) {
      Light(d, {0.8f, 0.9f, 1, 1});
      d->SetTexture(0, k.checker);
      Mesh(d, c, true);
    },
    // Lit by a material again, vertex colours present but not used.
    [](IDirect3DDevice8* d, Kit&, const RECT& c) {
      D3DMATERIAL8 m{};
      m.Diffuse = {0.1f, 0.7f, 0.3f, 1};
      d->SetMaterial(&m);
      d->SetRenderState(D3DRS_COLORVERTEX, FALSE);
      Light(d, {1, 1, 1, 1});
      Mesh(d, c, true);
    },
    // A texture with point sampling and a diffuse colour.
    [](IDirect3DDevice8* d, Kit& k, const RECT& c) {
      d->SetTexture(0, k.checker);
      Screen(d, c, 0xFFC08040);
    },
    // The same texture filtered and clamped, on a second stage as well.
    [](IDirect3DDevice8* d, Kit& k, const RECT& c) {
      d->SetTexture(0, k.checker);
      d->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
      d->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP);
      d->SetTexture(1, k.tint);
      d->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_ADDSMOOTH);
      Screen(d, c, 0xFFFFFFFF);
    },
    // Blended over the background by the texture factor's alpha.
    [](IDirect3DDevice8* d, Kit&, const RECT& c) {
      d->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
      d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
      d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
      d->SetRenderState(D3DRS_TEXTUREFACTOR, 0x6040E0A0);
      d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
      d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TFACTOR);
      d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TFACTOR);
      Screen(d, c, 0xFFFFFFFF);
    },
    // Red and alpha only written, the texture through a moved coordinate.
    [](IDirect3DDevice8* d, Kit& k, const RECT& c) {
      d->SetRenderState(D3DRS_COLORWRITEENABLE, 0x9 /* red, alpha */);
      D3DMATRIX shift = IdentityMatrix();
      shift._31 = 0.25f;
      d->SetTransform(D3DTS_TEXTURE0, &shift);
      d->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
      d->SetTexture(0, k.checker);
      Screen(d, c, 0xFFFFFFFF);
    },
    // Camera-space normals as texture coordinates, unlit, specular stage.
    [](IDirect3DDevice8* d, Kit& k, const RECT& c) {
      d->SetTexture(0, k.checker);
      d->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACENORMAL);
      d->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_SPECULAR | D3DTA_COMPLEMENT);
      d->SetRenderState(D3DRS_SPECULARENABLE, TRUE);
      Mesh(d, c, true);
    },
};
constexpr int VariantCount = sizeof Variants / sizeof Variants[0];

RECT Cell(int i) { return {(i % 4) * 16, (i / 4) * 12, (i % 4) * 16 + 16, (i / 4) * 12 + 12}; }

void Clear(IDirect3DDevice8* d) {
  D3DVIEWPORT8 vp{0, 0, 64, 48, 0, 1};
  d->SetViewport(&vp);
  d->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x00305070, 1.0f, 0);
}

}  // namespace

TEST_F(DeviceTest, AlternatingStatesDrawAsOnAFreshDevice) {
  static_assert(VariantCount == 8, "cells");
  // Each variant twice, after different ones, and x, y, x runs: coming back to
  // a state after another is where a cache drops changes.
  const std::vector<int> order = {1, 0, 1, 0, 2, 3, 2, 4, 5, 4, 6, 7, 6, 3, 5, 7};
  Kit kit(device);
  Clear(device);
  for (size_t cell = 0; cell < order.size(); ++cell) {
    Baseline(device);
    Variants[order[cell]](device, kit, Cell(static_cast<int>(cell)));
  }
  const std::vector<uint32_t> drawn = Frame();
  ASSERT_EQ(drawn.size(), Width * Height);

  for (int v = 0; v < VariantCount; ++v) {
    SCOPED_TRACE(testing::Message() << "variant " << v);
    IDirect3DDevice8* fresh = D3DTest::CreateOffscreenDevice(d3d, Width, Height);
    ASSERT_NE(fresh, nullptr);
    {
      Kit own(fresh);
      Clear(fresh);
      for (size_t cell = 0; cell < order.size(); ++cell)
        if (order[cell] == v) {
          Baseline(fresh);
          Variants[v](fresh, own, Cell(static_cast<int>(cell)));
        }
      const std::vector<uint32_t> want = D3DTest::ReadBackBuffer(fresh, Width, Height);
      for (size_t cell = 0; cell < order.size(); ++cell) {
        if (order[cell] != v) continue;
        const RECT r = Cell(static_cast<int>(cell));
        // The variant drew something, and exactly what it draws alone.
        EXPECT_NE(want[(r.top + 6) * Width + r.left + 8], 0x305070u) << "cell " << cell;
        for (int y = r.top; y < r.bottom; ++y)
          for (int x = r.left; x < r.right; ++x)
            ASSERT_EQ(drawn[y * Width + x], want[y * Width + x]) << "cell " << cell << " at " << x << "," << y;
      }
    }
    fresh->Release();
  }
}

namespace {

struct SpecularVertex {
  float x, y, z, rhw;
  D3DCOLOR diffuse, specular;
};

// A screen rectangle of red diffuse and green specular vertices.
void SpecularRect(IDirect3DDevice8* d, const RECT& c) {
  const float x1 = static_cast<float>(c.left), y1 = static_cast<float>(c.top);
  const float x2 = static_cast<float>(c.right), y2 = static_cast<float>(c.bottom);
  const SpecularVertex v[4] = {{x1, y1, 0.5f, 1, 0xFFFF0000, 0xFF00FF00},
                               {x2, y1, 0.5f, 1, 0xFFFF0000, 0xFF00FF00},
                               {x1, y2, 0.5f, 1, 0xFFFF0000, 0xFF00FF00},
                               {x2, y2, 0.5f, 1, 0xFFFF0000, 0xFF00FF00}};
  d->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_SPECULAR);
  d->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(SpecularVertex));
}

void WhiteLight(IDirect3DDevice8* d, D3DCOLORVALUE diffuse) {
  D3DMATERIAL8 m{};
  m.Diffuse = {1, 1, 1, 1};
  d->SetMaterial(&m);
  Light(d, diffuse);
}

// Camera and world both turned half way round y: the mesh stays where it was
// in view space, the light (given in world space) now comes from behind it.
void TurnAround(IDirect3DDevice8* d) {
  D3DMATRIX turn = IdentityMatrix();
  turn._11 = turn._33 = -1;
  d->SetTransform(D3DTS_VIEW, &turn);
  d->SetTransform(D3DTS_WORLD, &turn);
}

// Writes one texel of the back buffer through a lock (GL state changes behind the cache).
void PokeBackBuffer(IDirect3DDevice8* d) {
  IDirect3DSurface8* back = nullptr;
  D3DLOCKED_RECT lr{};
  RECT corner{63, 47, 64, 48};
  if (d->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back) != D3D_OK) return;
  if (back->LockRect(&lr, &corner, 0) == D3D_OK) {
    const uint32_t white = 0xFFFFFFFF;
    std::memcpy(lr.pBits, &white, 4);
    back->UnlockRect();
  }
  back->Release();
}

// A vertex buffer of one colour for Mesh's quad (unlit, untextured).
IDirect3DVertexBuffer8* ColourBuffer(IDirect3DDevice8* d, D3DCOLOR colour) {
  struct Vertex {
    float x, y, z;
    D3DCOLOR colour;
  };
  const Vertex v[4] = {{-1, 1, 2, colour}, {1, 1, 2, colour}, {-1, -1, 2, colour}, {1, -1, 2, colour}};
  IDirect3DVertexBuffer8* vb = nullptr;
  BYTE* p = nullptr;
  if (d->CreateVertexBuffer(sizeof v, 0, D3DFVF_XYZ | D3DFVF_DIFFUSE, D3DPOOL_MANAGED, &vb) != D3D_OK) return nullptr;
  if (vb->Lock(0, 0, &p, 0) == D3D_OK) std::memcpy(p, v, sizeof v), vb->Unlock();
  return vb;
}

void DrawBuffer(IDirect3DDevice8* d, IDirect3DVertexBuffer8* vb, const RECT& cell) {
  D3DVIEWPORT8 vp{static_cast<DWORD>(cell.left), static_cast<DWORD>(cell.top), 16, 12, 0, 1};
  d->SetViewport(&vp);
  d->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE);
  d->SetStreamSource(0, vb, 16);
  d->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
}

// Sets one state, draws cell 0, does something between, draws cell 1 (or 2)
// and gives what the last cell must hold.
struct Between {
  const char* name;
  std::function<void(IDirect3DDevice8*, Kit&)> run;
  uint32_t want;
};

const Between BetweenCases[] = {
    {"a clear keeps the write mask",
     [](IDirect3DDevice8* d, Kit&) {
       d->SetRenderState(D3DRS_COLORWRITEENABLE, 0x1 /* red */);
       Screen(d, Cell(0), 0xFFFFFFFF);
       const D3DRECT elsewhere{32, 24, 48, 36};
       d->Clear(1, &elsewhere, D3DCLEAR_TARGET, 0, 1.0f, 0);
       Screen(d, Cell(1), 0xFFFFFFFF);
     },
     0xFF5070},
    {"a light set while unlit reaches the next lit draw",
     [](IDirect3DDevice8* d, Kit&) {
       WhiteLight(d, {1, 0, 0, 1});
       Mesh(d, Cell(0), false);
       WhiteLight(d, {0, 1, 0, 1});
       d->SetRenderState(D3DRS_LIGHTING, FALSE);
       Mesh(d, Cell(1), false);
       d->SetRenderState(D3DRS_LIGHTING, TRUE);
       Mesh(d, Cell(1), false);
     },
     0x00F000 /* the light's slant: 1 / |(0.3, -0.2, 1)| */},
    {"a new view moves the lights",
     [](IDirect3DDevice8* d, Kit&) {
       WhiteLight(d, {1, 1, 1, 1});
       Mesh(d, Cell(0), false);
       TurnAround(d);
       Mesh(d, Cell(1), false);
     },
     0x000000},
    {"a back-buffer write keeps the stage program",
     [](IDirect3DDevice8* d, Kit&) {
       d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
       d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_SPECULAR);
       SpecularRect(d, Cell(0));
       PokeBackBuffer(d);
       SpecularRect(d, Cell(1));
     },
     0x00FF00},
    {"a buffer made in a freed one's place is read",
     [](IDirect3DDevice8* d, Kit&) {
       IDirect3DVertexBuffer8* red = ColourBuffer(d, 0xFFFF0000);
       DrawBuffer(d, red, Cell(0));
       d->SetStreamSource(0, nullptr, 0);
       red->Release();
       IDirect3DVertexBuffer8* green = ColourBuffer(d, 0xFF00FF00);
       DrawBuffer(d, green, Cell(1));
       green->Release();
     },
     0x00FF00},
    {"a draw from memory between two from a buffer",
     [](IDirect3DDevice8* d, Kit&) {
       IDirect3DVertexBuffer8* green = ColourBuffer(d, 0xFF00FF00);
       DrawBuffer(d, green, Cell(0));
       Mesh(d, Cell(2), true);
       DrawBuffer(d, green, Cell(1));
       green->Release();
     },
     0x00FF00},
    {"new texels reach the next draw",
     [](IDirect3DDevice8* d, Kit& k) {
       d->SetTexture(0, k.tint);
       Screen(d, Cell(0), 0xFFFFFFFF);
       D3DLOCKED_RECT lr{};
       if (k.tint->LockRect(0, &lr, nullptr, 0) == D3D_OK) {
         const uint32_t blue = 0xFF0000FF;
         std::memcpy(lr.pBits, &blue, 4);
         k.tint->UnlockRect(0);
       }
       Screen(d, Cell(1), 0xFFFFFFFF);
     },
     0x0000FF},
};

}  // namespace

TEST_F(DeviceTest, WhatHappensBetweenDrawsDoesNotLeaveTheFirstDrawsState) {
  for (const Between& c : BetweenCases) {
    SCOPED_TRACE(c.name);
    IDirect3DDevice8* d = D3DTest::CreateOffscreenDevice(d3d, Width, Height);
    ASSERT_NE(d, nullptr);
    {
      Kit kit(d);
      Clear(d);
      Baseline(d);
      c.run(d, kit);
      const std::vector<uint32_t> drawn = D3DTest::ReadBackBuffer(d, Width, Height);
      ASSERT_EQ(drawn.size(), Width * Height);
      const RECT last = Cell(1);
      EXPECT_EQ(drawn[(last.top + 6) * Width + last.left + 8], c.want);
    }
    d->Release();
  }
}

TEST_F(DeviceTest, DrawsAfterAHostMadeItsOwnContextCurrent) {
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
  FillRect(0, 0, 8, 8, 0.5f, 0xFFFF0000);
  ASSERT_EQ(Pixel(4, 4), 0xFF0000u);
  // A host's GL code takes the thread (here: no context at all).
  ASSERT_TRUE(eglMakeCurrent(eglGetCurrentDisplay(), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT));
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x000000FF, 1.0f, 0);
  FillRect(8, 8, 16, 16, 0.5f, 0xFF00FF00);
  EXPECT_EQ(Pixel(4, 4), 0x0000FFu);
  EXPECT_EQ(Pixel(12, 12), 0x00FF00u);
}
