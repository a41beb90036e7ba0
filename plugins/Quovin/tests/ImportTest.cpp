// Importing through the master: the items made, the host's control call
// after each top-level motion, and failures that leave the target as it was.
#include <gtest/gtest.h>

#include "QuovinFixture.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlRefer.h"
#include "vocore/motion/VoIControlString.h"
#include "vocore/motion/VoIControlTime.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotionSet.h"
#include "vocore/skeleton/VoISkelton.h"

namespace quovintest {
namespace {

using KvmImport = QuovinFixture;

const std::string kTwoMotions = KvmText(
    "Motion {\n\tname = \"walk\"\n\tendframe = 40\n\tloop = 1\n"
    "\tVector {\n\t\tname = \"j_hips\"\n\t\tclass = \"Locate\"\n\t\tmember = \"pos\"\n\t\tcurve = \"spline\"\n"
    "\t\t10 (4 5 6)\n\t\t0 (1 2 3)\n\t}\n"
    "\tQuaternion {\n\t\tname = \"arm\"\n\t\tclass = \"Coordinate\"\n\t\tmember = \"rot\"\n\t\tcurve = \"spline2\"\n"
    "\t\t0 (0 0 0 1)\n\t}\n"
    "\tString {\n\t\tname = \"say\"\n\t\tclass = \"Note\"\n\t\tmember = \"nope\"\n\t\t5 \"hi there\"\n\t}\n"
    "\tRefer {\n\t\tname = \"pick\"\n\t\t2 \"hand\"\n\t}\n"
    "\tTime {\n\t\tname = \"clock\"\n\t\t3 (1.5)\n\t}\n"
    "\tMotion {\n\t\tname = \"child\"\n\t}\n}\n"
    "Motion {\n\tname = \"run\"\n}\n");

TEST_F(KvmImport, BuildsMotionsAndCallsTheHostAfterEachTopLevelMotion) {
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  VoIMotion* old = Make<VoIMotion>(c, "old");
  FakeHost host;
  ASSERT_EQ(ImportText(kTwoMotions, c, &host), c);
  EXPECT_TRUE(boxes.empty());
  const std::vector<VoIMotion*> motions = Motions(c);
  ASSERT_EQ(motions.size(), 3u);
  EXPECT_EQ(motions[0], old);
  VoIMotion* walk = motions[1];
  EXPECT_EQ(walk->name, "walk");
  EXPECT_EQ(walk->endframe, 40);
  EXPECT_EQ(walk->loop, 1);
  EXPECT_EQ(motions[2]->name, "run");
  ASSERT_EQ(host.controlCalls.size(), 2u) << "one call per top-level motion, none for the nested one";
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(host.controlCalls[i].slot, 33);
    EXPECT_EQ(host.controlCalls[i].target, c);
    EXPECT_EQ(host.controlCalls[i].motion, motions[size_t(i) + 1]);
  }

  VoIItem* child = walk->GetFirstChild();
  VoIControlVector* v = child->IsControlVector();
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->name, "j_hips");
  EXPECT_STREQ(v->GetOutClassName(), "Locate");
  EXPECT_STREQ(v->GetOutMemberName(), "pos");
  EXPECT_EQ(v->GetCurveType(), VO_CURVE_SPLINE);
  ASSERT_EQ(v->keys.size(), 2u);
  EXPECT_EQ(v->keys[0].frame, 0);
  EXPECT_EQ(v->keys[1].value.z, 6.0f);
  VoIControlQuaternion* q = (child = walk->GetNextChild(child))->IsControlQuaternion();
  ASSERT_NE(q, nullptr);
  EXPECT_STREQ(q->GetOutMemberName(), "rot");
  EXPECT_EQ(q->GetCurveType(), VO_CURVE_BLEND);
  EXPECT_EQ(q->keys.at(0).value.w, 1.0f);
  VoIControlString* s = (child = walk->GetNextChild(child))->IsControlString();
  ASSERT_NE(s, nullptr);
  EXPECT_STREQ(s->GetOutClassName(), "Note") << "a known class is kept with an unknown member";
  EXPECT_EQ(s->GetOutOffset(), 0u);
  EXPECT_EQ(s->keys.at(0).value, "hi there");
  VoIControlRefer* r = (child = walk->GetNextChild(child))->IsControlRefer();
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->keys.at(0).value, "hand");
  VoIControlTime* t = (child = walk->GetNextChild(child))->IsControlTime();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->GetValue(5.0f), 3.5f);
  VoIMotion* nested = (child = walk->GetNextChild(child))->IsMotion();
  ASSERT_NE(nested, nullptr);
  EXPECT_EQ(nested->name, "child");
  EXPECT_EQ(walk->GetNextChild(child), nullptr);

  // No host, or a target that is no character: no call.
  FakeHost unused;
  VoIMotionSet* set = Make<VoIMotionSet>(nullptr, "set");
  ASSERT_EQ(ImportText(kTwoMotions, set, &unused), set);
  EXPECT_EQ(Motions(set).size(), 2u);
  ASSERT_EQ(ImportText(kTwoMotions, c), c);
  EXPECT_EQ(Motions(c).size(), 5u);
  EXPECT_TRUE(unused.controlCalls.empty());
}

TEST_F(KvmImport, FailuresAddNothingAndKeepTheTarget) {
  const std::string broken = "インポート中にエラーが発生しました。\nエラーが発生した場所(KvmReader.cpp:";
  struct Case {
    const char* name;
    std::string text;  // "-": no file there
    std::string box;   // what the message starts with; empty for none
  };
  const Case cases[] = {
      {"missing file", "-", "ファイルが読み込めません。\nファイル名:"},
      {"another format", "Metasequoia Document\nFormat Text Ver 1.0\nEof\n", ""},
      {"no motion", "Savora Motion Ver 2\nEof\n", broken},
      {"cut after a whole motion", kTwoMotions.substr(0, kTwoMotions.find("Motion {\n\tname = \"run\"")), broken},
      {"cut inside a control", kTwoMotions.substr(0, kTwoMotions.find("10 (4 5")), broken},
      {"a motion line of no kind", KvmText("Motion {\n\tname = \"x\"\n}\nMotion {\n\tspeed = 2\n}\n"), broken},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The user's character with what it holds.
    VoICharacter* chara = Make<VoICharacter>(nullptr, "user");
    Make<VoISkelton>(chara, "skelton");
    VoIMotion* old = Make<VoIMotion>(chara, "old");
    VoIControlVector* keyed = Make<VoIControlVector>(old, "j_hips");
    keyed->SetKey(4, Frx::Pvector(1, 2, 3));
    FakeHost host;
    boxes.clear();
    const std::string path = c.text == "-" ? Scratch("none.kvm") : scratch.Write("bad.kvm", c.text);
    EXPECT_EQ(master.Import(path.c_str(), chara, host.Flags()), nullptr);
    ASSERT_EQ(boxes.size(), c.box.empty() ? 0u : 1u);
    if (!c.box.empty()) {
      EXPECT_EQ(boxes[0].rfind(c.box, 0), 0u) << boxes[0];
    }
    EXPECT_FALSE(chara->IsRelease());
    EXPECT_EQ(chara->GetChildCount(), 2);
    EXPECT_FALSE(old->IsRelease());
    EXPECT_EQ(old->GetFirstChild(), keyed);
    EXPECT_EQ(keyed->keys.size(), 1u);
    EXPECT_TRUE(host.controlCalls.empty());
  }
}

}  // namespace
}  // namespace quovintest
