#include <gtest/gtest.h>

#include <cstdarg>
#include <string_view>

#include "ferrox/text/Pscanf.h"
#include "ferrox/text/tests/HeapText.h"

namespace {

using namespace std::literals;

struct MatchCase {
  const char* pattern;
  std::string_view text;
  int consumed;  // bytes matched; -1: no match
};

// Patterns without conversions: literals, blanks, folding, escapes, early ends.
const MatchCase kMatchCases[] = {
    {"Pos", "POS ", 3},
    {"Pos", "pos\n", 3},
    {"Pos", "Pos", 3},
    {"Pos", "Pos1", -1},  // the end rule sees "1"
    {"Pos", "Po", -1},
    {" pos", "\t\r\n pos\t", 7},
    {" ", "", 0},
    {" ", "\x01\x1F x", -1},  // blanks and control bytes skipped, then the end rule
    {"", "", 0},
    {"", "x", -1},
    {"", "\x81\x40", 0},  // bytes of 0x80 and up pass the end rule
    {"", "\x7F", -1},
    // Only letters fold.
    {"a", "A", 1},
    {"Z", "z", 1},
    {"{", "[", -1},
    {"[", "{", -1},
    {"}", "]", -1},
    {"|", "\\", -1},
    {"~", "^", -1},
    {"@", "`", -1},
    {"\xB1", "\xB1 ", 1},  // half-width katakana is one byte
    {"\xB1", "\x91 ", -1},
    // Escapes.
    {"%%", "% ", 1},
    {"%%", "x ", -1},
    {"%a", "%A ", 2},  // "%" literal, then "a" as the next element
    {"%a", "a ", -1},
    {"%", "%", 1},
    {"\\\\", "\\ ", 1},
    {"\\\\", "\\\\", -1},  // one backslash matched, the end rule sees the second
    {"\\x", "\\X ", 2},
    // Early ends skip the end rule.
    {"a%.", "abc", 1},
    {"a%|", "aZZ", 1},
    {"%.", "", 0},
    {"ab%.", "aZ", -1},
    // Double-byte characters compare whole; a trail byte never folds.
    {"\x83\x41", "\x83\x41 ", 2},
    {"\x83\x41", "\x83\x61 ", -1},
    {"\x83\x61", "\x83\x41 ", -1},
    {"\x83\x41", "\x83", -1},  // lead byte at the end of the text
    {" \x83\x41x", "\x83\x41X", 3},
    {"\x83", "\x83", 1},  // a lone lead byte ending the pattern is a plain byte
};

TEST(Pscanf, MatchTable) {
  for (const MatchCase& c : kMatchCases) {
    SCOPED_TRACE(testing::Message() << "pattern '" << c.pattern << "' text '" << c.text << "'");
    auto text = textTest::Terminated(c.text);
    const char* cursor = text.get();
    char* result = Frx::Pscanf(cursor, c.pattern);
    if (c.consumed < 0) {
      EXPECT_EQ(result, nullptr);
      EXPECT_EQ(cursor, text.get());
    } else {
      EXPECT_EQ(cursor, text.get() + c.consumed);
      EXPECT_EQ(result, cursor);
    }
  }
}

TEST(Pscanf, FailureKeepsCursorAfterPartialMatch) {
  auto text = textTest::Terminated(" a = 5 c \n");
  const char* cursor = text.get();
  int value = 0;
  EXPECT_EQ(Frx::Pscanf(cursor, " a = %d b", &value), nullptr);
  EXPECT_EQ(cursor, text.get());
  EXPECT_EQ(value, 5);  // stored before the failing element, and kept

  // Readers try their patterns in turn at the same place.
  EXPECT_NE(Frx::Pscanf(cursor, " a = %d c", &value), nullptr);
  EXPECT_EQ(*cursor, ' ');
}

TEST(Pscanf, NullInputs) {
  const char* cursor = nullptr;
  EXPECT_EQ(Frx::Pscanf(cursor, "x"), nullptr);
  const char* text = "x";
  cursor = text;
  EXPECT_EQ(Frx::Pscanf(cursor, nullptr), nullptr);
  EXPECT_EQ(cursor, text);
}

TEST(Pscanf, WritableCursor) {
  char text[] = "Bone {\n";
  char* cursor = text;
  char name[16] = {};
  EXPECT_EQ(Frx::Pscanf(cursor, " %s {", name, (int)sizeof name), text + 6);
  EXPECT_EQ(cursor, text + 6);
  EXPECT_STREQ(name, "Bone");
  EXPECT_EQ(Frx::Pscanf(cursor, " Bone"), nullptr);
  EXPECT_EQ(cursor, text + 6);
}

// A reader that forwards its own arguments, as the block reader does.
int ReadForwarded(const char*& cursor, const char* pattern, ...) {
  va_list args;
  va_start(args, pattern);
  char* result = Frx::Pscanf(cursor, pattern, args);
  va_end(args);
  return result ? 1 : 0;
}

TEST(Pscanf, ArgumentListForm) {
  auto text = textTest::Terminated("\tname = \"Hip\" 7 2.5\n");
  const char* cursor = text.get();
  char name[8] = {};
  int n = 0;
  float f = 0.0f;
  EXPECT_EQ(ReadForwarded(cursor, " name = \"%s\" %d %f", name, (int)sizeof name, &n, &f), 1);
  EXPECT_STREQ(name, "Hip");
  EXPECT_EQ(n, 7);
  EXPECT_FLOAT_EQ(f, 2.5f);
  EXPECT_EQ(*cursor, '\n');
  EXPECT_EQ(ReadForwarded(cursor, " loop = %d", &n), 0);
  EXPECT_EQ(*cursor, '\n');
}

TEST(Pscanf, SourceLiteralsAreShiftJis) {
  // Keys written in the sources compare with Shift-JIS text read from files.
  auto text = textTest::Terminated("\x83\x82\x81\x5B\x83\x56\x83\x87\x83\x93 = 3\n");
  const char* cursor = text.get();
  int value = 0;
  EXPECT_NE(Frx::Pscanf(cursor, " モーション = %d", &value), nullptr);
  EXPECT_EQ(value, 3);
}

}  // namespace
