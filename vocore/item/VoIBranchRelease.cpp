// Releasing a branch: its reference list, then its children in ring order,
// each with its own subtree, then the branch itself. The first few levels
// release their children from inside their own release, as any caller would;
// below them one walk keeps the pending branches on a stack of its own, so a
// chain of any depth is released with bounded use of the call stack, in the
// same order.
#include <vector>

#include "vocore/item/VoIBranch.h"
#include "vocore/item/VoItemServices.h"

namespace {
void ReleaseThroughMaster(VoIItem* item) {
  if (VoItemServices* master = VoItemServices::This())
    master->ReleaseItem(item);
  else
    item->Release();
}

// Releases nested this deep run their own walks; deeper ones join the
// innermost walk.
constexpr int InlineLevels = 16;
}  // namespace

struct VoIBranch::ReleaseWalk {
  struct Pending {
    explicit Pending(VoIBranch* b) : branch(b) {}
    VoIBranch* branch;
    ItemList references;
    bool referencesTaken = false;
    // The child whose subtree is being released; counted by the walk.
    VoIItem* child = nullptr;
  };

  std::vector<Pending> stack;
  // The item this walk is releasing right now: when it is a branch, its own
  // release hands itself to the walk instead of recursing.
  VoIItem* expected = nullptr;

  static ReleaseWalk* innermost;
  static int running;

  // Releases `item` through the master; true when it left a branch on the stack.
  bool ReleaseOne(VoIItem* item) {
    const size_t before = stack.size();
    expected = item;
    ReleaseThroughMaster(item);
    expected = nullptr;
    return stack.size() > before;
  }

  static void FinishChild(VoIBranch* branch, VoIItem* child) {
    // A child whose release left it linked would stop the walk from advancing.
    if (branch->children.next == static_cast<Frx::Plink*>(child)) child->Page();
    child->SubRef();
  }

  // One step of the branch on top of the stack.
  void Step() {
    const size_t at = stack.size() - 1;
    VoIBranch* branch = stack[at].branch;
    if (VoIItem* child = stack[at].child) {
      stack[at].child = nullptr;
      FinishChild(branch, child);
      return;
    }
    if (!stack[at].referencesTaken) {
      stack[at].referencesTaken = true;
      stack[at].references = branch->references;
    }
    if (!stack[at].references.empty()) {
      VoRefer<VoIItem> ref = stack[at].references.front();
      stack[at].references.pop_front();
      if (VoIItem* item = ref.Get()) ReleaseOne(item);
      return;
    }
    // Always the first child: a released child has left the ring, so the
    // walk never steps from a node that may have been freed.
    if (branch->children.next != &branch->children) {
      VoIItem* child = VoItemOfLink(branch->children.next);
      child->AddRef();
      if (ReleaseOne(child))
        stack[at].child = child;
      else
        FinishChild(branch, child);
      return;
    }
    stack.pop_back();
    branch->VoIItem::Release();
    branch->releasing_ = false;
    branch->SubRef();
  }

  static void Run(VoIBranch* branch) {
    ReleaseWalk walk;
    ReleaseWalk* outer = innermost;
    innermost = &walk;
    ++running;
    walk.stack.emplace_back(branch);
    while (!walk.stack.empty()) walk.Step();
    --running;
    innermost = outer;
  }
};

VoIBranch::ReleaseWalk* VoIBranch::ReleaseWalk::innermost = nullptr;
int VoIBranch::ReleaseWalk::running = 0;

void VoIBranch::Release() {
  if (IsRelease() || releasing_) return;
  releasing_ = true;
  AddRef();  // dropped when the branch itself has been released
  ReleaseWalk* walk = ReleaseWalk::innermost;
  if (walk && walk->expected == this && ReleaseWalk::running >= InlineLevels) {
    walk->expected = nullptr;
    walk->stack.emplace_back(this);
    return;
  }
  ReleaseWalk::Run(this);
}
