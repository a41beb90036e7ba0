// A headless window with a drawing surface on it, and pixel read-back.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "ferrox/draw/PDraw.h"
#include "ferrox/draw/Window.h"
#include "ferrox/testing/MessageBoxRecorder.h"
#include "platform/d3d8/D3D8Hooks.h"
#include "platform/d3d8/testing/OffscreenDevice.h"

class DrawTest : public ::testing::Test {
 protected:
  static constexpr int Width = 96, Height = 64;

  void SetUp() override { Platform::ResetD3DFaults(); }
  void TearDown() override { Platform::ResetD3DFaults(); }
  // Creates the screen (asserting success) with render-state presets set.
  void Open(Frx::Draw::PDraw& draw) {
    ASSERT_EQ(draw.Initialize(&window, 0), 1);
    int code = -1;
    ASSERT_EQ(draw.CreateScreen(0, &code), 1);
    draw.SetRenderStateInitialize();
    draw.device->SetRenderState(D3DRS_LIGHTING, FALSE);
  }
  uint32_t Pixel(Frx::Draw::PDraw& draw, int x, int y) {
    std::vector<uint32_t> f = Frame(draw);
    return f.empty() ? 0xDEADBEEF : f[static_cast<size_t>(y) * Width + x];
  }
  // The back buffer, empty when there is none or it is not Width x Height.
  std::vector<uint32_t> Frame(Frx::Draw::PDraw& draw) { return D3DTest::ReadBackBuffer(draw.device, Width, Height); }

  Frx::Draw::HeadlessWindow window{Width, Height};
  FrxTest::MessageBoxRecorder boxes{IDOK};
};
