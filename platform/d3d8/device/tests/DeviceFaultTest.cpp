#include "platform/d3d8/testing/DeviceFixture.h"

namespace {

D3DPRESENT_PARAMETERS SmallWindowed() {
  D3DPRESENT_PARAMETERS pp{};
  pp.BackBufferWidth = 16;
  pp.BackBufferHeight = 16;
  pp.Windowed = TRUE;
  pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
  return pp;
}

}  // namespace

TEST(D3D8Faults, EveryCreationStepCanFail) {
  Platform::ResetD3DFaults();
  EXPECT_EQ(Direct3DCreate8(219), nullptr);
  Platform::SetD3DFault(Platform::D3DFault::Create, true);
  EXPECT_EQ(Direct3DCreate8(D3D_SDK_VERSION), nullptr);
  Platform::ResetD3DFaults();

  IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
  ASSERT_NE(d3d, nullptr);
  D3DDISPLAYMODE mode{};
  EXPECT_EQ(d3d->GetAdapterDisplayMode(0, &mode), D3D_OK);
  EXPECT_EQ(mode.Format, D3DFMT_X8R8G8B8);
  Platform::SetD3DFault(Platform::D3DFault::DisplayMode, true);
  EXPECT_TRUE(FAILED(d3d->GetAdapterDisplayMode(0, &mode)));

  D3DPRESENT_PARAMETERS pp = SmallWindowed();
  IDirect3DDevice8* device = nullptr;
  {
    // Software only: no HAL, the reference device works.
    Platform::SetD3DHardwareOverride(0);
    EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp, &device),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(device, nullptr);
    ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_REF, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &device),
              D3D_OK);
    D3DCAPS8 caps{};
    device->GetDeviceCaps(&caps);
    EXPECT_EQ(caps.DeviceType, D3DDEVTYPE_REF);
    device->Release();
    device = nullptr;
  }
  {
    // A pretended GPU: HAL works until each vertex-processing kind is made to fail.
    Platform::SetD3DHardwareOverride(1);
    ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp, &device),
              D3D_OK);
    device->Release();
    device = nullptr;
    Platform::SetD3DFault(Platform::D3DFault::HalHardware, true);
    EXPECT_TRUE(FAILED(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp, &device)));
    ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &device),
              D3D_OK);
    device->Release();
    device = nullptr;
    Platform::SetD3DFault(Platform::D3DFault::HalSoftware, true);
    EXPECT_TRUE(FAILED(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &device)));
    Platform::SetD3DFault(Platform::D3DFault::Reference, true);
    EXPECT_TRUE(FAILED(d3d->CreateDevice(0, D3DDEVTYPE_REF, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &device)));
    EXPECT_EQ(device, nullptr);
  }
  EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_REF, nullptr, 0, &pp, &device), D3DERR_INVALIDCALL);
  Platform::ResetD3DFaults();
  d3d->Release();
}

TEST_F(DeviceTest, PresentAndResetFailuresAndRefusedFormats) {
  Platform::SetD3DFault(Platform::D3DFault::Present, true);
  EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
  EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
  Platform::SetD3DFault(Platform::D3DFault::Present, false);
  // Lost until reset.
  EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
  D3DPRESENT_PARAMETERS pp{};
  pp.BackBufferWidth = Width;
  pp.BackBufferHeight = Height;
  pp.Windowed = TRUE;
  pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
  Platform::SetD3DFault(Platform::D3DFault::Reset, true);
  EXPECT_TRUE(FAILED(device->Reset(&pp)));
  Platform::SetD3DFault(Platform::D3DFault::Reset, false);
  ASSERT_EQ(device->Reset(&pp), D3D_OK);
  EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
  EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);

  EXPECT_EQ(d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE, D3DFMT_A8R8G8B8), D3D_OK);
  Platform::SetD3DFormatRefused(D3DFMT_A8R8G8B8, true);
  EXPECT_TRUE(FAILED(d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE, D3DFMT_A8R8G8B8)));
  IDirect3DTexture8* t = nullptr;
  EXPECT_TRUE(FAILED(device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &t)));
  EXPECT_EQ(t, nullptr);
  EXPECT_EQ(d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE, D3DFMT_R5G6B5), D3D_OK);
  EXPECT_TRUE(FAILED(d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE,
                                            static_cast<D3DFORMAT>(77))));
}
