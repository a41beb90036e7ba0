// Frx::Plist<T>: a list of T pointers whose nodes are Frx::Plink nodes in the
// ring of an anchor. Nodes do not own or count their items; the list owns its
// nodes and deletes them when cleared or destroyed.
#pragma once

#include "ferrox/link/Plink.h"

namespace Frx {

template <class T>
class Plist {
 public:
  struct Node : Plink {
    Node(Plink* anchor, T* value) : Plink(anchor), item(value) {}
    T* item;
  };

  class Iterator {
   public:
    explicit Iterator(Plink* at) : at_(at) {}
    T* operator*() const { return static_cast<Node*>(at_)->item; }
    Iterator& operator++() {
      at_ = at_->next;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return at_ != other.at_; }

   private:
    Plink* at_;
  };

  Plist() = default;
  Plist(const Plist&) = delete;
  Plist& operator=(const Plist&) = delete;
  ~Plist() { Clear(); }

  // Appends a node for `item` at the end.
  void Append(T* item) { new Node(&anchor, item); }
  void Clear() {
    while (anchor.next != &anchor) delete static_cast<Node*>(anchor.next);
  }
  unsigned long Size() const { return anchor.Size(); }
  bool IsEmpty() const { return anchor.next == &anchor; }
  // The first item; null when empty.
  T* GetFirst() const { return IsEmpty() ? nullptr : static_cast<Node*>(anchor.next)->item; }

  Iterator begin() { return Iterator(anchor.next); }
  Iterator end() { return Iterator(&anchor); }

  Plink anchor;
};

}  // namespace Frx
