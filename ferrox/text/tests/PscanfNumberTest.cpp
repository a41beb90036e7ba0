#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <cmath>
#include <string_view>

#include "ferrox/text/Pscanf.h"
#include "ferrox/text/tests/HeapText.h"

namespace {

struct IntCase {
  const char* pattern;
  std::string_view text;
  int consumed;  // -1: no match
  int value;     // stored, match or not
};

const IntCase kIntCases[] = {
    {"%d", "12 ", 2, 12},
    {"%d", "12", -1, 12},     // the text ends inside the number
    {"%d", "+5 ", -1, 5},     // the cursor stays at "+"
    {"%d)", "-7) ", 3, -7},
    {"%D", "31\n", 2, 31},
    {"%x", "10 ", 2, 10},     // decimal, as %d
    {"%X", "ff ", -1, 0},
    {"%d", " 5 ", 0, 5},      // the value skips white space, the cursor does not
    {" %d", "\t-42\n", 4, -42},
    {"%d", "1-2 ", 3, 1},     // the cursor runs over "-" as well
    {"%d", "2147483647 ", 10, INT_MAX},
    {"%d", "-2147483648 ", 11, INT_MIN},
    {"%d", "99999999999999999999 ", 20, INT_MAX},
    {"%d", "-99999999999 ", 12, INT_MIN},
    {"%dx", "3X ", 2, 3},
    {"[%d]", "[96]\r\n", 4, 96},
    // No number at all: nothing to convert and nowhere to move.
    {"%d", "\x95\\ ", -1, 0},   // a Shift-JIS character, which the end rule accepts
    {"%d", "\xB1 ", -1, 0},       // a half-width kana
    {"(%d)", "() ", -1, 0},
    {"%dx", "x ", -1, 0},
    {"%d", "+ ", -1, 0},
    {"%d", "- ", 1, 0},           // the cursor moves over "-": still a zero
};

TEST(Pscanf, IntegerTable) {
  for (const IntCase& c : kIntCases) {
    SCOPED_TRACE(testing::Message() << "pattern '" << c.pattern << "' text '" << c.text << "'");
    auto text = textTest::Terminated(c.text);
    const char* cursor = text.get();
    int value = -12345;
    char* result = Frx::Pscanf(cursor, c.pattern, &value);
    EXPECT_EQ(value, c.value);
    if (c.consumed < 0) {
      EXPECT_EQ(result, nullptr);
      EXPECT_EQ(cursor, text.get());
    } else {
      EXPECT_EQ(cursor, text.get() + c.consumed);
    }
  }
}

TEST(Pscanf, IntegerAtEndOfText) {
  auto empty = textTest::Terminated("");
  const char* cursor = empty.get();
  int value = 0;
  EXPECT_EQ(Frx::Pscanf(cursor, "%d", &value), nullptr);

  // A number is the last thing a file holds only when a line break follows it.
  auto line = textTest::Terminated("endframe = 40");
  cursor = line.get();
  EXPECT_EQ(Frx::Pscanf(cursor, " endframe = %d", &value), nullptr);
  EXPECT_EQ(cursor, line.get());
  EXPECT_EQ(value, 40);
}

struct FloatCase {
  const char* pattern;
  std::string_view text;
  int consumed;  // -1: no match
  float value;
};

const FloatCase kFloatCases[] = {
    {"%f", "2.5 ", 3, 2.5f},
    {"%F", "-0.125\n", 6, -0.125f},
    {"%f", "3.25", -1, 3.25f},  // the text ends inside the number
    {"%f", ".5 ", 2, 0.5f},
    {"%f", "1. ", 2, 1.0f},
    {"%f", "+1.5 ", -1, 1.5f},
    {"%f", "1.5e3 ", -1, 1.5f},  // no exponent: the end rule sees "e"
    {"%fe3", "1.5e3 ", 5, 1.5f},
    {"%f", "- ", 1, 0.0f},
    {"%f", "0.1 ", 3, 0.1f},
    {"%f", "123456.789 ", 10, 123456.789f},
    {"%f", " 7 ", 0, 7.0f},
    {"(%f)", "(-3)\n", 4, -3.0f},
    {"%f", "\x95\\ ", -1, 0.0f},
    {"(%f)", "() ", -1, 0.0f},
    {"%f", " .5 ", 0, 0.5f},
    {"%f", ". ", 1, 0.0f},
};

TEST(Pscanf, FloatTable) {
  for (const FloatCase& c : kFloatCases) {
    SCOPED_TRACE(testing::Message() << "pattern '" << c.pattern << "' text '" << c.text << "'");
    auto text = textTest::Terminated(c.text);
    const char* cursor = text.get();
    float value = -999.0f;
    char* result = Frx::Pscanf(cursor, c.pattern, &value);
    EXPECT_FLOAT_EQ(value, c.value);
    if (c.consumed < 0) {
      EXPECT_EQ(result, nullptr);
      EXPECT_EQ(cursor, text.get());
    } else {
      EXPECT_EQ(cursor, text.get() + c.consumed);
    }
  }
}

TEST(Pscanf, FloatRangeAndRounding) {
  float value = 0.0f;
  {
    auto text = textTest::Terminated(std::string(60, '9') + ".0 ");
    const char* cursor = text.get();
    EXPECT_NE(Frx::Pscanf(cursor, "%f", &value), nullptr);
    EXPECT_TRUE(std::isinf(value));
    EXPECT_GT(value, 0.0f);
  }
  {
    auto text = textTest::Terminated("0." + std::string(60, '0') + "1 ");
    const char* cursor = text.get();
    EXPECT_NE(Frx::Pscanf(cursor, "%f", &value), nullptr);
    EXPECT_EQ(value, 0.0f);
  }
  {
    // Six decimals, as every writer prints them, read back to the nearest float.
    char printed[64];
    for (float f : {0.333333f, -12.345678f, 1000.5f, 0.000001f}) {
      std::snprintf(printed, sizeof printed, "%f ", f);
      const char* cursor = printed;
      ASSERT_NE(Frx::Pscanf(cursor, "%f", &value), nullptr);
      EXPECT_EQ(value, std::strtof(printed, nullptr)) << printed;
    }
  }
}

TEST(Pscanf, SeveralFieldsOnOneLine) {
  auto text = textTest::Terminated("\tpos = 1 2.5 -3\n");
  const char* cursor = text.get();
  float x = 0, y = 0, z = 0;
  ASSERT_NE(Frx::Pscanf(cursor, " pos = %f %f %f", &x, &y, &z), nullptr);
  EXPECT_FLOAT_EQ(x, 1.0f);
  EXPECT_FLOAT_EQ(y, 2.5f);
  EXPECT_FLOAT_EQ(z, -3.0f);
  EXPECT_EQ(*cursor, '\n');

  auto face = textTest::Terminated("\t\t4 V(0 2 3 1) M(2)\r\n");
  cursor = face.get();
  int n = 0, v[4] = {}, m = -1;
  ASSERT_NE(Frx::Pscanf(cursor, " %d", &n), nullptr);
  ASSERT_NE(Frx::Pscanf(cursor, " V( %d %d %d %d )", &v[0], &v[1], &v[2], &v[3]), nullptr);
  ASSERT_NE(Frx::Pscanf(cursor, " M( %d )", &m), nullptr);
  EXPECT_EQ(n, 4);
  EXPECT_EQ(v[0], 0);
  EXPECT_EQ(v[1], 2);
  EXPECT_EQ(v[2], 3);
  EXPECT_EQ(v[3], 1);
  EXPECT_EQ(m, 2);
  EXPECT_EQ(*cursor, '\r');
}

TEST(Pscanf, KeyLinePatternsStopAtTextThatIsNoNumber) {
  // " %d %d" once matched a Japanese line while consuming nothing, so a reader
  // repeating it never ended; a key before such a line is still read.
  for (const char* line : {"\x95\\\n", "テスト comment\n", "\xB1\xB2\n", "\x81"}) {
    SCOPED_TRACE(line);
    auto text = textTest::Terminated(std::string("\t0 1\n\t\t") + line);
    const char* cursor = text.get();
    int frame = -1, value = -1;
    float real = -1.0f;
    ASSERT_NE(Frx::Pscanf(cursor, " %d %d", &frame, &value), nullptr);
    EXPECT_EQ(frame, 0);
    EXPECT_EQ(value, 1);
    const char* stop = cursor;
    EXPECT_EQ(Frx::Pscanf(cursor, " %d %d", &frame, &value), nullptr);
    EXPECT_EQ(Frx::Pscanf(cursor, " %d %f", &frame, &real), nullptr);
    EXPECT_EQ(Frx::Pscanf(cursor, " %f", &real), nullptr);
    EXPECT_EQ(cursor, stop);
  }
}

}  // namespace
