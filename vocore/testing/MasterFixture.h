// Test support: a headless master whose parentless items are released before
// the master goes.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "vocore/item/VoIBranch.h"
#include "vocore/vocore/VoMaster.h"

namespace votest {

class MasterFixture : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(master.Initialize(nullptr), 1); }
  void TearDown() override {
    for (VoIItem* root : roots) master.ReleaseItem(root);
    master.Uninitialize();
  }
  // A named item made through the master; a parentless one is released at tear-down.
  template <class T>
  T* Make(VoIBranch* parent, const char* name) {
    T* item = master.NewItem<T>(parent);
    item->SetName(name);
    if (!parent) roots.push_back(item);
    return item;
  }

  VoMaster master;
  std::vector<VoIItem*> roots;
};

}  // namespace votest
