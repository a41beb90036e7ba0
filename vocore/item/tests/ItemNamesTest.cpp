// Safe names, paths and child queries.
#include <gtest/gtest.h>

#include "vocore/item/VoIBranch.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/vocore/VoMaster.h"

namespace {

using VoIItemNames = votest::MasterFixture;

TEST_F(VoIItemNames, SafetyNamesAreUniqueWithinTheCharactersClass) {
  VoICharacter* character = master.NewItem<VoICharacter>(nullptr);
  VoISkelton* skeleton = master.NewItem<VoISkelton>(character);
  VoILocate* arm = master.NewItem<VoILocate>(skeleton);
  arm->SetName("arm");
  {
    VoILocate* second = master.NewItem<VoILocate>(skeleton);
    EXPECT_EQ(second->SetSafetyName("ARM"), 1);
    EXPECT_STREQ(second->GetName(), "ARM[00]");
    VoILocate* third = master.NewItem<VoILocate>(arm);  // deeper in the same group
    EXPECT_EQ(third->SetSafetyName("arm[00]"), 1);
    EXPECT_STREQ(third->GetName(), "arm[01]");
    VoILocate* fourth = master.NewItem<VoILocate>(skeleton);
    EXPECT_EQ(fourth->SetSafetyName("arm[00]"), 1);
    EXPECT_STREQ(fourth->GetName(), "arm[02]");
    // Keeping one's own name is no clash.
    EXPECT_EQ(fourth->SetSafetyName("arm[02]"), 0);
    EXPECT_STREQ(fourth->GetName(), "arm[02]");
  }
  {
    // Another class does not clash, nor does a nested character's group.
    VoIBone* bone = master.NewItem<VoIBone>(skeleton);
    EXPECT_EQ(bone->SetSafetyName("arm"), 0);
    VoICharacter* inner = master.NewItem<VoICharacter>(character);
    VoILocate* innerArm = master.NewItem<VoILocate>(inner);
    EXPECT_EQ(innerArm->SetSafetyName("arm"), 0);
    EXPECT_STREQ(innerArm->GetName(), "arm");
  }
  {
    VoILocate* loose = master.NewItem<VoILocate>(nullptr);
    EXPECT_EQ(loose->SetSafetyName("arm"), 0);
    EXPECT_STREQ(loose->GetName(), "arm");
    master.ReleaseItem(loose);
  }
  master.ReleaseItem(character);
}

TEST_F(VoIItemNames, PathsNameTheEnclosingCharacters) {
  VoICharacter* c1 = master.NewItem<VoICharacter>(nullptr);
  c1->SetName("c1");
  VoICharacter* c2 = master.NewItem<VoICharacter>(c1);
  c2->SetName("c2");
  VoISkelton* skeleton = master.NewItem<VoISkelton>(c2);
  VoIBone* b1 = master.NewItem<VoIBone>(skeleton);
  b1->SetName("b1");
  EXPECT_STREQ(c2->GetPath(c1).Get(), "");
  EXPECT_STREQ(b1->GetPath(c1).Get(), "c2/");
  EXPECT_STREQ(b1->GetFullPath(c1).Get(), "c2/b1");
  EXPECT_STREQ(b1->GetFullName(c1).Get(), "Bone:c2/b1");
  EXPECT_STREQ(b1->GetFullName(nullptr).Get(), "Bone:c1/c2/b1");
  EXPECT_STREQ(c1->GetFullPath(c1).Get(), "");
  EXPECT_EQ(b1->GetParentCharacter(), c2);
  EXPECT_EQ(c2->GetLocalCharacter(), c2);
  EXPECT_EQ(b1->GetSkelton(), skeleton);
  master.ReleaseItem(c1);
}

TEST_F(VoIItemNames, ChildQueries) {
  VoICharacter* character = master.NewItem<VoICharacter>(nullptr);
  VoISkelton* skeleton = master.NewItem<VoISkelton>(character);
  VoIBone* bone = master.NewItem<VoIBone>(skeleton);
  bone->SetName("Spine");
  VoILocate* locate = master.NewItem<VoILocate>(skeleton);
  locate->SetName("hip");
  VoILocate* tip = master.NewItem<VoILocate>(bone);
  tip->SetName("tip");
  {
    EXPECT_EQ(skeleton->GetItem("SPINE"), bone);
    EXPECT_EQ(skeleton->GetItem("tip"), nullptr);  // direct children only
    EXPECT_EQ(skeleton->GetItemArray(0, VoILocate::CLASS_ID), locate);
    EXPECT_EQ(skeleton->GetItemArray(1, VoILocate::CLASS_ID), nullptr);
    EXPECT_EQ(skeleton->Search(VoILocate::CLASS_ID, "spine"), bone);  // a bone is a locate
    EXPECT_EQ(skeleton->Search(VoIBone::CLASS_ID, "hip"), nullptr);
    EXPECT_EQ(character->Search(tip), 1);
    EXPECT_EQ(bone->Search(locate), 0);
    EXPECT_EQ(character->SearchGroupItem("TIP", VoILocate::CLASS_ID), tip);
    EXPECT_EQ(skeleton->GetLocate("HIP"), locate);
    EXPECT_EQ(skeleton->GetBone("hip"), nullptr);
  }
  {
    VoIBranch::ItemList list;
    character->GetGroupList(list, VoILocate::CLASS_ID);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.front().Get(), bone);
    EXPECT_EQ(list.back().Get(), locate);  // the bone's child comes right after it
    list.clear();
    skeleton->GetChildList(list, 1);
    EXPECT_EQ(list.size(), 2u);
  }
  {
    // Sort orders by class id and keeps the order of equal ids.
    VoILocate* second = master.NewItem<VoILocate>(skeleton);
    EXPECT_EQ(skeleton->Sort(), 1);
    EXPECT_EQ(skeleton->GetFirstChild(), locate);
    EXPECT_EQ(skeleton->GetNextChild(locate), second);
    EXPECT_EQ(skeleton->GetNextChild(second), bone);
    EXPECT_EQ(bone->GetParent(), skeleton);
  }
  master.ReleaseItem(character);
}

}  // namespace
