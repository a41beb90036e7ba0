// Mqo::Forest: trees grown one edge at a time, each edge hanging a tree's
// root under a node of another tree. Answers which root a node's tree has in
// near-constant time (union by size, path halving), so a loop check does not
// walk a chain that may be thousands of nodes long.
#pragma once

#include <cstddef>
#include <numeric>
#include <vector>

namespace Mqo {

class Forest {
 public:
  explicit Forest(size_t nodes) : set_(nodes), size_(nodes, 1), root_(nodes) {
    std::iota(set_.begin(), set_.end(), 0);
    std::iota(root_.begin(), root_.end(), 0);
  }

  // The root of the tree that holds node.
  int RootOf(int node) { return root_[size_t(Set(node))]; }

  // Whether hanging root `child` under `parent` would close a loop: the
  // parent lies in child's own tree.
  bool WouldLoop(int child, int parent) { return RootOf(parent) == RootOf(child); }

  // Hangs the tree of root `child` under `parent`; the joined tree keeps
  // parent's root.
  void Hang(int child, int parent) {
    int a = Set(child), b = Set(parent);
    if (a == b) return;
    const int root = root_[size_t(b)];
    if (size_[size_t(a)] > size_[size_t(b)]) std::swap(a, b);
    set_[size_t(a)] = b;
    size_[size_t(b)] += size_[size_t(a)];
    root_[size_t(b)] = root;
  }

 private:
  int Set(int node) {
    while (set_[size_t(node)] != node) {
      set_[size_t(node)] = set_[size_t(set_[size_t(node)])];
      node = set_[size_t(node)];
    }
    return node;
  }

  std::vector<int> set_;   // union-find parent
  std::vector<int> size_;  // nodes in a set, at its representative
  std::vector<int> root_;  // tree root, at a set's representative
};

}  // namespace Mqo
