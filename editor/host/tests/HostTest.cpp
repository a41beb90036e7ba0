#include <gtest/gtest.h>

#include "editor/document/ShowMessage.h"
#include "editor/extend/GuiItemExtend.h"
#include "editor/testing/EditorFixture.h"
#include "ferrox/testing/LogCapture.h"
#include "vocore/motion/VoIControl.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

class CountingGui : public ItemGui {
 public:
  using ItemGui::ItemGui;
  void Drag(MouseRecord) override {}
  void Draw() override {}
  void OnSelect(int mode) override { selects.push_back(mode); }
  void OnDeselect() override { ++deselects; }
  std::vector<int> selects;
  int deselects = 0;
};

// A time bar that is always (or never) under the pointer.
class SolidBar : public TimeBar {
 public:
  SolidBar(CTireloDoc* d, bool hit) : TimeBar(d), hit(hit) {}
  float HitTest(float, float, int) override { return hit ? 0.0f : NoHit; }
  bool hit;
};

class HostTest : public edtest::EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    BuildScene();
  }
  // Names of the motion's controls, in order.
  static std::string Controls(VoIMotion* m) {
    std::string out;
    for (VoIItem* c = m->GetFirstChild(); c; c = m->GetNextChild(c))
      out += std::string(c->GetName()) + "." + (c->IsControl()->GetOutMemberName() ? c->IsControl()->GetOutMemberName() : "") + ";";
    return out;
  }
};

TEST_F(HostTest, ReportsAndShowsWhatItIsGiven) {
  EXPECT_EQ(host().GetVersion(), 1030);
  EXPECT_EQ(host().GetMaster(), &master);
  host().ShowMessage(0, "%s", "100% done");
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Texts()[0], "100% done");
  host().SetCurrentFrame(12.5f);
  EXPECT_EQ(host().GetCurrentFrame(), 12.5f);
  host().Play();
  EXPECT_EQ(doc->paused, 0);
  host().Pause();
  EXPECT_EQ(doc->currentFrame, 12.0f);
}

TEST_F(HostTest, LongMessagesAreCutAtACharacterBoundary) {
  // 1,022 single bytes, then a double-byte character that would end at byte 1,024.
  const std::string text = std::string(1022, 'a') + "ア" + std::string(500, 'b');
  host().ShowMessage(0, "%s", text.c_str());
  ShowMessage(0, "%s", text.c_str());
  ASSERT_EQ(boxes.Count(), 2);
  for (const std::string& shown : boxes.Texts()) EXPECT_EQ(shown, std::string(1022, 'a'));
}

TEST_F(HostTest, NullAndNothingSelectedDoNothing) {
  host().SetCurrentCharacter(nullptr);
  EXPECT_EQ(host().GetCurrentCharacter(), doc->project.Get());
  host().SelectItem(nullptr, 0);
  host().ClearSelection();
  host().ClickSelect(nullptr, 0);
  EXPECT_EQ(host().GetSelectedItem(), nullptr);
  EXPECT_EQ(host().GetSelectedCharacter(), nullptr);
  host().QueueItem(nullptr);
  EXPECT_TRUE(doc->deferred.empty());
  host().CreateItemControls(nullptr, doc->copyMotion);
  host().CreateBranchControls(doc->project, nullptr);
  EXPECT_EQ(doc->copyMotion->GetControlSize(), 0);
  EXPECT_EQ(host().IsSelected(nullptr), 0);
  doc->CopyPose();
  doc->PastePose();
  EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(HostTest, SelectionCallsTheCompanion) {
  VoISkelton* s = Make<VoISkelton>(doc->project.Get(), "s");
  VoIBone* bone = Make<VoIBone>(s, "bone");
  auto* gui = new CountingGui(bone);
  static_cast<GuiItemExtend*>(bone->GetExtend())->gui = gui;
  host().ClickSelect(bone, 1);
  host().ClickSelect(bone, 0);  // again: OnSelect again, no deselect
  EXPECT_EQ(gui->selects, (std::vector<int>{1, 0}));
  EXPECT_EQ(gui->deselects, 0);
  EXPECT_EQ(host().IsSelected(bone), 1);
  EXPECT_EQ(host().GetSelectedCharacter(), doc->project.Get());
  host().ClickSelect(doc->general, 0);
  EXPECT_EQ(gui->deselects, 1);
  EXPECT_EQ(host().GetSelectedCharacter(), doc->general.Get());
  {
    // An item that never got an extension is selected, and logged.
    FrxTest::LogCapture log;
    VoRefer<VoILocate> bare = new VoILocate(s);
    host().SelectItem(bare, 0);
    EXPECT_EQ(host().GetSelectedItem(), bare.Get());
    EXPECT_TRUE(log.Contains("アイテム拡張クラスが生成されていないアイテム"));
    master.ReleaseItem(bare);
  }
}

TEST_F(HostTest, PickingPrefersTheTimeBar) {
  VoISkelton* s = Make<VoISkelton>(doc->project.Get(), "s");
  VoIBone* bone = Make<VoIBone>(s, "bone");
  host().ClickSelect(bone, 0);
  for (bool hit : {true, false}) {
    master.timeBar = new SolidBar(doc.get(), hit);
    std::list<VoRefer<VoIItem>> picked;
    host().PickItems(picked, 1.0f, 1.0f, 0.0f);
    EXPECT_EQ(picked.size(), hit ? 1u : 0u);  // the bone has no companion to hit
    if (hit) {
      EXPECT_EQ(picked.front().Get(), doc->project.Get());
    }
  }
}

TEST_F(HostTest, ItemControlsSkipLockedItemsAndIkLocates) {
  VoICharacter* c = doc->NewCharacter(doc->project);
  VoISkelton* s = Make<VoISkelton>(c, "s");
  Make<VoICoordinate>(s, "hip");
  Make<VoICoordinate>(s, "locked")->SwLock(1);
  Make<VoILocate>(s, "ik")->IKchain = 1;
  Make<VoILocate>(s, "free")->IKchain = 0;
  Make<VoIBone>(s, "arm");
  VoIMotion* m = doc->NewMotion(c);
  host().CreateItemControls(c, m);
  EXPECT_EQ(m->endframe, 60);
  const std::string made = Controls(m);
  EXPECT_NE(made.find("hip.pos;hip.rot;"), std::string::npos) << made;
  EXPECT_NE(made.find("free.pos;"), std::string::npos) << made;
  EXPECT_NE(made.find("arm.rot;"), std::string::npos) << made;
  EXPECT_EQ(made.find("locked."), std::string::npos) << made;
  EXPECT_EQ(made.find("ik."), std::string::npos) << made;
  VoIMotion* branch = doc->NewMotion(c);
  host().CreateBranchControls(s, branch);  // locked and IK items included here
  EXPECT_NE(Controls(branch).find("locked.pos;locked.rot;"), std::string::npos);
  EXPECT_NE(Controls(branch).find("ik.pos;"), std::string::npos);
}

}  // namespace
