// Chains of 100,000 branches on a stack far too small for a frame per link:
// walks stop at the limit, links close no ring, and release and deletion go
// children first; a link that would nest past the limit is refused. Each case
// runs in a child process.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ferrox/testing/InChild.h"
#include "ferrox/testing/LogCapture.h"
#include "vocore/item/VoDescent.h"
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

// A chain of 200 hung below the k-th branch of another puts its tip at
// depth k + 200: up to k = 56 the walks reach it, from 57 it is refused.
TEST(VoIBranchDeep, LinksStayWithinTheLimit) {
  constexpr int kShort = 200, kFits = kLimit - kShort;
  const struct Row {
    int under;  // index in chain a; -1: b's tip under a's root instead
    bool head;
    bool taken;
  } rows[] = {{kFits, false, true}, {kFits + 1, false, false}, {kFits, true, true},
              {kFits + 1, true, false}, {kShort - 1, false, false}, {-1, false, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.under) + (row.head ? " head" : " tail"));
    FrxTest::ExpectCleanInChild([&]() -> std::string {
      VoMaster master;
      master.Initialize(nullptr);
      std::vector<VoIBranch*> a{new VoIBranch()}, b{new VoIBranch()};
      for (int i = 1; i < kShort; ++i) a.push_back(new VoIBranch(a.back())), b.push_back(new VoIBranch(b.back()));
      // b's tip is the moved item when a's root goes under it: a's own tip then
      // lands at 199 + 200.
      VoIItem* moved = row.under < 0 ? static_cast<VoIItem*>(a[0]) : b[0];
      VoIBranch* under = row.under < 0 ? b.back() : a[size_t(row.under)];
      VoIBranch* before = moved->GetParent();
      FrxTest::LogCapture log;
      row.head ? moved->LinkHead(under) : moved->Link(under);
      const bool taken = moved->GetParent() == under;
      if (taken != row.taken) return taken ? "linked past the limit\n" : "refused a link within the limit\n";
      if (!taken) {
        if (moved->GetParent() != before || log.Count("段を超えるためリンクできません") != 1 || log.Count("\n") != 1)
          return "the refusal moved the item or logged " + log.Text();
        return Vo::Depth(a.back()) == kShort - 1 && Vo::Depth(b.back()) == kShort - 1 ? "" : "a chain moved\n";
      }
      if ((row.head ? under->GetFirstChild() : under->GetNextChild(a[size_t(row.under) + 1])) != moved)
        return "linked at the wrong end\n";
      // Every walk from the root reaches the tip, exactly at the limit.
      if (Vo::Depth(b.back()) != kLimit || a[0]->Search(b.back()) != 1) return "the tip is out of reach\n";
      master.CountUpdate();
      a[0]->ExecUpdate();
      return b.back()->IsReupdate() ? "" : "the update did not reach the tip\n";
    }, size_t(1) << 20);
  }
}

}  // namespace
