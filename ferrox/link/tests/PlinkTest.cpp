#include "ferrox/link/Plink.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Frx::Plink;

// The ring read by following next from `start`, start included.
std::vector<const Plink*> Ring(const Plink& start) {
  std::vector<const Plink*> nodes{&start};
  for (const Plink* node = start.next; node != &start && nodes.size() < 64; node = node->next)
    nodes.push_back(node);
  return nodes;
}

// Every node's prev must mirror the next chain, or walks in one direction lie.
void ExpectConsistent(const Plink& start) {
  for (const Plink* node : Ring(start)) {
    EXPECT_EQ(node->next->prev, node);
    EXPECT_EQ(node->prev->next, node);
  }
}

TEST(Plink, ConstructionBuildsRingInOrder) {
  {
    Plink alone(nullptr);
    EXPECT_EQ(alone.Size(), 0u);
    EXPECT_EQ(alone.next, &alone);
    EXPECT_EQ(alone.prev, &alone);
  }
  {
    Plink a;
    Plink b(&a);
    Plink c(&a);
    EXPECT_EQ(a.Size(), 2u);
    EXPECT_EQ(b.Size(), 2u);
    EXPECT_EQ(c.Size(), 2u);
    EXPECT_EQ(Ring(a), (std::vector<const Plink*>{&a, &b, &c}));
    EXPECT_EQ(&++a, &b);
    EXPECT_EQ(&--a, &c);
    EXPECT_EQ(a.next, &b);  // ++ moves nothing
    ExpectConsistent(a);
  }
}

TEST(Plink, HeadAndTailInsertion) {
  Plink n1, n2, n3, n4;
  n2.LinkTail(&n1);
  n3.LinkTail(&n1);
  EXPECT_EQ(Ring(n1), (std::vector<const Plink*>{&n1, &n2, &n3}));
  n4.LinkHead(&n1);
  EXPECT_EQ(Ring(n1), (std::vector<const Plink*>{&n1, &n4, &n2, &n3}));
  ExpectConsistent(n1);

  // Null makes the node alone and takes it out of its ring.
  n4.LinkHead(nullptr);
  EXPECT_EQ(n4.Size(), 0u);
  EXPECT_EQ(Ring(n1), (std::vector<const Plink*>{&n1, &n2, &n3}));
  n3.LinkTail(nullptr);
  EXPECT_EQ(n3.Size(), 0u);
  EXPECT_EQ(Ring(n1), (std::vector<const Plink*>{&n1, &n2}));
  ExpectConsistent(n1);
}

TEST(Plink, RelinkingMovesNodeBetweenRings) {
  Plink a, b, c;
  b.LinkTail(&a);
  c.LinkTail(&a);
  // Moving a linked node within its ring must not leave it in twice.
  b.LinkTail(&a);
  EXPECT_EQ(Ring(a), (std::vector<const Plink*>{&a, &c, &b}));
  c.LinkHead(&b);
  EXPECT_EQ(Ring(a), (std::vector<const Plink*>{&a, &b, &c}));
  ExpectConsistent(a);

  // Moving to another ring leaves the old one closed.
  Plink x;
  b.LinkHead(&x);
  EXPECT_EQ(Ring(a), (std::vector<const Plink*>{&a, &c}));
  EXPECT_EQ(Ring(x), (std::vector<const Plink*>{&x, &b}));
  ExpectConsistent(a);
  ExpectConsistent(x);

  // Linking to itself leaves it alone rather than corrupt.
  b.LinkTail(&b);
  EXPECT_EQ(b.Size(), 0u);
  EXPECT_EQ(x.Size(), 0u);
}

TEST(Plink, PageAndDestructionUnlink) {
  Plink a;
  a.Page();
  EXPECT_EQ(a.Size(), 0u);
  EXPECT_EQ(a.next, &a);
  Plink c;
  {
    Plink b(&a);
    c.LinkTail(&a);
    EXPECT_EQ(a.Size(), 2u);
    b.Page();
    EXPECT_EQ(b.Size(), 0u);
    EXPECT_EQ(Ring(a), (std::vector<const Plink*>{&a, &c}));
    b.LinkHead(&a);
  }
  EXPECT_EQ(Ring(a), (std::vector<const Plink*>{&a, &c}));
  ExpectConsistent(a);
  {
    Plink* heap = new Plink(&a);
    EXPECT_EQ(a.Size(), 2u);
    delete static_cast<Plink*>(heap);
  }
  EXPECT_EQ(a.Size(), 1u);
}

TEST(Plink, CopiesStartAloneAndLeaveSourceRingIntact) {
  Plink a;
  Plink b(&a);
  {
    Plink copy(b);
    EXPECT_EQ(copy.Size(), 0u);
    EXPECT_EQ(copy.next, &copy);
    EXPECT_EQ(a.Size(), 1u);
  }
  // The copy's destruction must not have unlinked anything of a's ring.
  EXPECT_EQ(Ring(a), (std::vector<const Plink*>{&a, &b}));
  {
    Plink other, partner(&other);
    other = a;  // assignment keeps the target where it was
    EXPECT_EQ(Ring(other), (std::vector<const Plink*>{&other, &partner}));
    EXPECT_EQ(Ring(a), (std::vector<const Plink*>{&a, &b}));
  }
  ExpectConsistent(a);
}

}  // namespace
