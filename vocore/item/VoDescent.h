// The nesting limit of the item tree and the walks that keep to it.
//
// Depth: a root (an item without a parent, such as "world", "project" or a
// scratch branch) is at depth 0, and every other item one deeper than its
// parent, so an item's depth is the number of its ancestors. The tree keeps
// every item at most VoIBranch::MaxDepth deep: Link refuses a move that would
// put an item of the moved subtree deeper, and the importers refuse a file
// whose items would lie deeper below the branch they import into. Walks
// started at a root reach exactly that far.
//
// Vo::Descent: one level down a recursive walk of the item tree. Walks whose
// signature carries no depth (Update, Arrange, the world and local passes,
// drawing, binding motions to nested characters) count their levels here and
// leave out what lies deeper than VoIBranch::MaxDepth; saving counts its
// blocks in VoSave. The engine runs on one thread: one counter per kind of
// walk, so walks of different kinds nest without sharing a budget.
#pragma once

class VoIItem;

namespace Vo {

// The item's depth; past the limit it counts no further than MaxDepth + 1.
// 0 for a null item.
int Depth(const VoIItem* item);
// Whether the item and everything below it would lie within the limit with
// the item at depth `at`. Walks the subtree with an explicit stack and stops
// at the first item past the limit.
bool FitsAt(VoIItem* item, int at);

enum class Walk { Update, Arrange, ToWorld, ToLocal, Start, Draw, Bind, Count };

class Descent {
 public:
  explicit Descent(Walk walk);
  ~Descent();
  Descent(const Descent&) = delete;
  Descent& operator=(const Descent&) = delete;

  // False once the walk is deeper than MaxDepth: the caller goes no further.
  explicit operator bool() const { return within_; }

 private:
  int& depth_;
  bool within_;
};

}  // namespace Vo
