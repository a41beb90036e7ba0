// Release order and lifetime: counted references, double release, deleted
// branches and children that release their siblings.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "vocore/item/VoIBranch.h"
#include "vocore/vocore/VoMaster.h"

namespace {

std::vector<std::string>* gDeleted = nullptr;

// Notes its name when its memory goes.
class Tracked : public VoIBranch {
 public:
  Tracked(VoIBranch* p, const char* n) : VoIBranch(p) { SetName(n); }
  ~Tracked() override {
    if (gDeleted) gDeleted->push_back(GetName());
  }
};

// A master that notes the order of extension removal, i.e. of release.
class OrderMaster : public VoMaster {
 public:
  void ReleaseItemExtend(VoIItem* item) override { order.push_back(item->GetName()); }
  std::vector<std::string> order;
};

// Releases a sibling while it is being updated.
class SiblingKiller : public VoIItem {
 public:
  explicit SiblingKiller(VoIBranch* p) : VoIItem(p) {}
  int Update(unsigned long) override {
    ++updates;
    if (VoIItem* victim = victim_.Get()) VoMaster::This()->ReleaseItem(victim);
    return 1;
  }
  VoRefer<VoIItem> victim_;
  int updates = 0;
};

// Releases the next sibling from its own release.
class ChainReleaser : public Tracked {
 public:
  using Tracked::Tracked;
  void Release() override {
    if (IsRelease()) return;
    VoIItem* follower = next_.Get();
    next_.Clear();
    Tracked::Release();
    if (follower) VoMaster::This()->ReleaseItem(follower);
  }
  VoRefer<VoIItem> next_;
};

TEST(VoIItemRelease, SubtreeGoesDepthFirstAndReferencesReadEmpty) {
  std::vector<std::string> deleted;
  gDeleted = &deleted;
  OrderMaster master;
  master.Initialize(nullptr);
  master.order.clear();

  Tracked* root = new Tracked(nullptr, "root");
  Tracked* a = new Tracked(root, "a");
  new Tracked(a, "a1");
  new Tracked(root, "b");
  VoRefer<VoIItem> held(a);
  VoRefer<VoIItem> extra(new Tracked(nullptr, "extra"));
  root->references.emplace_back(extra.Get());

  master.ReleaseItem(root);
  EXPECT_EQ(master.order, (std::vector<std::string>{"extra", "a1", "a", "b", "root"}));
  EXPECT_EQ(held.Get(), nullptr);
  EXPECT_EQ(VoRefer<VoIItem>(held).GetRaw(), nullptr);  // a copy of a released target is empty
  // a is still in memory for `held`; root waits for its reference list.
  EXPECT_EQ(std::count(deleted.begin(), deleted.end(), "a"), 0);
  EXPECT_EQ(std::count(deleted.begin(), deleted.end(), "a1"), 1);
  held.Clear();
  EXPECT_EQ(std::count(deleted.begin(), deleted.end(), "a"), 1);
  extra.Clear();
  EXPECT_EQ(std::count(deleted.begin(), deleted.end(), "extra"), 1);
  gDeleted = nullptr;
}

TEST(VoIItemRelease, ReleasingTwiceKeepsReferencedMemory) {
  std::vector<std::string> deleted;
  gDeleted = &deleted;
  VoMaster master;
  master.Initialize(nullptr);
  Tracked* item = new Tracked(nullptr, "twice");
  VoRefer<Tracked> ref(item);
  EXPECT_EQ(item->GetRefCount(), 2u);
  master.ReleaseItem(item);
  master.ReleaseItem(item);  // must not drop the reference's count
  EXPECT_TRUE(deleted.empty());
  EXPECT_EQ(ref.GetRaw()->GetRefCount(), 1u);
  ref.Clear();
  EXPECT_EQ(deleted, std::vector<std::string>{"twice"});
  gDeleted = nullptr;
}

TEST(VoIItemRelease, DeletedBranchLeavesReferencedChildrenAlive) {
  std::vector<std::string> deleted;
  gDeleted = &deleted;
  VoMaster master;
  master.Initialize(nullptr);
  VoRefer<VoIItem> kept;
  {
    Tracked stackBranch(nullptr, "stack");
    Tracked* child = new Tracked(&stackBranch, "kept");
    new Tracked(&stackBranch, "dropped");
    kept = child;
  }
  // The unreferenced child went with the branch; the referenced one survives,
  // released and parentless.
  EXPECT_EQ(std::count(deleted.begin(), deleted.end(), "dropped"), 1);
  EXPECT_EQ(std::count(deleted.begin(), deleted.end(), "kept"), 0);
  ASSERT_NE(kept.GetRaw(), nullptr);
  EXPECT_TRUE(kept.GetRaw()->IsRelease());
  EXPECT_EQ(kept.GetRaw()->parent.GetRaw(), nullptr);
  kept.Clear();
  EXPECT_EQ(std::count(deleted.begin(), deleted.end(), "kept"), 1);
  gDeleted = nullptr;
}

TEST(VoIItemRelease, ChildrenThatReleaseSiblingsAreWalkedSafely) {
  std::vector<std::string> deleted;
  gDeleted = &deleted;
  VoMaster master;
  master.Initialize(nullptr);
  {
    // Releasing the first child also releases the second: the walk must go on
    // with the third, not step through freed memory.
    VoIBranch* root = new VoIBranch();
    ChainReleaser* first = new ChainReleaser(root, "c1");
    Tracked* second = new Tracked(root, "c2");
    new Tracked(root, "c3");
    first->next_ = second;
    master.ReleaseItem(root);
    std::sort(deleted.begin(), deleted.end());
    EXPECT_EQ(deleted, (std::vector<std::string>{"c1", "c2", "c3"}));
    deleted.clear();
  }
  {
    VoIBranch* root = new VoIBranch();
    SiblingKiller* killer = new SiblingKiller(root);
    Tracked* victim = new Tracked(root, "victim");
    SiblingKiller* after = new SiblingKiller(root);
    killer->victim_ = victim;
    root->ExecUpdate();
    EXPECT_EQ(killer->updates, 1);
    EXPECT_EQ(after->updates, 1);
    EXPECT_EQ(root->GetChildCount(), 2);
    killer->victim_.Clear();
    EXPECT_EQ(std::count(deleted.begin(), deleted.end(), "victim"), 1);
    master.ReleaseItem(root);
  }
  gDeleted = nullptr;
}

TEST(VoIItemRelease, UnreleasedItemAtZeroIsReleasedAndDeletedOnce) {
  std::vector<std::string> deleted;
  gDeleted = &deleted;
  OrderMaster master;
  master.Initialize(nullptr);
  master.order.clear();
  {
    Tracked* item = new Tracked(nullptr, "plain");
    item->SubRef();  // the tree's count dropped without a release
    EXPECT_EQ(deleted, std::vector<std::string>{"plain"});
    EXPECT_EQ(master.order, std::vector<std::string>{"plain"});
  }
  deleted.clear();
  master.order.clear();
  {
    // A branch's release holds a count of its own; its drop must not delete
    // the branch under the DeleteThis that is already deleting it.
    Tracked* branch = new Tracked(nullptr, "branch");
    branch->SubRef();
    EXPECT_EQ(deleted, std::vector<std::string>{"branch"});
  }
  deleted.clear();
  master.order.clear();
  {
    Tracked* branch = new Tracked(nullptr, "parent");
    new Tracked(branch, "child");
    EXPECT_EQ(branch->GetRefCount(), 2u);
    branch->SubRef();
    branch->SubRef();
    EXPECT_EQ(master.order, (std::vector<std::string>{"child", "parent"}));
    std::sort(deleted.begin(), deleted.end());
    EXPECT_EQ(deleted, (std::vector<std::string>{"child", "parent"}));
  }
  gDeleted = nullptr;
}

}  // namespace
