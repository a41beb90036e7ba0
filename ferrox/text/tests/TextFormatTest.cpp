#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "ferrox/text/TextFormat.h"
#include "ferrox/text/tests/HeapText.h"

namespace {

using namespace std::literals;
namespace TF = Frx::TextFormat;

// Offset of the walk's result in text; -1 for null.
long Offset(const char* result, const char* text) { return result ? result - text : -1; }

struct WalkCase {
  std::string_view text;
  int depth;
  long expected;  // offset of the result; -1: null
};

const WalkCase kWalkCases[] = {
    {"a { b } } rest", 1, 9},
    {"a { b } } rest", 0, 7},
    {"a }", 1, 3},  // the end of the text right after the closing brace
    {"a { b }", 1, -1},
    {"", 1, -1},
    {"} { { } } x", 0, 7},  // a "}" at depth 0 does not end the walk
    {"} { x }", 0, -1},
    {"{}}}} x", 3, 5},
    // Raw blocks: the data are skipped however they look.
    {"x [3]\r\n}}}\n} rest", 1, 12},
    {"[0]\r\n} z", 1, 6},
    {"[3]x}}}", 1, 5},  // no blank after "]": not a header
    {"[]\r\n}", 1, 5},
    {"[-3]\r\n}}}", 1, 7},  // a negative count is text
    {"[100]\r\nab} }", 1, -1},  // data reaching past the end end the walk
    {"[3]\r\nabc", 1, -1},
    {"[99999999999999999999]\r\n}", 1, -1},
    {"[1", 1, -1},
    // Double-byte characters: a trail byte that looks like a brace is no brace.
    {"\x83} }", 1, 4},
    {"\x83{ }", 1, 4},
    {"ab\x83", 1, -1},
    {"\x83", 0, -1},
};

TEST(TextFormat, ExitSectionTable) {
  for (const WalkCase& c : kWalkCases) {
    SCOPED_TRACE(testing::Message() << "text '" << c.text << "' depth " << c.depth);
    auto text = textTest::Terminated(c.text);
    const char* p = text.get();
    EXPECT_EQ(Offset(TF::ExitSection(p, c.depth), p), c.expected);
    // The same walk bounded by the end of the text.
    EXPECT_EQ(Offset(TF::ExitSection(p, c.depth, p + c.text.size()), p), c.expected);
  }
}

TEST(TextFormat, ExitSectionWithEndPointer) {
  {
    // Raw data holding zero bytes need the end of the buffer.
    const std::string_view raw = "Blob {\n[4]\r\n\0}\0}\n} end"sv;
    auto text = textTest::Terminated(raw);
    const char* p = text.get() + 6;
    EXPECT_EQ(Offset(TF::ExitSection(p, 1, text.get() + raw.size()), text.get()), 18);
    EXPECT_EQ(TF::ExitSection(p, 1), nullptr);  // the first zero byte ends the text
  }
  {
    // An unterminated buffer is never read past its end.
    const std::string_view raw = "a { b \x83"sv;
    auto text = textTest::Unterminated(raw);
    EXPECT_EQ(TF::ExitSection(text.get(), 1, text.get() + raw.size()), nullptr);
    const std::string_view header = "[2]"sv;
    auto block = textTest::Unterminated(header);
    EXPECT_EQ(TF::ExitSection(block.get(), 1, block.get() + header.size()), nullptr);
    const std::string_view digits = "[12"sv;
    auto open = textTest::Unterminated(digits);
    EXPECT_EQ(TF::ExitSection(open.get(), 1, open.get() + digits.size()), nullptr);
  }
  {
    // A zero byte outside raw blocks ends the text even before end.
    const std::string_view raw = "a \0 } }"sv;
    auto text = textTest::Terminated(raw);
    EXPECT_EQ(TF::ExitSection(text.get(), 1, text.get() + raw.size()), nullptr);
  }
  {
    // An end before the closing brace.
    auto text = textTest::Terminated("a } b }");
    EXPECT_EQ(TF::ExitSection(text.get(), 1, text.get() + 2), nullptr);
    EXPECT_EQ(TF::ExitSection(text.get(), 1, text.get() + 3), text.get() + 3);
  }
  {
    // Data reaching exactly to the end.
    const std::string_view raw = "[2]\r\nab"sv;
    auto text = textTest::Terminated(raw);
    EXPECT_EQ(TF::ExitSection(text.get(), 1, text.get() + raw.size()), nullptr);
  }
}

TEST(TextFormat, NextSectionAndNullInputs) {
  char text[] = "Scene {\n\tpos 0 0 0\n\tdirlights 1 {\n\t}\n}\nObject";
  char* p = text;
  EXPECT_EQ(TF::NextSection(p), text + 38);  // writable overloads keep the type
  EXPECT_STREQ(TF::NextSection(p), "\nObject");
  EXPECT_EQ(TF::NextSection(static_cast<const char*>("no block")), nullptr);
  EXPECT_EQ(TF::ExitSection(static_cast<const char*>(nullptr), 1), nullptr);
  EXPECT_EQ(TF::NextParagraph(static_cast<const char*>(nullptr)), nullptr);
}

TEST(TextFormat, NextParagraph) {
  const char* text = "abc\ndef";
  EXPECT_STREQ(TF::NextParagraph(text), "def");
  EXPECT_EQ(TF::NextParagraph(text + 4), text + 7);  // no line feed: the end
  EXPECT_EQ(TF::NextParagraph(text + 7), text + 7);  // at the end: stays
  const char* blank = "\n\nx";
  EXPECT_EQ(TF::NextParagraph(blank), blank + 1);
  const char* sjis = "\x83\x41\x83\x41\nx";
  EXPECT_EQ(TF::NextParagraph(sjis), sjis + 5);
}

TEST(TextFormat, LineAndWidth) {
  const char* text = "ab\ncd\n\x83\x41x\ny";
  {
    EXPECT_EQ(TF::GetLine(text, text), 0);
    EXPECT_EQ(TF::GetLine(text + 2, text), 0);
    EXPECT_EQ(TF::GetLine(text + 3, text), 1);
    EXPECT_EQ(TF::GetLine(text + 10, text), 3);
    EXPECT_EQ(TF::GetLine(text + 11, text), 3);   // the terminator itself
    EXPECT_EQ(TF::GetLine(text + 12, text), -1);  // past the end
    EXPECT_EQ(TF::GetLine(text, text + 1), -1);
  }
  {
    EXPECT_EQ(TF::GetWidth(text, text), 0);
    EXPECT_EQ(TF::GetWidth(text + 1, text), 1);
    EXPECT_EQ(TF::GetWidth(text + 3, text), 0);  // every line counts from 0
    EXPECT_EQ(TF::GetWidth(text + 4, text), 1);
    EXPECT_EQ(TF::GetWidth(text + 7, text), 1);  // second byte of a double-byte character
    EXPECT_EQ(TF::GetWidth(text + 8, text), 2);
    EXPECT_EQ(TF::GetWidth(text + 9, text), 3);
    EXPECT_EQ(TF::GetWidth(text + 12, text), -1);
    EXPECT_EQ(TF::GetWidth(nullptr, text), -1);
  }
}

}  // namespace
