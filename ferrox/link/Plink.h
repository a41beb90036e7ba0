// Frx::Plink: a node of an intrusive circular doubly linked list. Every engine
// item is linked into its parent's ring of children through one. A ring has no
// separate head object: the node a caller treats as the head is a member too.
#pragma once

namespace Frx {

class Plink {
 public:
  // The node is alone (points to itself).
  Plink();
  // Links the new node just before `list` (the end of its ring); null: alone.
  explicit Plink(Plink* list);
  // A copy starts alone: sharing the source's neighbours would break their ring.
  Plink(const Plink& other);
  // Keeps this node's own place; links are never copied.
  Plink& operator=(const Plink& other);
  // Unlinks the node; its neighbours are joined.
  virtual ~Plink();

  // Moves this node just after `head` (first place); null: alone.
  void LinkHead(Plink* head);
  // Moves this node just before `head` (last place); null: alone.
  void LinkTail(Plink* head);
  // Unlinks this node and leaves it alone.
  void Page();
  // The number of other nodes in the ring.
  unsigned long Size() const;

  // The neighbouring nodes; this node is not changed.
  Plink& operator++() { return *next; }
  Plink& operator--() { return *prev; }

  Plink* next;
  Plink* prev;
};

}  // namespace Frx
