#include <gtest/gtest.h>

#include <limits>

#include "editor/panel/MotionCurves.h"
#include "editor/panel/PropertyRows.h"
#include "editor/testing/EditorFixture.h"
#include "ferrox/math/Pquaternion.h"
#include "ferrox/testing/Near.h"
#include "vocore/item/Parameter.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoILight.h"
#include "vocore/skeleton/VoICoordinate.h"

namespace {

class PanelRowsTest : public edtest::EditorFixture {};

TEST_F(PanelRowsTest, RowsAreLaidOutByType) {
  VoICoordinate* c = Make<VoICoordinate>(nullptr, "c");
  // rot (quaternion), pos (vector), IKchain (flag); name and disable are private.
  const auto rows = PropertyRows::Build(c);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_STREQ(rows[0].parameter->name, "rot");
  EXPECT_EQ(rows[0].firstId, 1000);
  EXPECT_EQ(rows[0].fields.size(), 3u);
  EXPECT_EQ(rows[0].fields[2].left, 137);
  EXPECT_EQ(rows[0].label.left, 205);
  EXPECT_EQ(rows[1].firstId, 1004);
  EXPECT_EQ(rows[1].fields[0].top, 26);  // y 25, one row of 20 below the first
  EXPECT_EQ(rows[2].firstId, 1008);
  EXPECT_EQ(rows[2].fields[0].right, 245);  // a check box across the row
  VoIItem* plain = Make<VoIItem>(nullptr, "plain");
  EXPECT_TRUE(PropertyRows::Build(plain).empty());  // "プロパティはありません"
  master.ReleaseItem(c);
  master.ReleaseItem(plain);
}

TEST_F(PanelRowsTest, MembersRoundTripThroughTheRows) {
  VoICoordinate* c = Make<VoICoordinate>(nullptr, "c");
  const auto rows = PropertyRows::Build(c);
  const Parameter& rot = *rows[0].parameter;
  const Parameter& pos = *rows[1].parameter;
  {
    // Each component is held to [-3.4028235e38, 3.4028235e38]; values inside stay as they are.
    constexpr float inf = std::numeric_limits<float>::infinity(), most = 3.4028235e38f;
    const struct {
      Frx::Pvector typed, kept;
    } cases[] = {{{1.0f, inf, -2.0f}, {1.0f, most, -2.0f}},
                 {{-inf, 0.5f, inf}, {-most, 0.5f, most}},
                 {{-most, most, -1e30f}, {-most, most, -1e30f}}};
    for (const auto& k : cases) {
      PropertyRows::WriteVector(c, pos, k.typed);
      const Frx::Pvector kept = c->GetPos();
      EXPECT_EQ(kept.x, k.kept.x);
      EXPECT_EQ(kept.y, k.kept.y);
      EXPECT_EQ(kept.z, k.kept.z);
    }
  }
  // The rotation shows its angles as (Y, X, Z) and takes them back.
  Frx::Pquaternion q;
  q.SetEuler(Frx::Pvector(20.0f, 30.0f, 10.0f), Frx::Pquaternion(-1.0f, 1.0f, -1.0f, 1.0f));
  c->SetRotate(q);
  const Frx::Pvector shown = PropertyRows::ReadVector(c, rot);
  c->SetRotate(Frx::Pquaternion(0.0f, 0.0f, 0.0f, 1.0f));
  PropertyRows::WriteVector(c, rot, shown);
  EXPECT_TRUE(FrxTest::Near(c->GetRotate(), q, 1e-4f));
  VoILight* l = Make<VoILight>(nullptr, "l");
  const auto lightRows = PropertyRows::Build(l);
  const Parameter* type = nullptr;
  for (const PropertyRow& r : lightRows)
    if (r.parameter->type == Parameter::TYPE_ENUM) type = r.parameter;
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(PropertyRows::EnumNames(*type).size(), 3u);  // up to the table's null entry
  PropertyRows::WriteInt(l, *type, 2);
  EXPECT_EQ(l->GetType(), 2);
  master.ReleaseItem(c);
  master.ReleaseItem(l);
}

TEST_F(PanelRowsTest, ReferenceRowsShowTheReferredName) {
  // The character's motion is a reference to a motion, not to any item.
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  VoIMotion* m = Make<VoIMotion>(c, "walk");
  const Parameter* motion = nullptr;
  for (const PropertyRow& r : PropertyRows::Build(c))
    if (r.parameter->type == Parameter::TYPE_REFER && std::string(r.parameter->name) == "motion") motion = r.parameter;
  ASSERT_NE(motion, nullptr);
  EXPECT_STREQ(PropertyRows::ReadReferName(c, *motion).Get(), "");
  c->SetMotion(m);
  EXPECT_STREQ(PropertyRows::ReadReferName(c, *motion).Get(), "walk");
  master.ReleaseItem(m);  // a released target reads as none
  EXPECT_STREQ(PropertyRows::ReadReferName(c, *motion).Get(), "");
  master.ReleaseItem(c);
}

TEST_F(PanelRowsTest, CurveButtonsSetVectorAndQuaternionKinds) {
  VoIMotion* m = Make<VoIMotion>(nullptr, "m");
  auto* v = Make<VoIControlVector>(m, "v");
  auto* q = Make<VoIControlQuaternion>(m, "q");
  EXPECT_EQ(MotionCurves::Common(m), static_cast<int>(q->GetCurveType()));
  struct Case {
    int choice, vector, quaternion;
  } cases[] = {{0, 0, 0}, {1, 1, 1}, {2, 1, 2}};
  for (const Case& k : cases) {
    MotionCurves::Apply(m, k.choice);
    EXPECT_EQ(v->GetCurveType(), k.vector);
    EXPECT_EQ(q->GetCurveType(), k.quaternion);
    EXPECT_EQ(MotionCurves::Common(m), k.quaternion);
  }
  Make<VoIControlQuaternion>(m, "q2");  // differing kinds: none is shown
  EXPECT_EQ(MotionCurves::Common(m), -1);
  master.ReleaseItem(m);
}

}  // namespace
