// Chains of 100,000 branches on a stack far too small for a frame per link:
// walks stop at the limit, links close no ring, and release and deletion go
// children first. Each case runs in a child process.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ferrox/testing/InChild.h"
#include "ferrox/testing/LogCapture.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/vocore/VoMaster.h"

namespace {

constexpr int kChain = 100000, kLimit = VoIBranch::MaxDepth;
std::vector<int> releasedAt, deleted;  // by index: release number (0: none), deleted
int sequence = 0, faults = 0;

struct Node : VoIBranch {
  Node(VoIBranch* parent, int i) : VoIBranch(parent), index(i) {}
  ~Node() override { deleted[index] = 1; }
  int index;
  VoRefer<VoIItem> held;  // as a plug-in's item may hold one
};

struct LedgerMaster : VoMaster {
  // A second release, or one after the parent was deleted, is a fault.
  void ReleaseItemExtend(VoIItem* item) override {
    Node* n = dynamic_cast<Node*>(item);
    if (n && (releasedAt[n->index] || (item->parent.GetRaw() && deleted[n->index - 1]))) ++faults;
    if (n) releasedAt[n->index] = ++sequence;
  }
};

TEST(VoIBranchDeep, ChainsWalkRelinkAndGoWithBoundedStack) {
  enum Ending { kReleased, kRootDeleted, kHeldUpwards };
  for (Ending ending : {kReleased, kRootDeleted, kHeldUpwards}) {
    SCOPED_TRACE(ending);
    FrxTest::ExpectCleanInChild([&]() -> std::string {
      LedgerMaster master;
      master.Initialize(nullptr);
      releasedAt.assign(kChain, 0);
      deleted.assign(kChain, 0);
      std::vector<Node*> chain{new Node(nullptr, 0)};
      for (int i = 1; i < kChain; ++i) chain.push_back(new Node(chain.back(), i));
      master.CountUpdate();
      chain[0]->ExecUpdate();
      if (!chain[kLimit]->IsReupdate() || chain[kLimit + 1]->IsReupdate()) return "the update passed the limit\n";
      FrxTest::LogCapture log;
      const int rings[][2] = {{0, kChain - 1}, {7, 7}, {300, 5300}};
      for (auto [item, under] : rings) {
        chain[item]->Link(chain[under]);
        chain[item]->LinkHead(chain[under]);
        if (chain[item]->GetParent() != (item ? chain[item - 1] : nullptr)) return "a ring was linked\n";
      }
      if (log.Count("リンクできません") != 6) return "the refusals were not logged\n";
      VoRefer<VoIItem> bottom(chain.back());
      if (ending == kHeldUpwards)
        for (int i = 1; i < kChain; ++i) chain[i]->held = chain[i - 1];
      if (ending == kRootDeleted)
        delete chain[0];  // unreleased: its children go parentless
      else
        master.ReleaseItem(chain[0]);
      if (bottom.Get()) return "the held link still reads as alive\n";
      bottom.Clear();  // the last outside count frees the chain link by link
      for (int i = ending == kRootDeleted ? 1 : 0; i < kChain; ++i)
        if (!releasedAt[i] || !deleted[i] || (i + 1 < kChain && releasedAt[i] < releasedAt[i + 1]))
          return "link " + std::to_string(i) + " went wrong\n";
      return faults ? "a link was released twice or after its parent was deleted\n" : "";
    }, size_t(1) << 20);
  }
}

}  // namespace
