// VoIBranch: an item that holds children in a ring, plus a list of further
// items released together with it.
#pragma once

#include <list>

#include "ferrox/link/Plink.h"
#include "ferrox/link/Plist.h"
#include "vocore/item/VoIItem.h"

class VoIBranch : public VoIItem {
 public:
  using ItemList = std::list<VoRefer<VoIItem>>;
  enum : unsigned long { CLASS_ID = 2 };
  // Update flag set on a parent whose children changed.
  enum : unsigned short { UPDATE_CHILD = 2 };

  explicit VoIBranch(VoIBranch* parent = nullptr);
  // Children still in the ring are detached and released; those referenced
  // elsewhere outlive the branch.
  ~VoIBranch() override;

  unsigned long GetClassID() override { return CLASS_ID; }
  VoIBranch* IsBranch() override { return this; }
  int Update(unsigned long counter) override;
  // The reference list, then the children depth first, then the branch; any
  // depth of subtree is released with bounded use of the stack.
  void Release() override;

  // First / next child of the ring; null past the last.
  VoIItem* GetFirstChild();
  VoIItem* GetNextChild(VoIItem* child);
  int GetChildCount();

  VoIItem* GetItem(const char* name);
  VoIItem* GetItemArray(int n, unsigned long classId);
  int Sort();
  // Append every child (recursively) whose class id equals classId (0: all);
  // the nodes do not count their items. MakeList_Group does not descend into
  // polygons, MakeList_All descends into every branch.
  void MakeList_Group(Frx::Plist<VoIItem>* list, unsigned long classId);
  void MakeList_All(Frx::Plist<VoIItem>* list, unsigned long classId);
  void GetChildList(ItemList& list, unsigned long classId);
  void GetGroupList(ItemList& list, unsigned long classId);
  void GetAllList(ItemList& list, unsigned long classId);
  VoIItem* SearchGroupItem(const char* name, unsigned long classId);
  VoIItem* SearchAllItem(const char* name, unsigned long classId);
  VoIItem* Search(unsigned long classId, const char* name);
  int Search(VoIItem* item);

  // Items released together with the branch.
  ItemList references;
  // Anchor of the ring of children; itself a member of the ring.
  Frx::Plink children;

  // Deepest nesting the recursive walks follow; deeper branches are skipped.
  static constexpr int MaxDepth = 256;

 private:
  // mode 0: direct children; 1: through branches that are no characters; 2: all.
  void CollectList(ItemList& list, unsigned long classId, int mode, int depth);
  void CollectPlist(Frx::Plist<VoIItem>* list, unsigned long classId, bool intoPolygons, int depth);
  // Releases subtrees without recursing on their depth (VoIBranchRelease.cpp).
  struct ReleaseWalk;
  bool releasing_ = false;
};

// The item whose ring node is `link` (the ring holds VoIItem's Plink base).
inline VoIItem* VoItemOfLink(Frx::Plink* link) { return static_cast<VoIItem*>(link); }
