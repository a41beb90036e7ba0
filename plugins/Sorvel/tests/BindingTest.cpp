// Binding a motion's controls to a character's items, as import and export
// bind them: every item against the controls of its exact name, in group
// order and then control order, only where the class and member type fit.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "SorvelFixture.h"
#include "ferrox/testing/LogCapture.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlString.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace sorveltest {
namespace {

using BvhBinding = SorvelFixture;

// The connections as "item<-control" labels, in list order.
std::string Bound(VoICharacter* c, const std::map<VoIItem*, std::string>& labels) {
  std::string text;
  for (VoControlConnect& link : c->connections) {
    auto item = labels.find(link.item.Get()), control = labels.find(link.control.Get());
    text += (item == labels.end() ? "?" : item->second) + "<-" + (control == labels.end() ? "?" : control->second) + " ";
  }
  return text;
}

TEST_F(BvhBinding, EveryItemTakesTheControlsOfItsExactName) {
  VoICharacter* top = NewCharacter("top");
  VoISkelton* sk = Make<VoISkelton>(top, "skelton");
  VoICoordinate* c1 = Make<VoICoordinate>(sk, "A");
  VoICoordinate* c2 = Make<VoICoordinate>(sk, "a");
  VoIBone* b1 = Make<VoIBone>(sk, "A");        // derives from Coordinate
  VoILocate* l1 = Make<VoILocate>(sk, "A");    // Coordinate derives from it
  VoICoordinate* c3 = Make<VoICoordinate>(sk, "A");
  VoICharacter* sub = Make<VoICharacter>(top, "sub");
  VoICoordinate* hand = Make<VoICoordinate>(Make<VoISkelton>(sub, "skelton"), "hand");

  VoIMotion* m = Make<VoIMotion>(top, "m");
  auto control = [&](auto* made, const char* cls, const char* member) {
    made->SetOutClassAndMember(cls, member);
    return made;
  };
  auto* v1 = control(Make<VoIControlVector>(m, "A"), "Coordinate", "pos");
  auto* q1 = control(Make<VoIControlQuaternion>(m, "A"), "Coordinate", "rot");
  auto* s1 = Make<VoIControlString>(m, "A");  // a string control on a vector member
  s1->SetOutClassAndMember(v1->GetOutClassID(), v1->GetOutOffset());
  auto* v2 = control(Make<VoIControlVector>(m, "a"), "Locate", "pos");
  VoIMotion* n1 = Make<VoIMotion>(m, "sub");
  auto* nv = control(Make<VoIControlVector>(n1, "hand"), "Coordinate", "pos");
  auto* v3 = control(Make<VoIControlVector>(m, "A"), "Coordinate", "pos");
  auto* v4 = Make<VoIControlVector>(m, "A");  // drives nothing
  v4->SetOutClassAndMember(v1->GetOutClassID(), 0);
  auto* v5 = control(Make<VoIControlVector>(m, "B"), "Coordinate", "pos");
  const std::map<VoIItem*, std::string> labels = {
      {c1, "c1"}, {c2, "c2"}, {b1, "b1"}, {l1, "l1"}, {c3, "c3"}, {sub, "sub"}, {hand, "hand"}, {v1, "v1"},
      {q1, "q1"}, {s1, "s1"}, {v2, "v2"}, {n1, "n1"}, {nv, "nv"}, {v3, "v3"}, {v4, "v4"}, {v5, "v5"}};

  top->SetMotion(m);
  EXPECT_EQ(Bound(top, labels),
            "c1<-v1 c1<-q1 c1<-v3 c2<-v2 b1<-v1 b1<-q1 b1<-v3 c3<-v1 c3<-q1 c3<-v3 sub<-n1 ");
  EXPECT_EQ(sub->GetMotion(), n1);
  EXPECT_EQ(Bound(sub, labels), "hand<-nv ");
  // Export binds again and finds the same.
  top->RegistAllControl(m);
  EXPECT_EQ(Bound(top, labels),
            "c1<-v1 c1<-q1 c1<-v3 c2<-v2 b1<-v1 b1<-q1 b1<-v3 c3<-v1 c3<-q1 c3<-v3 sub<-n1 ");
  top->RegistAllControl(nullptr);
  EXPECT_TRUE(top->connections.empty());
}

// What an import takes but does not use is logged against the file, a line
// each; nothing for a file that is used whole.
TEST_F(BvhBinding, ImportLogsWhatItPassesOver) {
  auto joint = [](const char* name) {
    return "JOINT " + std::string(name) + "\n{\nOFFSET 0 1 0\nCHANNELS 3 Zrotation Yrotation Xrotation\n}\n";
  };
  auto hips = [](const std::string& joints) {
    return "ROOT Hips\n{\nOFFSET 0 0 0\nCHANNELS 3 Zrotation Yrotation Xrotation\n" + joints + "}\n";
  };
  const std::string twoArms = hips(joint("Arm") + joint("Arm")), lines = "0 0 0 10 0 0 20 0 0\n1 1 1 11 1 1 21 1 1\n";
  const std::string sameName = "11): 6 行目の関節 \"Arm\" のキー (同じ名前の関節が後にあるため)を読み飛ばしました。";
  const struct {
    const char* label;
    std::string text;
    std::vector<std::string> logged;  // after "<path>(", one line each
  } cases[] = {
      {"used whole", BvhText(hips(joint("Arm") + joint("Leg")), 2, lines), {}},
      {"two joints of one name", BvhText(twoArms, 2, lines), {sameName}},
      {"lines after the frames", BvhText(twoArms, 1, lines),
       {sameName, "21): Frames: 1 の後の \"1 1 1 11 1 1 21 1 1\" から終わりまでを読み飛ばしました。"}},
      {"bytes after a zero byte", BvhText(twoArms, 2, lines) + std::string(1, '\0') + "garbage\n",
       {sameName, "22): 0 のバイトから後の 9 バイトを読み飛ばしました。"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    FrxTest::LogCapture log;
    VoICharacter* character = NewCharacter();
    ASSERT_EQ(ImportText(c.text, character, "skips.bvh"), character);
    EXPECT_EQ(log.Count("を読み飛ばしました。"), int(c.logged.size())) << log.Text();
    for (const std::string& line : c.logged) EXPECT_TRUE(log.Contains(Scratch("skips.bvh") + "(" + line)) << log.Text();
    // The later joint's keys drive both joints of its name.
    const std::string bound = c.logged.empty() ? "Hips Arm Leg " : "Hips Arm Arm ";
    std::string names;
    for (VoControlConnect& link : character->connections) names += link.item.Get()->name + " ";
    EXPECT_EQ(names, bound);
  }
}

}  // namespace
}  // namespace sorveltest
