#include "ferrox/link/PrefTarget.h"

#include <gtest/gtest.h>

#include <string>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/testing/LogCapture.h"

namespace {

using FrxTest::LogCapture;

// A target that counts how often it was asked to dispose of itself, without
// deleting itself, so the test can look at it afterwards.
class Counted : public Frx::PrefTarget {
 public:
  void DeleteThis() override { ++deletes; }
  int deletes = 0;
};

// A heap target that deletes itself, as engine items do.
class SelfDeleting : public Frx::PrefTarget {
 public:
  explicit SelfDeleting(int* deleted) : deleted_(deleted) {}
  void DeleteThis() override {
    ++*deleted_;
    delete this;
  }

 private:
  int* deleted_;
};

TEST(PrefTarget, CountsAndDeleteThis) {
  {
    Counted t;
    EXPECT_EQ(t.GetRefCount(), 0u);
    EXPECT_FALSE(t.IsRelease());
    t.AddRef();
    t.SubRef();
    EXPECT_EQ(t.deletes, 1);
    EXPECT_EQ(t.GetRefCount(), 0u);
  }
  {
    Counted t;
    t.AddRef();
    t.AddRef();
    t.SubRef();
    EXPECT_EQ(t.deletes, 0);
    EXPECT_EQ(t.GetRefCount(), 1u);
    t.AddRef();
    t.DeleteCheck();  // count 2: nothing
    EXPECT_EQ(t.deletes, 0);
    t.SubRef();
    t.SubRef();
    EXPECT_EQ(t.deletes, 1);
    t.DeleteCheck();  // count 0 now
    EXPECT_EQ(t.deletes, 2);
  }
  {
    int deleted = 0;
    SelfDeleting* t = new SelfDeleting(&deleted);
    t->AddRef();
    t->SubRef();
    EXPECT_EQ(deleted, 1);
  }
}

TEST(PrefTarget, SubRefAtZeroStaysZero) {
  LogCapture log(true);
  Counted t;
  t.SubRef();
  EXPECT_EQ(t.GetRefCount(), 0u);
  EXPECT_EQ(t.deletes, 0);
  // The count did not wrap: one reference still leads to exactly one delete.
  t.AddRef();
  EXPECT_EQ(t.GetRefCount(), 1u);
  t.SubRef();
  EXPECT_EQ(t.deletes, 1);
  EXPECT_NE(log.Text().find("SubRef"), std::string::npos);
}

TEST(PrefTarget, ReleaseFlagAndReferName) {
  Counted t;
  t.AddRef();
  t.Release();
  EXPECT_TRUE(t.IsRelease());
  EXPECT_EQ(t.GetRefCount(), 1u);  // independent of the count
  t.SetReferName("name");
  EXPECT_EQ(t.GetReferName(), nullptr);
  t.SubRef();
}

TEST(PrefTarget, CopiesAreNewTargets) {
  LogCapture log(true);
  const int before = Frx::theFerrox.targetCount;
  {
    Counted source;
    source.AddRef();
    source.AddRef();
    source.Release();
    {
      Counted copy(source);
      EXPECT_EQ(copy.GetRefCount(), 0u);
      EXPECT_FALSE(copy.IsRelease());
      EXPECT_EQ(Frx::theFerrox.targetCount, before + 2);
      copy.AddRef();
      copy.SubRef();
      EXPECT_EQ(copy.deletes, 1);
      EXPECT_EQ(source.deletes, 0);

      Counted assigned;
      assigned.AddRef();
      assigned = source;
      EXPECT_EQ(assigned.GetRefCount(), 1u);
      EXPECT_FALSE(assigned.IsRelease());
      assigned.SubRef();
    }
    EXPECT_EQ(Frx::theFerrox.targetCount, before + 1);
    source.SubRef();
    source.SubRef();
  }
  EXPECT_EQ(Frx::theFerrox.targetCount, before);
  // No copy was deleted while "referenced".
  EXPECT_EQ(log.Text().find("refcnt"), std::string::npos);
}

TEST(PrefTarget, DebugModeCountsLiveTargetsAndReportsReferencedDeletes) {
  LogCapture log(true);
  const int before = Frx::theFerrox.targetCount;
  Counted* a = new Counted;
  Counted* b = new Counted;
  EXPECT_EQ(Frx::theFerrox.targetCount, before + 2);
  delete a;
  EXPECT_EQ(Frx::theFerrox.targetCount, before + 1);
  EXPECT_EQ(log.Text().find("refcnt"), std::string::npos);

  b->AddRef();
  b->AddRef();
  b->AddRef();
  delete b;
  EXPECT_EQ(Frx::theFerrox.targetCount, before);
  EXPECT_NE(log.Bytes().find("PrefTarget:参照されているにもかかわらず delete されました。(null) refcnt = 3\r\n"),
            std::string::npos);

  // Outside debug mode nothing is counted or logged.
  Frx::theFerrox.debug = false;
  Counted* quiet = new Counted;
  quiet->AddRef();
  EXPECT_EQ(Frx::theFerrox.targetCount, before);
  const std::string::size_type size = log.Text().size();
  delete quiet;
  EXPECT_EQ(log.Text().size(), size);
}

TEST(PrefTarget, LiveCountStaysBalancedWhenDebugFlagChanges) {
  LogCapture log(false);
  const int before = Frx::theFerrox.targetCount;
  {
    Counted early;  // made with debug off: never counted
    Frx::theFerrox.debug = true;
    Counted late;
    EXPECT_EQ(Frx::theFerrox.targetCount, before + 1);
  }
  EXPECT_EQ(Frx::theFerrox.targetCount, before);
  {
    Counted counted;
    Frx::theFerrox.debug = false;
  }
  EXPECT_EQ(Frx::theFerrox.targetCount, before);
}

}  // namespace
