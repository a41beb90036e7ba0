// A blender over rigid meshes (fix type 2 everywhere, as imported) is drawn
// where its weights put it, frame after frame, though it sets no flag.
#include <gtest/gtest.h>

#include "plugins/Uvesk/UveskDescs.h"
#include "plugins/Uvesk/VertexBlender.h"
#include "vocore/Renddx/VoRenderDXGeometry.h"
#include "vocore/Renddx/testing/RenderHarness.h"
#include "vocore/Renddx/testing/SceneBuild.h"
#include "vocore/scene/VoICharacter.h"

namespace {

TEST(BlendRender, RigidBlendedMeshIsDrawnWhereItsWeightsPutIt) {
  VertexBlenderDesc desc;  // outlives the harness's master
  votest::RenderHarness h;
  ASSERT_TRUE(h.Open()) << "no device";
  VoMaster& m = h.Master();
  m.RegistClassDesc(&desc);
  VoICharacter* chara = h.NewCharacter("chara");
  VoIMaterial* white = votest::AddMaterial(m, chara, {});
  auto* blender = static_cast<VertexBlender*>(m.CreateItem("VertexBlender", chara));
  ASSERT_NE(blender, nullptr);
  for (float x : {-1.0f, 1.0f}) {
    votest::MeshData quad = votest::Quad(0.5f);
    for (Frx::Pvector& p : quad.positions) p.x += x;
    votest::AddPolygon(m, blender, quad, white)->SetName(x < 0 ? "base" : "right");
  }
  // About 26 pixels a unit: x = -1, 0 and 1 fall on columns 38, 64 and 90.
  const struct {
    float base, right;
    bool lit[3];
  } frames[] = {{0.5f, 0.5f, {false, true, false}}, {1, 0, {true, false, false}}, {0, 1, {false, false, true}}};
  for (const auto& fr : frames) {
    SCOPED_TRACE(fr.base);
    if (VoIValue* w = blender->GetWeightItem()) w->SetValue(0, fr.base), w->SetValue(1, fr.right);
    const votest::Image f = h.Render(chara);
    for (int k = 0; k < 3; ++k) EXPECT_EQ((f.At(38 + 26 * k, 48) & 255) > 250, fr.lit[k]) << k;
  }
  for (int i = 0; i < 4; ++i) EXPECT_EQ(blender->GetVertex()->GetFix(i), VoVertex::FIX_RIGID);
  auto* geometry = dynamic_cast<VoRenderDXGeometry*>(blender->GetRender());
  ASSERT_NE(geometry, nullptr);
  EXPECT_FALSE(geometry->GetMesh().isStatic) << "found moving, so drawn from the current positions";
}

}  // namespace
