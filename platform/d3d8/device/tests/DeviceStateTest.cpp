#include <cstring>

#include "platform/d3d8/testing/DeviceFixture.h"

namespace {

class CountingTarget : public Platform::D3DPresentTarget {
 public:
  void PresentFrame(const uint8_t* pixels, int w, int h, int pitch) override {
    ++frames;
    width = w, height = h;
    std::memcpy(&first, pixels, 4);
    std::memcpy(&last, pixels + (h - 1) * pitch + (w - 1) * 4, 4);
  }
  int frames = 0, width = 0, height = 0;
  uint32_t first = 0, last = 0;
};

CountingTarget* theTarget = nullptr;
int theClientWidth = 0, theClientHeight = 0;

bool ClientSize(HWND, int* w, int* h) {
  *w = theClientWidth, *h = theClientHeight;
  return true;
}
Platform::D3DPresentTarget* TargetOf(HWND) { return theTarget; }

// A texture the device did not make.
class ForeignTexture : public IDirect3DTexture8 {
 public:
  unsigned long AddRef() override { return 1; }
  unsigned long Release() override { return 1; }
  HRESULT GetDevice(IDirect3DDevice8**) override { return D3DERR_INVALIDCALL; }
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
  DWORD GetLevelCount() override { return 1; }
  HRESULT GetLevelDesc(unsigned, D3DSURFACE_DESC*) override { return D3DERR_INVALIDCALL; }
  HRESULT GetSurfaceLevel(unsigned, IDirect3DSurface8**) override { return D3DERR_INVALIDCALL; }
  HRESULT LockRect(unsigned, D3DLOCKED_RECT*, const RECT*, DWORD) override { return D3DERR_INVALIDCALL; }
  HRESULT UnlockRect(unsigned) override { return D3DERR_INVALIDCALL; }
};

}  // namespace

TEST_F(DeviceTest, TakesOnlyItsOwnTexturesAndHoldsOneReferenceEach) {
  const uint32_t texel = 0xFFFFFFFF;
  IDirect3DTexture8* own = MakeTexture(device, 1, 1, &texel);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(device->SetTexture(0, own), D3D_OK);
  EXPECT_EQ(device->SetTexture(0, own), D3D_OK);
  EXPECT_EQ(own->AddRef(), 3u);  // ours, the device's one, this one
  own->Release();
  ForeignTexture foreign;
  EXPECT_EQ(device->SetTexture(1, &foreign), D3DERR_INVALIDCALL);
  IDirect3DDevice8* other = D3DTest::CreateOffscreenDevice(d3d, Width, Height);
  ASSERT_NE(other, nullptr);
  IDirect3DTexture8* theirs = MakeTexture(other, 1, 1, &texel);
  ASSERT_NE(theirs, nullptr);
  EXPECT_EQ(device->SetTexture(1, theirs), D3DERR_INVALIDCALL);
  IDirect3DBaseTexture8* got = nullptr;
  EXPECT_EQ(device->GetTexture(1, &got), D3D_OK);
  EXPECT_EQ(got, nullptr);
  EXPECT_EQ(device->SetTexture(0, nullptr), D3D_OK);
  EXPECT_EQ(own->Release(), 0u);
  theirs->Release();
  other->Release();
}

TEST_F(DeviceTest, DefaultsFollowDirect3D) {
  DWORD v = 0;
  device->GetRenderState(D3DRS_ZFUNC, &v);
  EXPECT_EQ(v, static_cast<DWORD>(D3DCMP_LESSEQUAL));
  device->GetRenderState(D3DRS_CULLMODE, &v);
  EXPECT_EQ(v, static_cast<DWORD>(D3DCULL_CCW));
  device->GetRenderState(D3DRS_LIGHTING, &v);
  EXPECT_EQ(v, 1u);
  device->GetRenderState(D3DRS_ZENABLE, &v);
  EXPECT_EQ(v, 1u);
  device->GetTextureStageState(0, D3DTSS_COLOROP, &v);
  EXPECT_EQ(v, static_cast<DWORD>(D3DTOP_MODULATE));
  device->GetTextureStageState(1, D3DTSS_COLOROP, &v);
  EXPECT_EQ(v, static_cast<DWORD>(D3DTOP_DISABLE));
  device->GetTextureStageState(0, D3DTSS_MIPFILTER, &v);
  EXPECT_EQ(v, static_cast<DWORD>(D3DTEXF_NONE));
  D3DVIEWPORT8 vp{};
  device->GetViewport(&vp);
  EXPECT_EQ(vp.Width, Width);
  EXPECT_EQ(vp.Height, Height);
  D3DMATRIX m{};
  D3DMATRIX t = Translation(1, 2, 3);
  device->SetTransform(D3DTS_VIEW, &t);
  device->GetTransform(D3DTS_VIEW, &m);
  EXPECT_EQ(m._42, 2.0f);
  EXPECT_EQ(device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(400), 1), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->SetTextureStageState(9, D3DTSS_COLOROP, 1), D3DERR_INVALIDCALL);
  D3DCAPS8 caps{};
  device->GetDeviceCaps(&caps);
  EXPECT_EQ(caps.DeviceType, type);
  EXPECT_GE(caps.MaxTextureBlendStages, 2u);
  EXPECT_GE(caps.MaxActiveLights, 2u);
}

TEST_F(DeviceTest, RecordsCallsWhenAsked) {
  device->SetRenderState(D3DRS_LIGHTING, 0);
  EXPECT_TRUE(Platform::TakeD3DCalls(device).empty());
  Platform::SetD3DCallRecording(device, true);
  device->SetRenderState(D3DRS_ZWRITEENABLE, 0);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  std::vector<std::string> calls = Platform::TakeD3DCalls(device);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0], "SetRenderState(14,0)");
  EXPECT_EQ(calls[1], "SetTextureStageState(0,4,4)");
  EXPECT_EQ(calls[2].rfind("Clear(", 0), 0u);
  EXPECT_TRUE(Platform::TakeD3DCalls(device).empty());
  Platform::SetD3DCallRecording(device, false);
}

TEST_F(DeviceTest, PresentKeepsTheFrameAndFeedsTheTarget) {
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x00123456, 1.0f, 0);
  ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  EXPECT_EQ(Pixel(3, 3), 0x123456u);

  CountingTarget target;
  theTarget = &target;
  Platform::D3DWindowBridge bridge{ClientSize, TargetOf};
  Platform::SetD3DWindowBridge(&bridge);
  auto* window = reinterpret_cast<HWND>(&target);
  ASSERT_EQ(device->Present(nullptr, nullptr, window, nullptr), D3D_OK);
  EXPECT_EQ(target.frames, 1);
  EXPECT_EQ(target.width, static_cast<int>(Width));
  EXPECT_EQ(target.first & 0xFFFFFF, 0x123456u);
  Platform::SetD3DWindowBridge(nullptr);
  theTarget = nullptr;
}

TEST_F(DeviceTest, BackBufferLocksReadAndWriteTopDown) {
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
  D3DRECT top{0, 0, static_cast<int32_t>(Width), 1};
  device->Clear(1, &top, D3DCLEAR_TARGET, 0x00FF0000, 1.0f, 0);
  IDirect3DSurface8* back = nullptr;
  ASSERT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
  D3DSURFACE_DESC desc{};
  back->GetDesc(&desc);
  EXPECT_EQ(desc.Width, Width);
  EXPECT_EQ(desc.Format, D3DFMT_X8R8G8B8);
  D3DLOCKED_RECT lr{};
  ASSERT_EQ(back->LockRect(&lr, nullptr, 0), D3D_OK);
  uint32_t first = 0;
  std::memcpy(&first, lr.pBits, 4);
  EXPECT_EQ(first & 0xFFFFFF, 0xFF0000u);
  // Writing the bottom-right pixel reaches the frame.
  uint32_t green = 0xFF00FF00;
  std::memcpy(static_cast<uint8_t*>(lr.pBits) + (Height - 1) * lr.Pitch + (Width - 1) * 4, &green, 4);
  back->UnlockRect();
  EXPECT_EQ(back->UnlockRect(), D3DERR_INVALIDCALL);
  RECT outside{0, 0, static_cast<int32_t>(Width) + 1, 1};
  EXPECT_EQ(back->LockRect(&lr, &outside, 0), D3DERR_INVALIDCALL);
  back->Release();
  EXPECT_EQ(Pixel(Width - 1, Height - 1), 0x00FF00u);
  EXPECT_EQ(Pixel(Width - 2, Height - 1), 0u);

  // A texture copied onto the back buffer at a point.
  IDirect3DTexture8* t = nullptr;
  ASSERT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &t), D3D_OK);
  t->LockRect(0, &lr, nullptr, 0);
  for (int i = 0; i < 16; ++i) std::memcpy(static_cast<uint8_t*>(lr.pBits) + i * 4, &green, 4);
  t->UnlockRect(0);
  IDirect3DSurface8* level = nullptr;
  ASSERT_EQ(t->GetSurfaceLevel(0, &level), D3D_OK);
  ASSERT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
  RECT r{0, 0, 4, 4};
  POINT at{10, 20};
  ASSERT_EQ(device->CopyRects(level, &r, 1, back, &at), D3D_OK);
  POINT far{Width - 2, 0};
  EXPECT_EQ(device->CopyRects(level, &r, 1, back, &far), D3DERR_INVALIDCALL);
  level->Release();
  back->Release();
  t->Release();
  EXPECT_EQ(Pixel(10, 20), 0x00FF00u);
  EXPECT_EQ(Pixel(13, 23), 0x00FF00u);
  EXPECT_EQ(Pixel(14, 23), 0u);
}

TEST_F(DeviceTest, ResourcesOutliveTheirDevice) {
  IDirect3DTexture8* t = nullptr;
  ASSERT_EQ(device->CreateTexture(8, 8, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &t), D3D_OK);
  EXPECT_EQ(t->GetLevelCount(), 4u);
  D3DSURFACE_DESC d{};
  t->GetLevelDesc(3, &d);
  EXPECT_EQ(d.Width, 1u);
  device->SetTexture(0, t);
  device->Release();
  device = nullptr;
  // Still memory: locks work, the device is gone.
  D3DLOCKED_RECT lr{};
  EXPECT_EQ(t->LockRect(0, &lr, nullptr, 0), D3D_OK);
  IDirect3DDevice8* owner = nullptr;
  EXPECT_EQ(t->GetDevice(&owner), D3DERR_INVALIDCALL);
  t->Release();
}

TEST_F(DeviceTest, ResetFollowsTheWindowAndNeverGivesAnEmptyBuffer) {
  Platform::D3DWindowBridge bridge{ClientSize, TargetOf};
  Platform::SetD3DWindowBridge(&bridge);
  theClientWidth = 40, theClientHeight = 30;
  D3DPRESENT_PARAMETERS pp{};
  pp.Windowed = TRUE;
  pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
  pp.EnableAutoDepthStencil = TRUE;
  pp.AutoDepthStencilFormat = D3DFMT_D16;
  pp.hDeviceWindow = reinterpret_cast<HWND>(&bridge);
  ASSERT_EQ(device->Reset(&pp), D3D_OK);
  EXPECT_EQ(pp.BackBufferWidth, 40u);
  D3DVIEWPORT8 vp{};
  device->GetViewport(&vp);
  EXPECT_EQ(vp.Height, 30u);
  // A minimised window: a one-pixel buffer, not a failure.
  theClientWidth = 0, theClientHeight = 0;
  pp.BackBufferWidth = pp.BackBufferHeight = 0;
  ASSERT_EQ(device->Reset(&pp), D3D_OK);
  EXPECT_EQ(pp.BackBufferWidth, 1u);
  EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0), D3D_OK);
  Platform::SetD3DWindowBridge(nullptr);
}
