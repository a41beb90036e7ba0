// Chains of branches far deeper than the nesting limit: released, deleted and
// walked with bounded use of the stack, and links that would close a ring.
// Each case runs in a child process, so a regression fails instead of
// ending the runner.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ferrox/testing/InChild.h"
#include "ferrox/testing/LogCapture.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/vocore/VoMaster.h"

namespace {

constexpr int kChain = 100000;
// The checks run on this much stack: plenty for walks bounded in depth, far
// too little for one frame per link of the chain.
constexpr size_t kStack = size_t(1) << 20;

// What happened to each link of the chain, by index (0 is the root).
struct Ledger {
  std::vector<int> released = std::vector<int>(kChain, 0);
  std::vector<int> releasedAt = std::vector<int>(kChain, 0);
  std::vector<char> deleted = std::vector<char>(kChain, 0);
  int sequence = 0;
  int parentGoneFirst = 0;
};
Ledger* ledger = nullptr;

class Node : public VoIBranch {
 public:
  Node(VoIBranch* parent, int i) : VoIBranch(parent), index(i) {}
  ~Node() override { ledger->deleted[index] = 1; }
  int index;
  // A counted reference such as a plug-in's item may hold.
  VoRefer<VoIItem> held;
};

class LedgerMaster : public VoMaster {
 public:
  void ReleaseItemExtend(VoIItem* item) override {
    Node* link = dynamic_cast<Node*>(item);
    if (!link) return;  // the master's own roots
    const int i = link->index;
    ++ledger->released[i];
    ledger->releasedAt[i] = ++ledger->sequence;
    // A branch deleted unreleased lets its children go parentless first.
    if (item->parent.GetRaw() && ledger->deleted[i - 1]) ++ledger->parentGoneFirst;
  }
};

std::vector<Node*> MakeChain(Node* root) {
  std::vector<Node*> chain;
  chain.reserve(kChain);
  chain.push_back(root);
  for (int i = 1; i < kChain; ++i) chain.push_back(new Node(chain.back(), i));
  return chain;
}

// Every link from `first` on released once, children before their parent,
// none after its parent was deleted, and all of them deleted in the end.
std::string Audit(int first) {
  std::string fault;
  for (int i = first; i < kChain && fault.empty(); ++i) {
    if (ledger->released[i] != 1) fault = "link " + std::to_string(i) + " released " +
                                          std::to_string(ledger->released[i]) + " times\n";
    else if (i + 1 < kChain && ledger->releasedAt[i] <= ledger->releasedAt[i + 1])
      fault = "link " + std::to_string(i) + " released before its child\n";
    else if (!ledger->deleted[i])
      fault = "link " + std::to_string(i) + " never deleted\n";
  }
  if (ledger->parentGoneFirst) fault += "extensions removed after the parent was deleted\n";
  return fault;
}

enum class Ending { Release, RootDeleted, HeldUpwards };

TEST(VoIBranchDeep, ChainsGoWithBoundedStack) {
  const struct {
    const char* name;
    Ending ending;
  } cases[] = {
      {"released through the master", Ending::Release},
      {"root deleted without a release", Ending::RootDeleted},
      {"released, each link holding its parent", Ending::HeldUpwards},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FrxTest::ExpectCleanInChild([&] {
      Ledger book;
      ledger = &book;
      LedgerMaster master;
      master.Initialize(nullptr);
      VoRefer<VoIItem> bottom;
      if (c.ending == Ending::RootDeleted) {
        Node root(nullptr, 0);
        bottom = MakeChain(&root).back();
      } else {
        std::vector<Node*> chain = MakeChain(new Node(nullptr, 0));
        bottom = chain.back();
        if (c.ending == Ending::HeldUpwards)
          for (int i = 1; i < kChain; ++i) chain[i]->held = chain[i - 1];
        master.ReleaseItem(chain[0]);
      }
      if (bottom.Get() != nullptr) return std::string("the held link still reads as alive\n");
      // Dropping the last outside count frees the whole chain link by link.
      bottom.Clear();
      return Audit(c.ending == Ending::RootDeleted ? 1 : 0);
    }, kStack);
  }
}

TEST(VoIBranchDeep, WalksStopAtTheLimitAndLinksCloseNoRing) {
  FrxTest::ExpectCleanInChild([] {
    Ledger book;
    ledger = &book;
    LedgerMaster master;
    master.Initialize(nullptr);
    std::vector<Node*> chain = MakeChain(new Node(nullptr, 0));
    const int limit = VoIBranch::MaxDepth;
    master.CountUpdate();
    chain[0]->ExecUpdate();
    if (!chain[limit]->IsReupdate() || chain[limit + 1]->IsReupdate())
      return std::string("the update walk did not stop at the limit\n");
    {
      FrxTest::LogCapture log;
      chain[0]->PrintTree(0);
      if (log.Count("\n") != limit + 1) return "printed " + std::to_string(log.Count("\n")) + " lines\n";
    }
    struct {
      Node* item;
      Node* under;
      bool head;
    } rings[] = {{chain[0], chain[kChain - 1], false},
                 {chain[0], chain[kChain - 1], true},
                 {chain[7], chain[7], false},
                 {chain[300], chain[limit + 5000], true}};
    for (const auto& r : rings) {
      VoIBranch* before = r.item->GetParent();
      FrxTest::LogCapture log;
      r.head ? r.item->LinkHead(r.under) : r.item->Link(r.under);
      if (r.item->GetParent() != before || !log.Contains("リンクできません"))
        return "linking " + std::to_string(r.item->index) + " under " + std::to_string(r.under->index) +
               " was not refused\n";
    }
    // A link across the chain that closes no ring is made.
    chain[kChain - 1]->Link(chain[1]);
    if (chain[kChain - 1]->GetParent() != chain[1]) return std::string("a sound link was refused\n");
    master.ReleaseItem(chain[0]);
    for (int i = 0; i < kChain; ++i)
      if (!book.deleted[i]) return "link " + std::to_string(i) + " survived\n";
    return std::string();
  }, kStack);
}

}  // namespace
