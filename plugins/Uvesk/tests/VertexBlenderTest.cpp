// VertexBlender: weights are values over their sum, a short target blends
// only the vertices both have, and an update without a base changes nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "UveskFixture.h"
#include "ferrox/testing/LogCapture.h"
#include "ferrox/testing/Near.h"
#include "plugins/Uvesk/VertexBlender.h"

namespace uvesktest {
namespace {

using V = Frx::Pvector;
using VertexBlenderTest = UveskFixture;

void ExpectPositions(VoIGeometry* g, const std::vector<V>& expected) {
  ASSERT_EQ(g->GetNumVertex(), expected.size());
  for (size_t j = 0; j < expected.size(); ++j) EXPECT_TRUE(FrxTest::Near(g->GetVertexArray(j), expected[j])) << j;
}

TEST_F(VertexBlenderTest, WeightsAreTheValuesOverTheirSum) {
  auto* face = static_cast<VertexBlender*>(master.CreateItem("VertexBlender", Make<VoIObject>(nullptr, "root")));
  ASSERT_NE(face, nullptr);
  face->SetName("face");
  EXPECT_STREQ(face->GetNameEx().Get(), "face<VertexBlender>");
  VoIPolygon* base = Mesh(face, "base", {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}});
  Mesh(face, "smile", {{4, 0, 0}, {4, 4, 0}, {0, 4, 0}});
  Mesh(face, "frown", {{0, 8, 0}, {4, 0, 8}, {0, 4, 4}});
  face->ExecUpdate();
  EXPECT_EQ(face->GetFace(), base->GetFace()) << "the base's faces are shared";
  VoIValue* weights = face->GetWeightItem();
  ASSERT_TRUE(weights && weights->GetParent() == face && weights->count == 3);
  EXPECT_STREQ(weights->GetName(), "wait control");
  for (unsigned long i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(weights->GetValue(i), 0.5f);
  ExpectPositions(face, {{4.0f / 3, 8.0f / 3, 0}, {4, 4.0f / 3, 8.0f / 3}, {0, 4, 4.0f / 3}});

  const float nan = std::nanf("");
  const struct {
    const char* name;
    float values[3];
    std::vector<V> expected;
  } rows[] = {
      {"2, 1, 1 weigh 0.5, 0.25, 0.25", {2, 1, 1}, {{1, 2, 0}, {4, 1, 2}, {0, 4, 1}}},
      {"1, 0, 0 shows the base", {1, 0, 0}, {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}}},
      {"all 0 keeps the last weights", {0, 0, 0}, {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}}},
      {"values that are not finite count as 0", {nan, INFINITY, 3}, {{0, 8, 0}, {4, 0, 8}, {0, 4, 4}}},
      {"a sum of 0 from opposite values keeps them too", {1, -1, 0}, {{0, 8, 0}, {4, 0, 8}, {0, 4, 4}}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    for (unsigned long i = 0; i < 3; ++i) weights->SetValue(i, r.values[i]);
    face->ExecUpdate();
    ExpectPositions(face, r.expected);
  }
}

TEST_F(VertexBlenderTest, ShortTargetsBlendWhatTheyHaveAndNoBaseBlendsNothing) {
  VoIObject* root = Make<VoIObject>(nullptr, "root");
  auto* face = static_cast<VertexBlender*>(master.CreateItem("VertexBlender", root));
  Mesh(face, "base", {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {4, 4, 0}});
  VoIPolygon* shortOne = Mesh(face, "short", {{2, 0, 0}, {6, 0, 0}});
  Mesh(face, "empty", {});  // a weight entry, but no morph
  face->ExecUpdate();
  EXPECT_EQ(face->GetWeightItem()->count, 3u);
  EXPECT_EQ(face->GetMorphs().size(), 2u);
  ExpectPositions(face, {{1, 0, 0}, {5, 0, 0}, {0, 4, 0}, {4, 4, 0}});
  // Grown later (its array moved in memory), it is read up to the base's count.
  for (int k = 0; k < 10; ++k) shortOne->AddVertex(V(100, 0, 0));
  face->ExecUpdate();
  ExpectPositions(face, {{1, 0, 0}, {5, 0, 0}, {50, 2, 0}, {52, 2, 0}});

  // Without a base: logged while flags are pending, and the positions stay.
  FrxTest::LogCapture log;
  auto* lone = static_cast<VertexBlender*>(master.CreateItem("VertexBlender", root));
  Mesh(lone, "smile", {{4, 0, 0}, {4, 4, 0}, {0, 4, 0}});
  VoVertex* own = master.CreateVertex();
  own->Alloc(3);
  own->Set(1, V(1, 2, 3));
  lone->AttachVertex(own);
  EXPECT_EQ(lone->Update(master.GetUpdateCounter()), 0);
  lone->ExecUpdate();
  lone->ExecUpdate();
  EXPECT_EQ(log.Count("VoIVertexBlender::ベースターゲットが見つかりません\n"), 2);
  EXPECT_FALSE(lone->IsBound());
  ExpectPositions(lone, {{0, 0, 0}, {1, 2, 3}, {0, 0, 0}});
  // A base linked in later binds at the next update.
  Mesh(root, "base", {{0, 0, 0}, {2, 0, 0}, {0, 2, 0}})->Link(lone);
  EXPECT_EQ(lone->Update(master.GetUpdateCounter()), 1);
  ExpectPositions(lone, {{2, 0, 0}, {3, 2, 0}, {0, 3, 0}});
}

}  // namespace
}  // namespace uvesktest
