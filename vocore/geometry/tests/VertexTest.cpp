// Vertex arrays: sizing, copies, fix types, centre and bounds.
#include <gtest/gtest.h>

#include "MeshBuild.h"
#include "ferrox/testing/Near.h"
#include "vocore/geometry/VoVertex.h"

using Frx::Pvector;
using FrxTest::Near;

TEST(VoVertex, ResizeKeepsLeadingEntries) {
  VoVertex v;
  v.Alloc(3);
  ASSERT_EQ(v.GetNum(), 3);
  ASSERT_EQ(v.GetNumFix(), 3);
  for (int i = 0; i < 3; ++i) {
    v.Set(i, Pvector(static_cast<float>(i), 1.0f, 2.0f));
    v.SetFix(i, VoVertex::FIX_RIGID);
  }
  {
    v.Resize(5);
    EXPECT_EQ(v.GetNum(), 5);
    EXPECT_TRUE(Near(v.Get(2), Pvector(2, 1, 2)));
    EXPECT_EQ(v.GetFix(2), VoVertex::FIX_RIGID);
    EXPECT_EQ(v.GetFix(4), VoVertex::FIX_MOVED);  // grown entries are defined
  }
  {
    v.Alloc(2);
    EXPECT_EQ(v.GetNum(), 2);
    EXPECT_EQ(v.GetNumFix(), 2);
    EXPECT_TRUE(Near(v.Get(1), Pvector(1, 1, 2)));
  }
  {
    // A count of 0 changes neither array.
    v.Alloc(0);
    EXPECT_EQ(v.GetNum(), 2);
    EXPECT_EQ(v.GetNumFix(), 2);
  }
  {
    v.Flush();
    v.FlushLock(VoVertex::FIX_SHARED);
    EXPECT_TRUE(Near(v.Get(0), Pvector(0, 0, 0)));
    EXPECT_EQ(v.GetFix(1), VoVertex::FIX_SHARED);
  }
  {
    v.Free();
    EXPECT_EQ(v.GetNum(), 0);
    EXPECT_EQ(v.Get(), nullptr);
    EXPECT_EQ(v.GetFix(), nullptr);
    // Fix reads and writes past the array are bounded.
    v.SetFix(7, VoVertex::FIX_RIGID);
    EXPECT_EQ(v.GetFix(7), VoVertex::FIX_MOVED);
    EXPECT_EQ(v.GetFix(-1), VoVertex::FIX_MOVED);
  }
}

TEST(VoVertex, CopiesAreIndependent) {
  VoVertex source;
  source.Alloc(2);
  source.Set(0, Pvector(1, 2, 3));
  source.Set(1, Pvector(4, 5, 6));
  source.SetFix(1, VoVertex::FIX_RIGID);

  VoVertex copy(&source);
  ASSERT_EQ(copy.GetNum(), 2);
  EXPECT_TRUE(Near(copy.Get(1), Pvector(4, 5, 6)));
  EXPECT_EQ(copy.GetFix(1), VoVertex::FIX_RIGID);
  copy.Set(1, Pvector(0, 0, 0));
  EXPECT_TRUE(Near(source.Get(1), Pvector(4, 5, 6)));

  VoVertex other;
  other.Alloc(7);
  other.Copy(source);
  EXPECT_EQ(other.GetNum(), 2);
  EXPECT_EQ(other.GetNumFix(), 2);
  other.Copy(other);  // self copy keeps the data
  EXPECT_TRUE(Near(other.Get(0), Pvector(1, 2, 3)));
}

TEST(VoVertex, CenterAndBoundsSkipDeletedPositions) {
  VoVertex v;
  {
    // Nothing live: both are defined as the origin.
    Pvector lo(9, 9, 9), hi(9, 9, 9);
    v.GetBoundBox(lo, hi);
    EXPECT_TRUE(Near(v.GetCenter(), Pvector(0, 0, 0)));
    EXPECT_TRUE(Near(lo, Pvector(0, 0, 0)));
    EXPECT_TRUE(Near(hi, Pvector(0, 0, 0)));
    v.Alloc(1);
    v.Set(0, VoVertex::Deleted());
    EXPECT_TRUE(Near(v.GetCenter(), Pvector(0, 0, 0)));
  }
  {
    v.Alloc(4);
    v.Set(0, Pvector(2, -1, 0));
    v.Set(1, Pvector(5, 3, 1));
    v.Set(2, VoVertex::Deleted());
    v.Set(3, Pvector(3.5f, 1, -4));
    EXPECT_TRUE(Near(v.GetCenter(), Pvector(3.5f, 1, -1)));
    Pvector lo, hi;
    v.GetBoundBox(lo, hi);
    EXPECT_TRUE(Near(lo, Pvector(2, -1, -4)));
    EXPECT_TRUE(Near(hi, Pvector(5, 3, 1)));
  }
  {
    // Only a position with all three components at the limit is deleted.
    v.Set(2, Pvector(VoVertex::DELETED, 0, 0));
    EXPECT_FALSE(VoVertex::IsDeleted(v.Get(2)));
    EXPECT_TRUE(VoVertex::IsDeleted(VoVertex::Deleted()));
  }
}
