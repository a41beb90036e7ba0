// A render harness per test, message boxes answered and kept, and access to
// the render objects of items.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ferrox/testing/MessageBoxRecorder.h"
#include "platform/d3d8/D3D8Hooks.h"
#include "vocore/Renddx/VoRenderDXGeometry.h"
#include "vocore/Renddx/testing/RenderHarness.h"
#include "vocore/Renddx/testing/SceneBuild.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/scene/VoICharacter.h"

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(h.Open()) << "no device";
    chara = h.NewCharacter("chara");
  }

  VoMaster& M() { return h.Master(); }
  VoDirectX7& R() { return h.Renderer(); }
  static VoRenderDXGeometry* Geometry(VoIPolygon* p) { return dynamic_cast<VoRenderDXGeometry*>(p->GetRender()); }
  static const Pdx8::Mesh& MeshOf(VoIPolygon* p) { return Geometry(p)->GetMesh(); }

  // The calls made while drawing one frame of the character.
  std::vector<std::string> Record() {
    Platform::SetD3DCallRecording(h.Device(), true);
    h.Render(chara);
    Platform::SetD3DCallRecording(h.Device(), false);
    return Platform::TakeD3DCalls(h.Device());
  }
  static int Count(const std::vector<std::string>& calls, const std::string& prefix) {
    int n = 0;
    for (const std::string& c : calls) n += c.rfind(prefix, 0) == 0;
    return n;
  }

  FrxTest::MessageBoxRecorder boxes{IDOK};
  votest::RenderHarness h;
  VoICharacter* chara = nullptr;
};
