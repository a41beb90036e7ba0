// Item creation and release, class-tree queries, controls and animation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"
#include "ferrox/testing/LogCapture.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/motion/VoIControl.h"
#include "vocore/motion/VoIControlFloat.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIModifier.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/testing/TextStreams.h"
#include "vocore/vocore/VoClassDescItem.h"
#include "vocore/vocore/VoMaster.h"

using FrxTest::LogCapture;

namespace {

// A host that records the extension calls, in order, by item name.
class RecordingMaster : public VoMaster {
 public:
  void CreateItemExtend(VoIItem* item) override { created.push_back(item->GetName()); }
  void ReleaseItemExtend(VoIItem* item) override { released.push_back(item->GetName()); }
  std::vector<std::string> created, released;
};

// An item class whose descriptor names `parent` as its parent id.
class LoopItem : public VoIItem {
 public:
  LoopItem(VoIBranch* parent, unsigned long id) : VoIItem(parent), id_(id) {}
  unsigned long GetClassID() override { return id_; }

 private:
  unsigned long id_;
};

class LoopDesc : public VoClassDescItem {
 public:
  LoopDesc(unsigned long id, unsigned long parent) : id_(id), parent_(parent) {}
  const char* ClassName() override { return "Loop"; }
  unsigned long ClassID() override { return id_; }
  unsigned long ParentClassID() override { return parent_; }
  VoIItem* Create(VoIBranch* parent) override { return new LoopItem(parent, id_); }

 private:
  unsigned long id_, parent_;
};

int CountControls(VoIMotion* motion) {
  VoMaster::ItemList list;
  motion->GetChildList(list, 96);
  return static_cast<int>(list.size());
}

}  // namespace

TEST(VoMasterItems, CreateByIdAndName) {
  LogCapture log;
  RecordingMaster master;
  master.Initialize(nullptr);
  EXPECT_EQ(master.CreateItem(999ul, nullptr), nullptr);
  EXPECT_TRUE(log.Contains("アイテム 3E7 がみつかりません。\n"));
  EXPECT_EQ(master.CreateItem("Nonesuch", nullptr), nullptr);
  EXPECT_TRUE(log.Contains("アイテム Nonesuch がみつかりません。\n"));

  VoIItem* bone = master.CreateItem("bOnE", nullptr);
  ASSERT_NE(bone, nullptr);
  EXPECT_EQ(bone->GetClassID(), 19u);
  bone->SetName("b1");
  // A source is copied into the new item.
  VoIItem* copy = master.CreateItem(19ul, nullptr, bone);
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy->GetName(), "b1");
  // Both the roots and the two bones passed through the host hook.
  EXPECT_EQ(master.created.size(), 4u);
  master.ReleaseItem(copy);
  master.ReleaseItem(bone);
}

TEST(VoMasterItems, ReleaseGoesDepthFirstAndHidesTheItem) {
  RecordingMaster master;
  master.Initialize(nullptr);
  VoIItem* top = master.CreateItem("Character", nullptr);
  top->SetName("top");
  VoIItem* child = master.CreateItem("Skelton", top->IsBranch());
  child->SetName("child");
  VoIItem* leaf = master.CreateItem("Locate", child->IsBranch());
  leaf->SetName("leaf");
  VoRefer<VoIItem> keep = leaf;

  master.released.clear();
  master.ReleaseItem(top);
  EXPECT_EQ(master.released, (std::vector<std::string>{"leaf", "child", "top"}));
  EXPECT_EQ(keep.Get(), nullptr);
  EXPECT_NE(keep.GetRaw(), nullptr);  // still alive while referenced
}

TEST(VoMasterItems, SubclassQueries) {
  VoMaster master;
  master.Initialize(nullptr);
  VoIItem* bone = master.CreateItem("Bone", nullptr);
  for (unsigned long id : {19ul, 18ul, 17ul, 33ul, 1ul}) EXPECT_EQ(master.IsSubclass(bone, id), 1) << id;
  EXPECT_EQ(master.IsSubclass(bone, 20), 0);
  EXPECT_EQ(master.IsSubclass(bone, 0), 0);
  EXPECT_EQ(master.IsSubclass(nullptr, 1), 1);
  EXPECT_EQ(master.IsSubclass(nullptr, 19), 0);

  // A class without a registered descriptor is only an Item.
  VoIItem* script = new LoopItem(nullptr, 70);
  EXPECT_EQ(master.IsSubclass(script, 1), 1);
  EXPECT_EQ(master.IsSubclass(script, 70), 0);
  EXPECT_EQ(master.IsSubclass(script, 68), 0);
  master.ReleaseItem(script);

  // Two classes naming each other as parent: the walk still ends.
  LoopDesc a(200, 201), b(201, 200);
  master.RegistClassDesc(&a);
  master.RegistClassDesc(&b);
  VoIItem* looped = master.CreateItem(200ul, nullptr);
  ASSERT_NE(looped, nullptr);
  EXPECT_EQ(master.IsSubclass(looped, 201), 1);
  EXPECT_EQ(master.IsSubclass(looped, 999), 0);
  LoopDesc self(202, 202);
  master.RegistClassDesc(&self);
  EXPECT_EQ(master.IsSubclassID(202, 33), 0);
  // Answers asked before a parent class is registered do not outlive it.
  LoopDesc child(203, 204), parent(204, 33);
  master.RegistClassDesc(&child);
  VoIItem* orphan = master.CreateItem(203ul, nullptr);
  ASSERT_NE(orphan, nullptr);
  for (int again = 0; again < 2; ++again) EXPECT_EQ(master.IsSubclass(orphan, 33), 0) << again;
  EXPECT_EQ(master.IsSubclassID(204, 33), 0);
  master.RegistClassDesc(&parent);
  for (int again = 0; again < 2; ++again) EXPECT_EQ(master.IsSubclass(orphan, 33), 1) << again;
  EXPECT_EQ(master.IsSubclassID(204, 33), 1);
  master.ReleaseItem(orphan);

  // ListWeedOut keeps live items of the class, in order, appending.
  VoIItem* locate = master.CreateItem("Locate", nullptr);
  VoIItem* note = master.CreateItem("Note", nullptr);
  VoIItem* gone = master.CreateItem("Coordinate", nullptr);
  VoMaster::ItemList in{bone, locate, note, gone, looped};
  master.ReleaseItem(gone);
  VoMaster::ItemList out{note};
  master.ListWeedOut(out, in, 17);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out.back().Get(), locate);
  VoMaster::ItemList all;
  master.ListWeedOut(all, in, 1);
  EXPECT_EQ(all.size(), 4u);
  // Weeding a list into itself appends each live item once and ends.
  master.ListWeedOut(all, all, 17);
  ASSERT_EQ(all.size(), 6u);
  EXPECT_EQ(all.back().Get(), locate);

  bone->SetName("Elbow");
  EXPECT_EQ(master.ListSearchItem(in, "ELBOW"), bone);
  EXPECT_EQ(master.ListSearchItem(in, "knee"), nullptr);
  for (VoIItem* item : {bone, locate, note, looped}) master.ReleaseItem(item);
}

// Two plug-in classes under one id, as a blender (a polygon) and a skin
// modifier share 139.
template <class Base>
class SharedIdDesc : public VoClassDescItem {
 public:
  SharedIdDesc(const char* name, unsigned long parent) : name_(name), parent_(parent) {}
  const char* ClassName() override { return name_; }
  unsigned long ClassID() override { return 139; }
  unsigned long ParentClassID() override { return parent_; }
  VoIItem* Create(VoIBranch* parent) override { return new Item(parent); }

 private:
  struct Item : Base {
    using Base::Base;
    unsigned long GetClassID() override { return 139; }
  };
  const char* name_;
  unsigned long parent_;
};

TEST(VoMasterItems, ItemsOfASharedIdAreNamedAndClassedByTheirOwnDescriptor) {
  // Either registration order: what the item is decides, not which came first.
  for (bool blenderFirst : {true, false}) {
    SCOPED_TRACE(blenderFirst);
    VoMaster master;
    master.Initialize(nullptr);
    SharedIdDesc<VoIPolygon> blender("Blender", 36);
    SharedIdDesc<VoIModifier> skin("Skin", 34);
    master.RegistClassDesc(blenderFirst ? static_cast<VoClassDesc*>(&blender) : &skin);
    master.RegistClassDesc(blenderFirst ? static_cast<VoClassDesc*>(&skin) : &blender);
    VoIItem* root = master.CreateItem("Object", nullptr);
    VoIItem* b = master.CreateItem("Blender", root->IsBranch());
    VoIItem* s = master.CreateItem("Skin", root->IsBranch());
    ASSERT_TRUE(b && s && b->IsPolygon() && s->IsModifier());

    EXPECT_EQ(master.GetClassDescItem(b), &blender);
    EXPECT_EQ(master.GetClassDescItem(s), &skin);
    EXPECT_STREQ(b->GetClassNameA(), "Blender");
    EXPECT_STREQ(s->GetClassNameA(), "Skin");
    EXPECT_STREQ(s->GetNameEx().Get(), "Skin");
    EXPECT_EQ(votest::SaveText(s).rfind("Skin {", 0), 0u);
    EXPECT_EQ(votest::SaveText(b).rfind("Blender {", 0), 0u);
    // A lookup by id alone can only give the first registered.
    EXPECT_STREQ(master.GetClassNameA(139ul), blenderFirst ? "Blender" : "Skin");

    // Only the blender is a polygon; group lists of polygons skip the skin.
    EXPECT_EQ(master.IsSubclass(b, 36), 1);
    EXPECT_EQ(master.IsSubclass(s, 36), 0);
    EXPECT_EQ(master.IsSubclass(s, 34), 1);
    EXPECT_EQ(master.IsSubclass(b, 139), 1);
    VoIBranch::ItemList polygons;
    root->IsBranch()->GetChildList(polygons, 36);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons.front().Get(), b);
    polygons.clear();
    master.ReleaseItem(root);
    master.Uninitialize();
  }
}

TEST(VoMasterItems, ControlsForMembers) {
  VoMaster master;
  master.Initialize(nullptr);
  VoIItem* locate = master.CreateItem("Locate", nullptr);
  locate->SetName("arm");
  VoIMotion* motion = master.CreateItem("Motion", nullptr)->IsMotion();
  ASSERT_NE(motion, nullptr);

  VoIControl* control = master.CreateControl(locate, "POS", motion);
  ASSERT_NE(control, nullptr);
  EXPECT_NE(control->IsControlVector(), nullptr);
  EXPECT_STREQ(control->GetName(), "arm");
  EXPECT_EQ(control->GetOutClassID(), 17u);
  EXPECT_EQ(control->GetOutMember(), master.GetMemberOffset(locate, "pos"));
  EXPECT_NE(control->GetOutMember(), 0u);
  EXPECT_EQ(master.CreateControl(locate, "pos", motion), nullptr);
  EXPECT_EQ(CountControls(motion), 1);
  // An integer member has no control kind; an unknown member none at all.
  EXPECT_EQ(master.CreateControl(locate, "IKchain", motion), nullptr);
  EXPECT_EQ(master.CreateControl(locate, "nosuch", motion), nullptr);
  EXPECT_EQ(CountControls(motion), 1);

  VoIItem* coordinate = master.CreateItem("Coordinate", nullptr);
  coordinate->SetName("hip");
  EXPECT_EQ(master.CreateControl(coordinate, nullptr, motion), nullptr);
  EXPECT_EQ(CountControls(motion), 3);
  VoMaster::ItemList controls;
  motion->GetChildList(controls, 96);
  int quaternions = 0;
  for (auto& ref : controls)
    if (ref->IsControlQuaternion()) ++quaternions;
  EXPECT_EQ(quaternions, 1);

  {
    // The character's time is keyed by a float control, a class without a
    // descriptor: asking twice must still give one control.
    VoIItem* character = master.CreateItem("Character", nullptr);
    character->SetName("hero");
    VoIControl* time = master.CreateControl(character, "time", motion);
    ASSERT_NE(time, nullptr);
    EXPECT_NE(time->IsControlFloat(), nullptr);
    EXPECT_EQ(time->GetOutMember(), master.GetMemberOffset(character, "time"));
    EXPECT_EQ(master.CreateControl(character, "TIME", motion), nullptr);
    int floats = 0;
    for (VoIItem* c = motion->GetFirstChild(); c; c = motion->GetNextChild(c))
      if (c->IsControlFloat() && !c->IsRelease()) ++floats;
    EXPECT_EQ(floats, 1);
    master.ReleaseItem(time);
    master.ReleaseItem(character);
  }

  EXPECT_EQ(master.GetMemberOffset(locate, "POS"), 0u);
  EXPECT_STREQ(master.GetMemberName(locate, master.GetMemberOffset(locate, "pos")), "pos");
  EXPECT_EQ(master.GetMemberName(locate, 0xFFFFFF), nullptr);
  master.ReleaseItem(motion);
  master.ReleaseItem(locate);
  master.ReleaseItem(coordinate);
}

TEST(VoMasterItems, AnimationRestoresTheCharacterCoordinate) {
  VoMaster master;
  master.Initialize(nullptr);
  VoICharacter* character = master.CreateItem("Character", nullptr)->IsCharacter();
  ASSERT_NE(character, nullptr);
  Frx::Pmatrix placement = Frx::Pmatrix::id;
  placement._41 = 5.0f;

  master.CountUpdate();
  master.Animation(character, placement, 12.5f);
  EXPECT_EQ(character->coordinate.GetRaw(), nullptr);
  EXPECT_FLOAT_EQ(character->GetTime(), 12.5f);
  EXPECT_EQ(character->IsReupdate(), 1);
  EXPECT_FLOAT_EQ(master.GetWorldCoordinate()->L2W._41, 5.0f);

  VoIItem* own = master.CreateItem("Coordinate", nullptr);
  character->SetCoordinate(own->IsLocate());
  master.Animation(character, placement, 1.0f);
  EXPECT_EQ(character->coordinate.Get(), own);

  master.Discation(character);
  EXPECT_FLOAT_EQ(master.GetWorldCoordinate()->L2W._41, 0.0f);
  master.ReleaseItem(character);
  master.ReleaseItem(own);
}
