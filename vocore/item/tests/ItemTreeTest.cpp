// Construction, update bookkeeping, state bits and scripts of items.
#include <gtest/gtest.h>

#include <cstdarg>
#include <string>
#include <vector>

#include "vocore/item/IScript.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/vocore/VoMaster.h"

namespace {

// Counts what the item asks of its script.
class CountingScript : public IScript {
 public:
  void Release() override { ++releases; }
  int HasMethod(const char* n) override { return std::string(n) == "Update" ? 1 : 0; }
  int CallMethodV(const char*, va_list args) override {
    ++calls;
    lastArg = va_arg(args, int);
    return result;
  }
  int releases = 0, calls = 0, lastArg = 0, result = 1;
};

// Records the order in which updates reach the children.
class Recorder : public VoIItem {
 public:
  Recorder(VoIBranch* p, std::string* log, char tag) : VoIItem(p), log_(log), tag_(tag) {}
  int Update(unsigned long) override {
    *log_ += tag_;
    SetUpdateFlag(0x100);  // flags raised during the update are consumed with it
    return 1;
  }

 private:
  std::string* log_;
  char tag_;
};

TEST(VoIItemTree, NewItemDefaultsAndLinking) {
  VoMaster master;
  master.Initialize(nullptr);
  master.CountUpdate();
  master.CountUpdate();

  VoIBranch* root = new VoIBranch();
  VoIItem* a = new VoIItem(root);
  VoIItem* b = new VoIItem(root);
  EXPECT_STREQ(a->GetName(), "unknown");
  EXPECT_EQ(a->GetRefCount(), 1u);
  EXPECT_EQ(a->GetUpdateFlag(), 0xFFFF);
  EXPECT_EQ(a->IsReupdate(), 0);
  EXPECT_EQ(a->GetUpdateStamp(), 1);  // one behind the counter (2)
  EXPECT_EQ(a->GetParent(), root);
  EXPECT_EQ(root->GetRefCount(), 3u);  // the tree's count plus one per child
  EXPECT_EQ(root->GetFirstChild(), a);
  EXPECT_EQ(root->GetNextChild(a), b);
  EXPECT_EQ(root->GetNextChild(b), nullptr);

  {
    // Moving an item marks both parents' children as changed.
    VoIBranch* other = new VoIBranch();
    root->updateFlag = 0;
    other->updateFlag = 0;
    b->Link(other);
    EXPECT_EQ(root->GetUpdateFlag() & VoIBranch::UPDATE_CHILD, VoIBranch::UPDATE_CHILD);
    EXPECT_EQ(other->GetUpdateFlag() & VoIBranch::UPDATE_CHILD, VoIBranch::UPDATE_CHILD);
    EXPECT_EQ(root->GetRefCount(), 2u);
    EXPECT_EQ(other->GetFirstChild(), b);
    b->LinkHead(root);
    EXPECT_EQ(root->GetFirstChild(), b);
    EXPECT_EQ(other->GetFirstChild(), nullptr);
    master.ReleaseItem(other);
  }
  {
    // A branch is never linked under itself or below itself.
    VoIBranch* outer = new VoIBranch(root);
    VoIBranch* inner = new VoIBranch(outer);
    outer->Link(inner);
    outer->LinkHead(outer);
    EXPECT_EQ(outer->GetParent(), root);
    EXPECT_EQ(inner->GetParent(), outer);
    EXPECT_EQ(inner->GetChildCount(), 0);
    EXPECT_TRUE(outer->IsAncestorOf(inner));
    EXPECT_FALSE(inner->IsAncestorOf(outer));
    master.ReleaseItem(outer);
  }
  {
    // Ancestry and subtree search over chains shorter and longer than the
    // first walk up the parents, and beside them.
    VoIBranch* side = new VoIBranch(root);
    std::vector<VoIBranch*> chain{new VoIBranch(root)};
    for (int i = 1; i < 200; ++i) chain.push_back(new VoIBranch(chain.back()));
    for (size_t depth : {size_t{1}, size_t{63}, size_t{64}, size_t{65}, size_t{199}}) {
      EXPECT_TRUE(chain[0]->IsAncestorOf(chain[depth])) << depth;
      EXPECT_FALSE(chain[depth]->IsAncestorOf(chain[0])) << depth;
      EXPECT_FALSE(side->IsAncestorOf(chain[depth])) << depth;
      EXPECT_EQ(chain[0]->Search(chain[depth]), 1) << depth;
      EXPECT_EQ(root->Search(chain[depth]), 1) << depth;
      EXPECT_EQ(side->Search(chain[depth]), 0) << depth;
      EXPECT_EQ(chain[depth]->Search(chain[0]), 0) << depth;
    }
    EXPECT_EQ(chain[5]->Search(chain[5]), 0);  // not below itself
    master.ReleaseItem(chain[0]);
    master.ReleaseItem(side);
  }
  {
    b->Link(nullptr);
    EXPECT_EQ(b->GetParent(), nullptr);
    EXPECT_EQ(b->Size(), 0u);
    EXPECT_EQ(root->GetChildCount(), 1);
    master.ReleaseItem(b);
  }
  master.ReleaseItem(root);
}

TEST(VoIItemTree, UpdateFlagsStampsAndTheCounterWrap) {
  VoMaster master;
  master.Initialize(nullptr);
  std::string log;
  VoIBranch* root = new VoIBranch();
  Recorder* x = new Recorder(root, &log, 'x');
  Recorder* y = new Recorder(root, &log, 'y');
  {
    master.CountUpdate();
    EXPECT_EQ(x->IsReupdate(), 0);
    const unsigned short moved = root->ExecUpdate();
    EXPECT_EQ(moved, 0xFFFF);
    EXPECT_EQ(log, "xy");
    EXPECT_EQ(x->GetUpdatedFlag(), 0xFFFF);
    EXPECT_EQ(x->GetUpdateFlag(), 0);
    EXPECT_EQ(x->IsReupdate(), 1);
    EXPECT_EQ(root->GetUpdateFlag(), 0);
  }
  {
    EXPECT_EQ(x->SetUpdateFlag(0x10), 0x10);
    EXPECT_EQ(x->SetUpdateFlag(0x01), 0x11);
    master.CountUpdate();
    EXPECT_EQ(x->IsReupdate(), 0);
    root->ExecUpdate();
    EXPECT_EQ(x->GetUpdatedFlag(), 0x111);  // 0x100 raised inside Update
    EXPECT_EQ(y->GetUpdatedFlag(), 0x100);
  }
  {
    // Run the counter to its wrap: 0xFFFF is followed by 1, never 0.
    while (master.GetUpdateCounter() != 0xFFFF) master.CountUpdate();
    root->ExecUpdate();
    EXPECT_EQ(x->GetUpdateStamp(), 0xFFFF);
    EXPECT_EQ(x->IsReupdate(), 1);
    master.CountUpdate();
    EXPECT_EQ(master.GetUpdateCounter(), 1);
    EXPECT_EQ(x->IsReupdate(), 0);
    // A new item right after the wrap counts as not yet updated.
    VoIItem* fresh = new VoIItem(root);
    EXPECT_EQ(fresh->GetUpdateStamp(), 0);
    EXPECT_EQ(fresh->IsReupdate(), 0);
  }
  master.ReleaseItem(root);
}

TEST(VoIItemTree, StateBitsAreMaskedValues) {
  VoIItem* item = new VoIItem(nullptr);
  item->SwLock(1);
  EXPECT_EQ(item->IsLock(), 2);
  item->SwProblem(1);
  EXPECT_EQ(item->IsProblem(), 4);
  item->SwLock(0);
  EXPECT_EQ(item->IsLock(), 0);
  EXPECT_EQ(item->IsProblem(), 4);
  VoIItem* copy = new VoIItem(nullptr);
  item->SetName("src");
  copy->Copy(item);
  EXPECT_STREQ(copy->GetName(), "src");
  EXPECT_EQ(copy->GetState(), item->GetState());
  item->SetName(nullptr);
  EXPECT_STREQ(item->GetName(), "");
  copy->Release();
  item->Release();
}

TEST(VoIItemTree, ScriptsAreOwnedAndProblemsStopCalls) {
  CountingScript script;
  VoIItem* item = new VoIItem(nullptr);
  EXPECT_EQ(item->CallMethod("Update", 1), 0);  // no script
  EXPECT_EQ(item->HasMethod("Update"), 0);
  item->SetScript(&script);
  {
    // Setting the same script again must not hand it back.
    item->SetScript(&script);
    EXPECT_EQ(script.releases, 0);
    EXPECT_EQ(item->HasMethod("Update"), 1);
  }
  {
    EXPECT_EQ(item->CallMethod("Update", 7), 1);
    EXPECT_EQ(script.lastArg, 7);
    script.result = 0;
    EXPECT_EQ(item->CallMethod("Update", 8), 0);
    EXPECT_EQ(item->IsProblem(), 4);
    EXPECT_EQ(item->CallMethod("Update", 9), 1);
    EXPECT_EQ(script.calls, 2);  // the third call never reached the script
    item->SwProblem(0);
    script.result = 1;
    item->SwHide(1);
    EXPECT_EQ(item->CallMethod("Update", 10), 1);
    EXPECT_EQ(script.calls, 2);
    item->SwHide(0);
    EXPECT_EQ(item->CallMethod("Update", 11), 1);
    EXPECT_EQ(script.calls, 3);
  }
  {
    CountingScript other;
    item->SetScript(&other);
    EXPECT_EQ(script.releases, 1);
    // Release gives the script back, so nothing leaks with the item.
    item->Release();
    EXPECT_EQ(other.releases, 1);
  }
}

}  // namespace
