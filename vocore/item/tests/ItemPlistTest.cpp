// The Plink-based item lists of a branch.
#include <gtest/gtest.h>

#include <vector>

#include "ferrox/link/Plist.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/vocore/VoMaster.h"

namespace {

std::vector<VoIItem*> Items(Frx::Plist<VoIItem>& list) {
  std::vector<VoIItem*> items;
  for (VoIItem* item : list) items.push_back(item);
  return items;
}

using VoIBranchPlist = votest::MasterFixture;

TEST_F(VoIBranchPlist, GroupSkipsPolygonsAllDescendsEverywhere) {
  VoICharacter* character = master.NewItem<VoICharacter>(nullptr);
  VoISkelton* skeleton = master.NewItem<VoISkelton>(character);
  VoIBone* bone = master.NewItem<VoIBone>(skeleton);
  VoILocate* tip = master.NewItem<VoILocate>(bone);
  VoIPolygon* polygon = master.NewItem<VoIPolygon>(character);
  VoILocate* inside = master.NewItem<VoILocate>(polygon);
  const unsigned long tipCount = tip->GetRefCount();

  {
    // Exact class ids: a bone is a locate by subclass, not by id.
    Frx::Plist<VoIItem> list;
    character->MakeList_Group(&list, VoILocate::CLASS_ID);
    EXPECT_EQ(Items(list), std::vector<VoIItem*>({tip}));
    EXPECT_EQ(tip->GetRefCount(), tipCount);  // nodes take no references
  }
  {
    Frx::Plist<VoIItem> list;
    character->MakeList_All(&list, VoILocate::CLASS_ID);
    EXPECT_EQ(Items(list), std::vector<VoIItem*>({tip, inside}));
  }
  {
    // Class 0 takes every child, each before its own children; lists append.
    Frx::Plist<VoIItem> list;
    character->MakeList_Group(&list, 0);
    EXPECT_EQ(Items(list), std::vector<VoIItem*>({skeleton, bone, tip, polygon}));
    character->MakeList_Group(&list, VoIBone::CLASS_ID);
    EXPECT_EQ(list.Size(), 5u);
    list.Clear();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetFirst(), nullptr);
  }
  character->MakeList_All(nullptr, 0);  // no list: nothing happens
  master.ReleaseItem(character);
}

}  // namespace
