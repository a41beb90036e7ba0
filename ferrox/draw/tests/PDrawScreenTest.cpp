#include <cmath>
#include <type_traits>

#include "DrawFixture.h"
#include "platform/module/Module.h"

using Frx::Pmatrix;
using Frx::Pvector;
using Frx::Draw::PDraw;

namespace {

// A host surface that resets its own objects before the screen.
class HostDraw : public PDraw {
 public:
  int ResetScreen() override {
    ++resets;
    return PDraw::ResetScreen();
  }
  int resets = 0;
};

Pvector Project(const Pmatrix& m, const Pvector& p) {
  float w = p.x * m._14 + p.y * m._24 + p.z * m._34 + m._44;
  Pvector r = m * p;
  return r / w;
}

}  // namespace

static_assert(!std::is_copy_constructible_v<PDraw> && !std::is_copy_assignable_v<PDraw>,
              "a copy would release the device twice");

TEST_F(DrawTest, ScreenLifeCycleAndErrorCodes) {
  PDraw draw;
  EXPECT_EQ(draw.charAdvance, 16);
  EXPECT_EQ(draw.textColor, 0xFFFFFF80u);
  int code = -1;
  EXPECT_EQ(draw.CreateScreen(0, &code), 0);
  EXPECT_EQ(code, 1);
  EXPECT_EQ(draw.UpdateScreen(), 0);
  EXPECT_EQ(draw.FlushScreen(), 0);
  ASSERT_EQ(draw.Initialize(&window, 0), 1);
  EXPECT_EQ(draw.Initialize(&window, 0), 0);
  {
    Platform::SetD3DHardwareOverride(0);
    ASSERT_EQ(draw.CreateScreen(0, &code), 1);
    EXPECT_EQ(code, 5);
    EXPECT_EQ(draw.deviceType, D3DDEVTYPE_REF);
    EXPECT_EQ(boxes.Count(), 0);
    IDirect3DDevice8* first = draw.device;
    EXPECT_EQ(draw.CreateScreen(0, &code), 0);
    EXPECT_EQ(code, 2);
    EXPECT_EQ(draw.device, first);
    EXPECT_EQ(draw.presentParams.AutoDepthStencilFormat, D3DFMT_D16);
    EXPECT_EQ(draw.screenWidth, Width);
    EXPECT_EQ(draw.ReleaseScreen(), 1);
    EXPECT_EQ(draw.ReleaseScreen(), 0);
  }
  {
    // On the reference device a fatal caller is told so, and goes on.
    ASSERT_EQ(draw.CreateScreen(1, &code), 1);
    EXPECT_EQ(code, 5);
    ASSERT_EQ(boxes.Count(), 1);
    draw.ReleaseScreen();
  }
  {
    Platform::SetD3DHardwareOverride(1);
    ASSERT_EQ(draw.CreateScreen(0, &code), 1);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(draw.deviceType, D3DDEVTYPE_HAL);
    draw.ReleaseScreen();
    Platform::SetD3DFault(Platform::D3DFault::HalHardware, true);
    ASSERT_EQ(draw.CreateScreen(0, &code), 1);
    EXPECT_EQ(code, 0);
    draw.ReleaseScreen();
  }
  {
    Platform::SetModuleMissing("dpnhpast.dll", true);
    EXPECT_EQ(draw.CreateScreen(0, &code), 0);
    EXPECT_EQ(code, 3);
    EXPECT_EQ(draw.d3d, nullptr);
    Platform::SetModuleMissing("dpnhpast.dll", false);
    Platform::SetD3DFault(Platform::D3DFault::Create, true);
    EXPECT_EQ(draw.CreateScreen(0, &code), 0);
    EXPECT_EQ(code, 3);
    Platform::SetD3DFault(Platform::D3DFault::Create, false);
    Platform::SetD3DFault(Platform::D3DFault::DisplayMode, true);
    EXPECT_EQ(draw.CreateScreen(0, &code), 0);
    EXPECT_EQ(code, 3);
    EXPECT_EQ(draw.d3d, nullptr);
    Platform::SetD3DFault(Platform::D3DFault::DisplayMode, false);
    Platform::SetD3DFault(Platform::D3DFault::HalSoftware, true);
    Platform::SetD3DFault(Platform::D3DFault::Reference, true);
    EXPECT_EQ(draw.CreateScreen(0, &code), 0);
    EXPECT_EQ(code, 4);
    EXPECT_EQ(draw.d3d, nullptr);
    EXPECT_EQ(draw.screenCreated, 0);
  }
  EXPECT_EQ(draw.Uninitialize(), 1);
  EXPECT_EQ(draw.Uninitialize(), 0);
}

TEST_F(DrawTest, FailedPresentResetsThroughTheOverride) {
  HostDraw draw;
  Open(draw);
  ASSERT_EQ(draw.UpdateScreen(), 1);
  EXPECT_EQ(draw.resets, 0);
  EXPECT_EQ(window.PresentedFrames(), 1);
  Platform::SetD3DFault(Platform::D3DFault::Present, true);
  Platform::SetD3DFault(Platform::D3DFault::Reset, true);
  EXPECT_EQ(draw.UpdateScreen(), 1);
  EXPECT_EQ(draw.resets, 1);
  // The failed reset keeps the screen; the next present tries again.
  EXPECT_EQ(draw.screenCreated, 1);
  Platform::SetD3DFault(Platform::D3DFault::Present, false);
  Platform::SetD3DFault(Platform::D3DFault::Reset, false);
  EXPECT_EQ(draw.UpdateScreen(), 1);
  EXPECT_EQ(draw.resets, 2);
  EXPECT_EQ(draw.device->TestCooperativeLevel(), D3D_OK);
  // Resizing follows the window.
  window.SetClientSize(50, 40);
  EXPECT_EQ(draw.ResizeScreen(), 1);
  EXPECT_EQ(draw.resets, 3);
  D3DVIEWPORT8 vp{};
  draw.device->GetViewport(&vp);
  EXPECT_EQ(vp.Width, 50u);
  EXPECT_EQ(vp.Height, 40u);
}

TEST_F(DrawTest, WindowMatricesAndMinimisedWindows) {
  PDraw draw;
  Open(draw);
  Pmatrix m = draw.GetMatrixWorld2Screen(Pmatrix::id);
  Pvector centre = Project(m, Pvector(0, 0, 0));
  EXPECT_NEAR(centre.x, Width / 2.0f, 1e-4f);
  EXPECT_NEAR(centre.y, Height / 2.0f, 1e-4f);
  Pvector corner = Project(m, Pvector(1, 1, 0));
  EXPECT_NEAR(corner.x, Width, 1e-4f);
  EXPECT_NEAR(corner.y, 0.0f, 1e-4f);
  Pvector back = Project(draw.GetMatrixScreen2World(Pmatrix::id), Pvector(Width, 0, 0.5f));
  EXPECT_NEAR(back.x, 1.0f, 1e-4f);
  EXPECT_NEAR(back.y, 1.0f, 1e-4f);
  EXPECT_NE(draw.IsUseTextureFormat(3), 0);
  EXPECT_NE(draw.IsUseTextureFormat(0), 0);
  draw.ReleaseScreen();
  Platform::SetD3DFormatRefused(D3DFMT_A8R8G8B8, true);
  ASSERT_EQ(draw.CreateScreen(0, nullptr), 1);
  EXPECT_EQ(draw.IsUseTextureFormat(3), 0);
  EXPECT_NE(draw.IsUseTextureFormat(1), 0);

  // A minimised window: a screen of one pixel and an invertible window matrix.
  window.SetClientSize(0, 0);
  EXPECT_EQ(draw.ResizeScreen(), 1);
  EXPECT_EQ(draw.screenWidth, 1);
  Pmatrix toScreen = draw.GetMatrixWorld2Screen(Pmatrix::id);
  Pmatrix round = toScreen * draw.GetMatrixScreen2World(Pmatrix::id);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(round.m[i][j], i == j ? 1.0f : 0.0f, 1e-4f);
  EXPECT_EQ(draw.FlushScreen(), 1);
  PDraw fresh;
  ASSERT_EQ(fresh.Initialize(&window, 0), 1);
  EXPECT_EQ(fresh.CreateScreen(0, nullptr), 1);
}
