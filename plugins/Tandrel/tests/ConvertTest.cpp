// The conversion: keys at the source's key frames, world rotations carried
// onto the destination's rest, positions scaled by the rest distances, locked
// and chained locates left where they are, and the command's checks.
#include <gtest/gtest.h>

#include <cmath>

#include "TandrelFixture.h"
#include "ferrox/testing/Near.h"
#include "plugins/Tandrel/MotionConverter.h"
#include "plugins/testing/FakeHost.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/skeleton/VoISkelton.h"

namespace tandreltest {
namespace {

class ConvertTest : public TandrelFixture {
 protected:
  // Converts with the pairs through the command, as the editor runs it.
  int Convert(VoICharacter* to, VoICharacter* from, std::vector<std::pair<std::string, std::string>> pairs) {
    asker.pairs = std::move(pairs);
    return command.Execute(to, from, host.Flags());
  }
  // The control of the motion named so, of the kind asked for.
  template <class Control>
  static Control* ControlOf(VoIMotion* motion, const char* name) {
    for (VoIItem* c = motion->GetFirstChild(); c; c = motion->GetNextChild(c))
      if (c->name == name)
        if (auto* control = dynamic_cast<Control*>(c)) return control;
    return nullptr;
  }

  PairingAsker asker;
  MotionConverter command{&asker};
  FakeHost host;
};

TEST_F(ConvertTest, IdenticalJointsGetTheSourcesRotationsAtTheSameKeys) {
  VoICharacter* to = NewCharacter("to");
  VoICharacter* from = NewCharacter("capture");
  BuildSkeleton(master, to, {{"j", "", {0, 0, 0}}});
  BuildSkeleton(master, from, {{"j", "", {0, 0, 0}}});
  const Frx::Pquaternion a = Turn({0, 0, 1}, 30), b = Turn({1, 1, 0}, -70), c = Turn({0, 1, 0}, 120);
  AddMotion(master, from, "first", 30, {{"j", {{0, a}, {30, b}}}});
  VoIMotion* second = AddMotion(master, from, "second", 40, {{"j", {{10, c}, {20, a}, {40, b}}}});
  from->SetMotion(second);

  ASSERT_EQ(Convert(to, from, {{"j", "j"}}), 1);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
  EXPECT_EQ(host.treeRefreshes, 1);
  const std::vector<VoIMotion*> made = Motions(to);
  ASSERT_EQ(made.size(), 2u) << "one motion per source motion";
  const std::vector<std::vector<std::pair<long, Frx::Pquaternion>>> want{{{0, a}, {30, b}},
                                                                        {{10, c}, {20, a}, {40, b}}};
  const long ends[] = {30, 40};
  for (size_t m = 0; m < made.size(); ++m) {
    SCOPED_TRACE(m);
    EXPECT_STREQ(made[m]->GetName(), "capture");
    EXPECT_EQ(made[m]->endframe, ends[m]);
    ASSERT_EQ(made[m]->GetControlSize(), 1) << "no positions: the source has none";
    auto* q = ControlOf<VoIControlQuaternion>(made[m], "j");
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->GetOutClassID(), 18ul);
    EXPECT_STREQ(q->GetOutMemberName(), "rot");
    ASSERT_EQ(q->keys.size(), want[m].size());
    for (size_t k = 0; k < want[m].size(); ++k) {
      EXPECT_EQ(q->keys[k].frame, want[m][k].first);
      EXPECT_TRUE(FrxTest::SameRotation(q->keys[k].value, want[m][k].second, 1e-4f)) << k;
    }
  }
  EXPECT_EQ(to->GetMotion(), made.back()) << "the last one made stays bound";
}

// A chain whose rest differs from the source's, with a coordinate in the
// middle that is paired with nothing: played back, every paired joint turns
// in the world as the source joint turns, from its own rest.
TEST_F(ConvertTest, PlayedBackTheDestinationTurnsAsTheSourceInTheWorld) {
  VoICharacter* to = NewCharacter("to");
  VoICharacter* from = NewCharacter("capture");
  BuildSkeleton(master, to, {{"a", "", {0, 50, 0}, Turn({0, 0, 1}, 90)},
                             {"m", "a", {0, 10, 0}, Turn({1, 0, 0}, 25)},
                             {"b", "m", {0, 20, 0}, Turn({0, 1, 0}, -40)}});
  BuildSkeleton(master, from, {{"A", "", {0, 0, 0}}, {"B", "A", {0, 3, 0}}});
  std::vector<Frx::Pmatrix> rest;
  for (const char* name : {"a", "b"}) rest.push_back(JointOf(to, name)->GetMatrixL2W());
  const std::vector<long> frames{0, 7, 20};
  Track ta{"A"}, tb{"B"};
  for (long f : frames) {
    ta.rotations.push_back({f, Turn({1, 0.5f, 0}, 10.0f + f)});
    tb.rotations.push_back({f, Turn({0, 0.3f, 1}, 50.0f - 3 * f)});
  }
  VoIMotion* motion = AddMotion(master, from, "motion", 20, {ta, tb});
  from->SetMotion(motion);
  ASSERT_EQ(Convert(to, from, {{"a", "A"}, {"b", "B"}}), 1);
  ASSERT_EQ(Motions(to).size(), 1u);
  VoIMotion* made = Motions(to)[0];
  ASSERT_EQ(to->GetMotion(), made);

  for (long f : frames) {
    SCOPED_TRACE(f);
    from->SetTime(float(f));
    from->ReadAllControl(float(f));
    from->ConvL2W(1);
    to->SetTime(float(f));
    to->ReadAllControl(float(f));
    to->ConvL2W(1);
    const char* pairs[][2] = {{"a", "A"}, {"b", "B"}};
    for (size_t i = 0; i < 2; ++i) {
      const Frx::Pquaternion want = RotationOf(rest[i] * JointOf(from, pairs[i][1])->GetMatrixL2W());
      EXPECT_TRUE(FrxTest::SameRotation(RotationOf(JointOf(to, pairs[i][0])->GetMatrixL2W()), want, 1e-4f))
          << pairs[i][0];
    }
  }
  EXPECT_EQ(ControlOf<VoIControlQuaternion>(made, "m"), nullptr) << "nothing for the unpaired joint";
}

TEST_F(ConvertTest, PositionsScaleByTheRestDistancesUnlessLockedOrChained) {
  const struct {
    const char* what;
    Frx::Pvector sourceRest, destinationRest, key, want;
    bool locked;
    int ikChain;
  } cases[] = {
      {"twice as far", {0, 10, 0}, {0, 20, 0}, {1, 12, 3}, {2, 24, 6}, false, 0},
      {"source at the origin", {0, 0, 0}, {0, 90, 0}, {1, 17, 3}, {1, 17, 3}, false, 0},
      {"destination at the origin", {0, 10, 0}, {0, 0, 0}, {1, 12, 3}, {0, 0, 0}, false, 0},
      {"locked", {0, 10, 0}, {0, 20, 0}, {1, 12, 3}, {0, 20, 0}, true, 0},
      {"inside an IK chain", {0, 10, 0}, {0, 20, 0}, {1, 12, 3}, {0, 20, 0}, false, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    VoICharacter* to = NewCharacter("to");
    VoICharacter* from = NewCharacter("capture");
    BuildSkeleton(master, to, {{"root", "", c.destinationRest}});
    BuildSkeleton(master, from, {{"Hips", "", c.sourceRest}});
    VoICoordinate* root = JointOf(to, "root");
    root->IKchain = c.ikChain;
    root->SwLock(c.locked ? 1 : 0);
    from->SetMotion(AddMotion(master, from, "motion", 10,
                              {{"Hips", {{0, Frx::Pquaternion::id}, {10, Frx::Pquaternion::id}},
                                {{0, c.sourceRest}, {10, c.key}}}}));
    ASSERT_EQ(Convert(to, from, {{"root", "Hips"}}), 1);
    VoIMotion* made = Motions(to).at(0);
    auto* v = ControlOf<VoIControlVector>(made, "root");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->GetOutClassID(), 17ul);
    EXPECT_STREQ(v->GetOutMemberName(), "pos");
    EXPECT_EQ(v->GetCurveType(), VO_CURVE_LINEAR);
    ASSERT_EQ(v->keys.size(), 2u);
    EXPECT_TRUE(FrxTest::Near(v->keys[1].value, c.want, 1e-4f));
    for (const auto& key : v->keys)
      EXPECT_TRUE(std::isfinite(key.value.x) && std::isfinite(key.value.y) && std::isfinite(key.value.z));
  }
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
}

TEST_F(ConvertTest, ThePairsSourceMustBeALocateOfTheSourceSkeleton) {
  VoICharacter* to = NewCharacter("to");
  VoICharacter* from = NewCharacter("capture");
  BuildSkeleton(master, to, {{"j", "", {0, 0, 0}}});
  BuildSkeleton(master, from, {{"j", "", {0, 0, 0}}});
  from->SetMotion(AddMotion(master, from, "motion", 10, {{"j", {{0, Frx::Pquaternion::id}}}}));
  asker.ok = true;
  command.SetAsker(nullptr);
  struct SkeletonAsker : ConverterAsker {
    bool AskPairs(ConvertSession& session) override {
      session.Pair(session.DestinationList().at(0).locate.Get(), session.Source()->GetSkelton());
      return true;
    }
  } pairWithSkeleton;
  command.SetAsker(&pairWithSkeleton);
  EXPECT_EQ(command.Execute(to, from, host.Flags()), 0);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"j に関連するアイテムがありません\n"});
  EXPECT_EQ(Motions(to).size(), 1u) << "the motion begun stays";
  EXPECT_EQ(host.treeRefreshes, 1);
}

TEST_F(ConvertTest, TheCommandChecksItsItemsAndItsHost) {
  VoICharacter* to = NewCharacter("to");
  VoICharacter* from = NewCharacter("capture");
  VoICharacter* still = NewCharacter("still");
  BuildSkeleton(master, from, {{"j", "", {0, 0, 0}}});
  from->SetMotion(AddMotion(master, from, "motion", 10, {{"j", {{0, Frx::Pquaternion::id}}}}));
  const std::string which = "表示中のキャラクタを変換先、\n選択されたキャラクタを変換元と認識します。\n";
  // A destination whose motions' controls would lie past the nesting limit.
  VoICharacter* deep = NewCharacter("top");
  for (int i = 1; i < VoIBranch::MaxDepth; ++i) deep = master.NewItem<VoICharacter>(deep);
  deep->SetName("deep");
  const struct {
    const char* what;
    VoIItem *destination, *source;
    std::string box;
  } cases[] = {
      {"no destination", nullptr, from, "変換先のアイテムが指定されていません。\n" + which},
      {"no source", to, nullptr, "変換元のアイテムが指定されていません。\n" + which},
      {"destination no character", from->GetSkelton(), from,
       "変換先のアイテム Skelton:capture/skelton\nはキャラクタではありません。\n" + which},
      {"source no character", to, from->GetSkelton(),
       "変換元のアイテム Skelton:capture/skelton\nはキャラクタではありません。\n" + which},
      {"the same", from, from, "変換元と変換先が同一アイテムです。\n" + which},
      {"no motion", to, still, "変換元のキャラクタ Character:still\nにモーションが設定されていません。\n"},
      {"too deep", deep, from, "変換先のキャラクタ deep\nの下は階層が深すぎるためモーションを作れません。\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    boxes.Clear();
    EXPECT_EQ(command.Execute(c.destination, c.source, host.Flags()), 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.box});
  }
  EXPECT_EQ(asker.asked, 0) << "no dialog for refused items";
  {
    SCOPED_TRACE("no host");
    boxes.Clear();
    EXPECT_EQ(command.Execute(to, from, 0), 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Savora.exe が見つかりませんでした。\n"});
  }
  {
    SCOPED_TRACE("cancel");
    boxes.Clear();
    asker.ok = false;
    EXPECT_EQ(command.Execute(to, from, host.Flags()), 0);
    EXPECT_EQ(asker.asked, 1);
    EXPECT_TRUE(Motions(to).empty());
    EXPECT_EQ(host.treeRefreshes, 1) << "the destination's entry is refreshed after Cancel too";
  }
}

}  // namespace
}  // namespace tandreltest
