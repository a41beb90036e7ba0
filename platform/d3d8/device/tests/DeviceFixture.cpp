#include "DeviceFixture.h"

#include <cmath>
#include <cstring>

void DeviceTest::SetUp() {
  Platform::ResetD3DFaults();
  d3d = Direct3DCreate8(D3D_SDK_VERSION);
  ASSERT_NE(d3d, nullptr);
  D3DPRESENT_PARAMETERS pp{};
  pp.BackBufferWidth = Width;
  pp.BackBufferHeight = Height;
  pp.BackBufferFormat = D3DFMT_X8R8G8B8;
  pp.Windowed = TRUE;
  pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
  pp.EnableAutoDepthStencil = TRUE;
  pp.AutoDepthStencilFormat = D3DFMT_D16;
  pp.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
  type = Platform::D3DIsSoftwareRenderer() ? D3DDEVTYPE_REF : D3DDEVTYPE_HAL;
  ASSERT_EQ(d3d->CreateDevice(0, type, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &device), D3D_OK);
  ASSERT_NE(device, nullptr);
}

void DeviceTest::TearDown() {
  if (device) device->Release();
  if (d3d) d3d->Release();
  Platform::ResetD3DFaults();
}

std::vector<uint32_t> DeviceTest::Frame() {
  std::vector<uint32_t> out;
  IDirect3DSurface8* back = nullptr;
  if (device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back) != D3D_OK) return out;
  D3DLOCKED_RECT lr{};
  if (back->LockRect(&lr, nullptr, D3DLOCK_READONLY) == D3D_OK) {
    out.resize(Width * Height);
    for (unsigned y = 0; y < Height; ++y)
      for (unsigned x = 0; x < Width; ++x) {
        uint32_t v;
        std::memcpy(&v, static_cast<uint8_t*>(lr.pBits) + y * lr.Pitch + x * 4, 4);
        out[y * Width + x] = v & 0x00FFFFFF;
      }
    back->UnlockRect();
  }
  back->Release();
  return out;
}

uint32_t DeviceTest::Pixel(int x, int y) {
  std::vector<uint32_t> f = Frame();
  if (f.empty()) return 0xDEADBEEF;
  return f[static_cast<size_t>(y) * Width + x];
}

void DeviceTest::FillRect(float x1, float y1, float x2, float y2, float z, D3DCOLOR colour, float u1, float v1,
                          float u2, float v2) {
  ScreenVertex v[4] = {{x1, y1, z, 1, colour, u1, v1},
                       {x2, y1, z, 1, colour, u2, v1},
                       {x1, y2, z, 1, colour, u1, v2},
                       {x2, y2, z, 1, colour, u2, v2}};
  device->SetVertexShader(ScreenFvf);
  ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(ScreenVertex)), D3D_OK);
}

D3DMATRIX IdentityMatrix() {
  D3DMATRIX m{};
  m._11 = m._22 = m._33 = m._44 = 1;
  return m;
}

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      for (int k = 0; k < 4; ++k) r.m[i][j] += a.m[i][k] * b.m[k][j];
  return r;
}

D3DMATRIX PerspectiveLH(float fovY, float aspect, float zn, float zf) {
  D3DMATRIX m{};
  float h = 1.0f / std::tan(fovY / 2);
  m._11 = h / aspect;
  m._22 = h;
  m._33 = zf / (zf - zn);
  m._34 = 1;
  m._43 = -zn * zf / (zf - zn);
  return m;
}

D3DMATRIX Translation(float x, float y, float z) {
  D3DMATRIX m = IdentityMatrix();
  m._41 = x, m._42 = y, m._43 = z;
  return m;
}
