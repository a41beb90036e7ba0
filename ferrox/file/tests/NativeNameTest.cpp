#include "ferrox/string/NativeName.h"

#include <gtest/gtest.h>

#include "ferrox/file/NameFold.h"

namespace {

using namespace Frx::NativeName;

// UTF-8 bytes of names used below (literals in this file are Shift-JIS).
const char* const kHyouUtf8 = "\xE8\xA1\xA8";  // 表, Shift-JIS 0x95 0x5C
const char* const kSoUtf8 = "\xE3\x82\xBD";    // ソ, Shift-JIS 0x83 0x5C

TEST(NativeName, ConvertsBeforeMappingSeparators) {
  EXPECT_EQ(std::string("表"), "\x95\x5C");
  EXPECT_EQ(Cp932ToUtf8("表"), kHyouUtf8);
  EXPECT_EQ(ToNative("dir\\表\\ソ.txt"), std::string("dir/") + kHyouUtf8 + "/" + kSoUtf8 + ".txt");
  EXPECT_EQ(ToNative("a\\b/c"), "a/b/c");
  EXPECT_EQ(ToNative(""), "");
  EXPECT_EQ(ToNative(nullptr), "");
  EXPECT_EQ(FromNative((std::string(kHyouUtf8) + kSoUtf8).c_str()), "表ソ");
}

TEST(NativeName, UnconvertibleInput) {
  // A character without a Shift-JIS form is one "?", not one per byte.
  EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80" "b"), "a?b");
  EXPECT_EQ(Utf8ToCp932("a\xFF" "b"), "a?b");
  // A stray byte stays; a lead byte at the end is kept.
  EXPECT_EQ(Cp932ToUtf8("a\x80" "b"), "a\x80" "b");
  EXPECT_EQ(Cp932ToUtf8("a\x83"), "a\x83");
  // An unknown double-byte code with trail 0x5C never becomes a separator.
  const std::string native = ToNative("dir\\\x85\x5C" "x");
  EXPECT_EQ(native.find('/', 4), std::string::npos) << native;
  EXPECT_EQ(native.substr(0, 4), "dir/");
}

TEST(NameFold, NamesCompareWithoutCase) {
  EXPECT_TRUE(Frx::NameFold::Same("Skin.BMP", "skin.bmp"));
  EXPECT_FALSE(Frx::NameFold::Same("skin.bmp", "skin.bm"));
  // Full-width Ａ and ａ, Greek Α and α, Cyrillic Я and я (UTF-8 bytes).
  EXPECT_TRUE(Frx::NameFold::Same("\xEF\xBC\xA1", "\xEF\xBD\x81"));
  EXPECT_TRUE(Frx::NameFold::Same("\xCE\x91", "\xCE\xB1"));
  EXPECT_TRUE(Frx::NameFold::Same("\xD0\xAF", "\xD1\x8F"));
  // Kana have no case; bad UTF-8 compares byte for byte.
  EXPECT_FALSE(Frx::NameFold::Same(kHyouUtf8, kSoUtf8));
  EXPECT_TRUE(Frx::NameFold::Same("\xFFx", "\xFFX"));
  EXPECT_FALSE(Frx::NameFold::Same("\xFE", "\xFF"));
  EXPECT_FALSE(Frx::NameFold::Same("\xE3\x82", "\xE3\x83"));
}

TEST(NameFold, WildcardsAsInFolderSearches) {
  struct Case {
    const char* pattern;
    const char* name;
    bool match;
  };
  const std::string kana = std::string(kSoUtf8) + ".txt";
  const Case cases[] = {
      {"*", "anything", true},      {"*.*", "noext", true},       {"*.mqo", "a.MQO", true},
      {"*.mqo", "a.mqo.bak", false}, {"?.txt", "a.txt", true},     {"?.txt", "ab.txt", false},
      {"?.txt", kana.c_str(), true}, {"a*b*c", "aXbYc", true},     {"a*b*c", "aXbY", false},
      {"*.", "noext", true},        {"*.", "a.txt", false},       {"noext.*", "noext", true},
      {"noext.*", "noext.x", true}, {"name", "NAME", true},       {"", "name", false},
      {"*a", "banana", true},       {"**?", "", false},           {"a?", "a", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Frx::NameFold::Match(c.pattern, c.name), c.match) << c.pattern << " / " << c.name;
}

}  // namespace
