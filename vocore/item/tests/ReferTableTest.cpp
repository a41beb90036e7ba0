// Counted references and owned tables.
#include <gtest/gtest.h>

#include <string>

#include "ferrox/link/PrefTarget.h"
#include "vocore/item/Ptable.h"
#include "vocore/item/VoRefer.h"

namespace {

class Target : public Frx::PrefTarget {
 public:
  explicit Target(int* deletes) : deletes_(deletes) {}
  void DeleteThis() override {
    ++*deletes_;
    delete this;
  }
  VoRefer<Target> keep;  // a target may hold the only count of another

 private:
  int* deletes_;
};

TEST(VoRefer, CountsReleaseAndCopies) {
  int deletes = 0;
  Target* t = new Target(&deletes);
  VoRefer<Target> a(t);
  {
    EXPECT_EQ(t->GetRefCount(), 1u);
    a = t;  // its own target: unchanged
    EXPECT_EQ(t->GetRefCount(), 1u);
    VoRefer<Target> b(a);
    EXPECT_EQ(t->GetRefCount(), 2u);
  }
  EXPECT_EQ(t->GetRefCount(), 1u);
  t->Frx::PrefTarget::Release();
  EXPECT_EQ(a.Get(), nullptr);
  VoRefer<Target> copy(a);
  EXPECT_EQ(copy.GetRaw(), nullptr);
  EXPECT_EQ(deletes, 0);
  a.Clear();
  EXPECT_EQ(deletes, 1);
}

TEST(VoRefer, TakesTheNewTargetBeforeDroppingTheOld) {
  int deletes = 0;
  Target* outer = new Target(&deletes);
  Target* inner = new Target(&deletes);
  outer->keep = inner;  // only outer keeps inner alive
  VoRefer<Target> ref(outer);
  ref = inner;  // dropping outer first would free inner before it is taken
  EXPECT_EQ(deletes, 1);
  ASSERT_EQ(ref.Get(), inner);
  EXPECT_EQ(inner->GetRefCount(), 1u);
  ref.Clear();
  EXPECT_EQ(deletes, 2);
}

TEST(Ptable, ResizeCopyAndRealElements) {
  {
    Ptable<int> t;
    t.resize(5);
    for (int i = 0; i < 5; ++i) t[i] = i + 1;
    EXPECT_EQ(t.resize(0), nullptr);
    EXPECT_EQ(t.count, 5);
    EXPECT_EQ(t[4], 5);
    t.resize(3);
    EXPECT_EQ(t.count, 3);
    EXPECT_EQ(t[2], 3);
    t.resize(8);
    EXPECT_EQ(t.count, 8);
    EXPECT_EQ(t[0], 1);
    EXPECT_EQ(t[2], 3);
    EXPECT_EQ(t[7], 0);
  }
  {
    Ptable<int> empty;
    Ptable<int> copy(empty);
    EXPECT_EQ(copy.array, nullptr);
    EXPECT_EQ(copy.count, 0);
  }
  {
    // Strings are copied deeply and destroyed with the table.
    Ptable<std::string> a;
    a.resize(2);
    a[0] = std::string(100, 'x');
    a[1] = "short";
    Ptable<std::string> b(a);
    EXPECT_NE(b.array, a.array);
    b[0][0] = 'y';
    EXPECT_EQ(a[0][0], 'x');
    Ptable<std::string> c;
    c = b;
    c = c;
    EXPECT_EQ(c[1], "short");
    b.resize(4);
    EXPECT_EQ(b[0][0], 'y');
    EXPECT_EQ(b[3], "");
  }
}

}  // namespace
