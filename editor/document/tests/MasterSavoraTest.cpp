#include <gtest/gtest.h>

#include "editor/extend/GuiItemExtend.h"
#include "editor/testing/EditorFixture.h"
#include "editor/timebar/TimeBar.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

// A companion that answers a fixed depth and counts what it was asked.
class FakeGui : public ItemGui {
 public:
  FakeGui(VoIItem* item, float depth, int* alive) : ItemGui(item), depth(depth), alive(alive) { ++*alive; }
  ~FakeGui() override { --*alive; }
  float HitTest(float, float, int) override { return depth; }
  void Drag(MouseRecord) override { ++drags; }
  void Draw() override { ++draws; }
  float depth;
  int* alive;
  int drags = 0, draws = 0;
};

class MasterSavoraTest : public edtest::EditorFixture {
 protected:
  FakeGui* Attach(VoIItem* item, float depth) {
    auto* gui = new FakeGui(item, depth, &alive);
    static_cast<GuiItemExtend*>(item->GetExtend())->gui = gui;
    return gui;
  }
  int alive = 0;
};

TEST_F(MasterSavoraTest, ExtensionsFollowItems) {
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  VoRefer<VoIObject> l = Make<VoIObject>(c, "l");  // kept to look at after its release
  ASSERT_NE(dynamic_cast<GuiItemExtend*>(l->GetExtend()), nullptr);
  EXPECT_EQ(GetItemGui(l), nullptr);  // a class without companion: an empty extension
  {
    // The extension goes with the item; a companion held elsewhere survives it.
    VoRefer<ItemGui> held = Attach(l, 1.0f);
    master.ReleaseItem(l);
    EXPECT_EQ(l.GetRaw()->GetExtend(), nullptr);
    EXPECT_EQ(alive, 1);
  }
  EXPECT_EQ(alive, 0);
  {
    // An item that never had an extension is released without a trace.
    VoRefer<VoILocate> bare = new VoILocate(c);
    master.ReleaseItem(bare);
    EXPECT_EQ(bare.GetRaw()->GetExtend(), nullptr);
  }
  master.ReleaseItem(c);
}

TEST_F(MasterSavoraTest, PickKeepsTheNearestEarlierVisibleHit) {
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  VoISkelton* s = Make<VoISkelton>(c, "s");
  VoILocate* a = Make<VoILocate>(s, "a");
  VoILocate* b = Make<VoILocate>(s, "b");
  VoILocate* hidden = Make<VoILocate>(s, "hidden");
  Attach(a, 5.0f);
  FakeGui* gb = Attach(b, 5.0f);
  Attach(hidden, 1.0f);
  hidden->SwHide(1);
  struct Case {
    float bDepth;
    VoIItem* expected;
  } cases[] = {{5.0f, a}, {4.0f, b}, {ItemGui::NoHit, a}};
  for (const Case& k : cases) {
    gb->depth = k.bDepth;
    VoMaster::ItemList picked;
    master.PickNearest(picked, c, 10.0f, 10.0f, 0);
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked.front().Get(), k.expected);
  }
  {
    // Nothing hit, or no branch: nothing appended.
    static_cast<FakeGui*>(GetItemGui(a))->depth = ItemGui::NoHit;
    gb->depth = ItemGui::NoHit;
    VoMaster::ItemList picked;
    master.PickNearest(picked, c, 0.0f, 0.0f, 0);
    master.PickNearest(picked, nullptr, 0.0f, 0.0f, 0);
    EXPECT_TRUE(picked.empty());
  }
  {
    // An item without extension is reported and skipped.
    VoRefer<VoILocate> bare = new VoILocate(s);
    VoMaster::ItemList picked;
    master.PickNearest(picked, c, 0.0f, 0.0f, 0);
    EXPECT_TRUE(boxes.Saw("アイテム拡張クラスが生成されていないアイテム"));
    master.ReleaseItem(bare);
  }
  master.ReleaseItem(c);
}

TEST_F(MasterSavoraTest, LockedItemsDrawButDoNotDragHiddenDoNeither) {
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  VoIBone* bone = Make<VoIBone>(c, "bone");
  FakeGui* gui = Attach(bone, 1.0f);
  MouseRecord record;
  struct Case {
    int lock, hide, drags, draws;
  } cases[] = {{0, 0, 1, 1}, {1, 0, 0, 1}, {0, 1, 0, 0}};
  for (const Case& k : cases) {
    gui->drags = gui->draws = 0;
    bone->SwLock(k.lock);
    bone->SwHide(k.hide);
    master.DispatchDrag(bone, record);
    master.DispatchDraw(bone);
    EXPECT_EQ(gui->drags, k.drags) << k.lock << k.hide;
    EXPECT_EQ(gui->draws, k.draws) << k.lock << k.hide;
  }
  master.ReleaseItem(c);
}

TEST_F(MasterSavoraTest, TimeBarIsReplacedAndDropped) {
  master.CreateTimeBar(doc.get());
  TimeBar* first = master.GetTimeBar();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->document, doc.get());
  VoRefer<TimeBar> keep = first;
  master.CreateTimeBar(doc.get());
  EXPECT_NE(master.GetTimeBar(), first);
  master.ReleaseTimeBar();
  EXPECT_EQ(master.GetTimeBar(), nullptr);
}

}  // namespace
