#include "ferrox/string/FormatText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FormatText, CutsAtWholeCharacters) {
  struct Row {
    const char* text;
    size_t size;
    const char* expected;
  } rows[] = {
      {"abc", 8, "abc"},
      {"abcdef", 4, "abc"},
      {"a\x82\xa0", 3, "a"},        // the trail byte would not fit: drop the lead too
      {"a\x82\xa0", 4, "a\x82\xa0"},
      {"\x82\xa0\x82\xa0", 4, "\x82\xa0"},
      {"%d", 8, "%d"},               // text passed as an argument stays as it is
  };
  for (const Row& row : rows) {
    char buffer[16];
    size_t n = Frx::FormatText(buffer, row.size, "%s", row.text);
    EXPECT_EQ(std::string(buffer), row.expected) << row.text << " in " << row.size;
    EXPECT_EQ(n, std::string(row.expected).size());
  }
}

TEST(FormatText, FormatsArgumentsAndRefusesNoRoom) {
  char buffer[32];
  EXPECT_EQ(Frx::FormatText(buffer, sizeof buffer, "%s=%d", "frame", 12), 8u);
  EXPECT_STREQ(buffer, "frame=12");
  EXPECT_EQ(Frx::FormatText(buffer, 0, "x"), 0u);
  EXPECT_EQ(Frx::FormatText(nullptr, 4, "x"), 0u);
}

TEST(FormatText, AppendsOutputOfAnyLength) {
  std::string out = "x";
  const std::string longName(2000, 'n');  // past any fixed buffer
  Frx::AppendFormat(out, "%s=%d;", "a", 1);
  Frx::AppendFormat(out, "\"%s\"", longName.c_str());
  EXPECT_EQ(out, "xa=1;\"" + longName + "\"");
}

}  // namespace
