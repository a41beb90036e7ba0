#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "ferrox/string/Pstring.h"
#include "ferrox/text/Pscanf.h"
#include "ferrox/text/tests/HeapText.h"

namespace {

using namespace std::literals;

struct StringCase {
  const char* pattern;
  std::string_view text;
  int consumed;  // -1: no match
  const char* stored;
};

const StringCase kStringCases[] = {
    {" name = \"%s\"", "\tname = \"Bone01\"\n", 16, "Bone01"},
    {"%s}", "abc} rest", 4, "abc"},
    {"%s}", "abc}def", -1, "abc"},  // the end rule sees "d"
    {"%s", "abc def\tx", 7, "abc def"},
    {"%s", "abc\ndef", 3, "abc"},
    {"%s", "", 0, ""},
    {" %s {", "  Object {\n", 10, "Object"},
    {"\"%s\"", "\"\" ", 2, ""},
    // A double-byte character whose second byte equals the stop byte is copied whole.
    {"%s}", "\x81\x7D\x81\x7D} ", 5, "\x81\x7D\x81\x7D"},
    {"%s\\\\", "\x95\x5C\\ ", 3, "\x95\x5C"},
    // A lead byte before the end of the text or a line break stands alone.
    {"%s", "ab\x83", 3, "ab\x83"},
    {"%s", "ab\x83\ncd", 3, "ab\x83"},
    {"%sX", "abxab ", -1, "abxab "},  // the stop byte is exact, not folded
};

TEST(Pscanf, StringTable) {
  for (const StringCase& c : kStringCases) {
    SCOPED_TRACE(testing::Message() << "pattern '" << c.pattern << "' text '" << c.text << "'");
    auto text = textTest::Terminated(c.text);
    const char* cursor = text.get();
    char buffer[32];
    std::memset(buffer, 'Z', sizeof buffer);
    char* result = Frx::Pscanf(cursor, c.pattern, buffer, (int)sizeof buffer);
    EXPECT_STREQ(buffer, c.stored);
    if (c.consumed < 0) {
      EXPECT_EQ(result, nullptr);
      EXPECT_EQ(cursor, text.get());
    } else {
      EXPECT_EQ(cursor, text.get() + c.consumed);
    }
  }
}

TEST(Pscanf, StringIsBoundedByItsBuffer) {
  auto text = textTest::Terminated("\tname = \"abcdefgh\"\n");
  char buffer[8];
  {
    std::memset(buffer, 'Z', sizeof buffer);
    const char* cursor = text.get();
    ASSERT_NE(Frx::Pscanf(cursor, " name = \"%s\"", buffer, 4), nullptr);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(std::string(buffer + 4, 4), "ZZZZ");  // nothing beyond the given size
    EXPECT_EQ(*cursor, '\n');  // the whole string was passed over
  }
  {
    std::memset(buffer, 'Z', sizeof buffer);
    const char* cursor = text.get();
    ASSERT_NE(Frx::Pscanf(cursor, " name = \"%s\"", buffer, 1), nullptr);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], 'Z');
  }
  for (int size : {0, -1, -100}) {
    std::memset(buffer, 'Z', sizeof buffer);
    const char* cursor = text.get();
    ASSERT_NE(Frx::Pscanf(cursor, " name = \"%s\"", buffer, size), nullptr);
    EXPECT_EQ(std::string(buffer, sizeof buffer), "ZZZZZZZZ") << size;
    EXPECT_EQ(*cursor, '\n');
  }
  {
    const char* cursor = text.get();
    ASSERT_NE(Frx::Pscanf(cursor, " name = \"%s\"", static_cast<char*>(nullptr), 8), nullptr);
    EXPECT_EQ(*cursor, '\n');
  }
}

TEST(Pscanf, StringCutKeepsDoubleByteCharactersWhole) {
  // "a" and two double-byte characters.
  auto text = textTest::Terminated("a\x83\x41\x83\x42\n");
  char buffer[8];
  const struct {
    int size;
    const char* stored;
  } cuts[] = {{6, "a\x83\x41\x83\x42"}, {5, "a\x83\x41"}, {4, "a\x83\x41"}, {3, "a"}, {2, "a"}};
  for (const auto& cut : cuts) {
    std::memset(buffer, 'Z', sizeof buffer);
    const char* cursor = text.get();
    ASSERT_NE(Frx::Pscanf(cursor, "%s", buffer, cut.size), nullptr);
    EXPECT_STREQ(buffer, cut.stored) << cut.size;
    EXPECT_EQ(*cursor, '\n');
  }
}

TEST(Pscanf, SeveralStringsTakeBufferAndSizeEach) {
  auto text = textTest::Terminated("walk[R1] rest");
  const char* cursor = text.get();
  char motion[8] = {}, side[2] = {};
  ASSERT_NE(Frx::Pscanf(cursor, "%s[%s]%.", motion, (int)sizeof motion, side, (int)sizeof side),
            nullptr);
  EXPECT_STREQ(motion, "walk");
  EXPECT_STREQ(side, "R");  // cut to its one-byte buffer
  EXPECT_EQ(*cursor, ' ');

  auto numbered = textTest::Terminated("Bone[03]");
  cursor = numbered.get();
  int number = -1;
  ASSERT_NE(Frx::Pscanf(cursor, "%s[%d]", motion, (int)sizeof motion, &number), nullptr);
  EXPECT_STREQ(motion, "Bone");
  EXPECT_EQ(number, 3);
  EXPECT_EQ(*cursor, '\0');
}

TEST(Pscanf, StringIntoPstring) {
  auto text = textTest::Terminated("\ttex(\"skin\x83\x41.bmp\")\n");
  const char* cursor = text.get();
  Frx::Pstring name("old");
  ASSERT_NE(Frx::Pscanf(cursor, " tex(\"%S\")", &name), nullptr);
  EXPECT_EQ(name, "skin\x83\x41.bmp");
  EXPECT_EQ(*cursor, '\n');
}

}  // namespace
