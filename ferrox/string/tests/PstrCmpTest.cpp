#include "ferrox/string/PstrCmp.h"

#include <gtest/gtest.h>

namespace {

using Frx::PstrCmp;
using Frx::PstrCmp2;

TEST(PstrCmp, ExactComparison) {
  EXPECT_EQ(PstrCmp("model", "model"), 1);
  EXPECT_EQ(PstrCmp("", ""), 1);
  EXPECT_EQ(PstrCmp("model", "Model"), 0);
  EXPECT_EQ(PstrCmp("ab", "abc"), 0);
  EXPECT_EQ(PstrCmp("abc", "ab"), 0);
  EXPECT_EQ(PstrCmp("表示", "表示"), 1);
}

TEST(PstrCmp2, AsciiLettersFoldOnly) {
  EXPECT_EQ(PstrCmp2("Mqo", "MQO", 0), 1);
  EXPECT_EQ(PstrCmp2("ab", "abc", 0), 0);
  EXPECT_EQ(PstrCmp2("abc", "ab", 0), 0);
  EXPECT_EQ(PstrCmp2("", "", 0), 1);
  // Only a-z fold: "[" (0x5B) is not "{" (0x7B) and "@" is not "`".
  EXPECT_EQ(PstrCmp2("[", "{", 0), 0);
  EXPECT_EQ(PstrCmp2("@", "`", 0), 0);
  EXPECT_EQ(PstrCmp2("a1_z", "A1_Z", 0), 1);
}

TEST(PstrCmp2, StopsAtSharedEnd) {
  EXPECT_EQ(PstrCmp2("name=1", "NAME=2", '='), 1);
  EXPECT_EQ(PstrCmp2("name=1", "NAMES=2", '='), 0);
  // Texts that end together without the end character are equal.
  EXPECT_EQ(PstrCmp2("name", "NAME", '='), 1);
  EXPECT_EQ(PstrCmp2("name", "NAME=", '='), 0);
}

TEST(PstrCmp2, DoubleByteTrailsAreNotFolded) {
  // "ア" is 0x83 0x41 and "ハ" is 0x83 0x6E: the trail bytes are the letters
  // "A" and "n". Folding them would make distinct characters equal.
  EXPECT_EQ(PstrCmp2("\x83\x61", "\x83\x41", 0), 0);  // 0x8361 "a" trail vs 0x8341
  EXPECT_EQ(PstrCmp2("\x83\x41", "\x83\x41", 0), 1);
  EXPECT_EQ(PstrCmp2("ボーンa", "ボーンA", 0), 1);
  // A trail byte equal to the end character does not end the comparison:
  // "表" is 0x95 0x5C, "\" being the end.
  EXPECT_EQ(PstrCmp2("表x\\", "表y\\", '\\'), 0);
  EXPECT_EQ(PstrCmp2("表x\\1", "表x\\2", '\\'), 1);
}

TEST(PstrCmp2, LeadByteAtTheEnd) {
  // A lead byte right before the terminator must not walk past it.
  EXPECT_EQ(PstrCmp2("a\x83", "A\x83", 0), 1);
  EXPECT_EQ(PstrCmp2("a\x83", "A\x83x", 0), 0);
  EXPECT_EQ(PstrCmp2("a\x83", "A\x83", '='), 1);
}

// Equal keys exactly where the comparison says equal.
TEST(PstrCmp2, KeysAgreeWithTheComparison) {
  const char* texts[] = {"Mqo", "MQO", "mqo", "ab", "abc", "", "[", "{", "\x83\x61", "\x83\x41", "ボーンa",
                         "ボーンA", "a\x83", "A\x83", "A\x83x", "表x", "表X"};
  for (const char* a : texts)
    for (const char* b : texts)
      EXPECT_EQ(Frx::PstrCmp2Key(a) == Frx::PstrCmp2Key(b), PstrCmp2(a, b, 0) == 1) << a << " / " << b;
}

}  // namespace
