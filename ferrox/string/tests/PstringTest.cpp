#include "ferrox/string/Pstring.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

using Frx::Pstring;

TEST(Pstring, EmptyTextsAreNeverNull) {
  Pstring empty;
  ASSERT_NE(empty.Get(), nullptr);
  EXPECT_STREQ(empty.Get(), "");
  EXPECT_TRUE(empty.IsEmpty());
  Pstring fromNull(static_cast<const char*>(nullptr));
  ASSERT_NE(static_cast<const char*>(fromNull), nullptr);
  EXPECT_EQ(fromNull.Size(), 0u);
  Pstring assigned("x");
  assigned = static_cast<const char*>(nullptr);
  EXPECT_TRUE(assigned.IsEmpty());
}

TEST(Pstring, ValueSemantics) {
  Pstring a("モデル");
  Pstring b(a);
  b += "2";
  EXPECT_EQ(a, "モデル");
  EXPECT_EQ(b, "モデル2");
  b[0] = 'x';
  EXPECT_EQ(a.GetAt(0), "モデル"[0]);

  Pstring zeros(3u);
  EXPECT_EQ(zeros.Size(), 3u);
  EXPECT_EQ(zeros.Std(), std::string(3, '\0'));

  Pstring r("abc");
  r.Resize(5);
  EXPECT_EQ(r.Std(), std::string("abc\0\0", 5));
  r.Resize(1);
  EXPECT_EQ(r, "a");
  r.Empty();
  EXPECT_TRUE(r.IsEmpty());
}

TEST(Pstring, AppendForms) {
  Pstring s("ab");
  s.Append("cd").Append(2, '-').Append(Pstring("0123"), 1, 2);
  EXPECT_EQ(s, "abcd--12");
  s.Append(Pstring("xyz"), 1, Pstring::npos);
  EXPECT_EQ(s, "abcd--12yz");
  s.Append(Pstring("xyz"), 3, 5);  // at the end: nothing
  EXPECT_EQ(s, "abcd--12yz");
  EXPECT_THROW(s.Append(Pstring("xyz"), 4, 1), std::out_of_range);
  EXPECT_EQ(Pstring("a") + Pstring("b") + "c" + 'd', "abcd");
  // Appending a string's own text.
  Pstring self("loop");
  self += self;
  self.Append(self.Get());
  EXPECT_EQ(self, "looplooplooploop");
}

TEST(Pstring, WritableAccessPastTheEnd) {
  Pstring s("ab");
  char& past = s.GetAt(10);
  EXPECT_EQ(past, '\0');
  past = 'z';  // lands in the shared empty text, not in s
  EXPECT_EQ(s, "ab");
  EXPECT_EQ(s.GetAt(11), '\0');
  s[1] = 'c';
  EXPECT_EQ(s, "ac");
}

TEST(Pstring, FindAndReverseFind) {
  const Pstring s("abcabc");
  EXPECT_EQ(s.Find("bc"), 1u);
  EXPECT_EQ(s.Find("bc", 2), 4u);
  EXPECT_EQ(s.Find('c', 3), 5u);
  EXPECT_EQ(s.Find("zz"), Pstring::npos);
  EXPECT_EQ(Pstring::npos, 0xFFFFFFFFu);
  EXPECT_EQ(s.Find(""), 0u);
  EXPECT_EQ(s.Find("", 6), 6u);
  EXPECT_EQ(s.Find("", 7), Pstring::npos);
  EXPECT_EQ(s.Find("a", Pstring::npos), Pstring::npos);
  EXPECT_EQ(s.ReverseFind("bc"), 4u);
  EXPECT_EQ(s.ReverseFind("bc", 3), 1u);
  EXPECT_EQ(s.ReverseFind('a', 2), 0u);
  EXPECT_EQ(s.ReverseFind("x"), Pstring::npos);
  EXPECT_EQ(Pstring().Find("a"), Pstring::npos);
}

TEST(Pstring, CompareIsUnsignedThenByLength) {
  EXPECT_EQ(Pstring("abc").Compare("abd"), -1);
  EXPECT_EQ(Pstring("abd").Compare("abc"), 1);
  EXPECT_EQ(Pstring("ab").Compare("abc"), -1);
  EXPECT_EQ(Pstring("abc").Compare("ab"), 1);
  EXPECT_EQ(Pstring("abc").Compare(Pstring("abc")), 0);
  EXPECT_EQ(Pstring("").Compare(static_cast<const char*>(nullptr)), 0);
  // Shift-JIS lead bytes are above 0x7F and sort after ASCII.
  EXPECT_EQ(Pstring("\x83").Compare("z"), 1);
  EXPECT_EQ(Pstring("z").Compare(Pstring("\x83")), -1);
  EXPECT_TRUE(Pstring("a") != "b");
  EXPECT_TRUE("a" == Pstring("a"));
  // Equality counts embedded zero bytes.
  EXPECT_FALSE(Pstring(std::string("a\0b", 3)) == Pstring("a"));
}

TEST(Pstring, FormatCutsLongOutput) {
  Pstring s;
  s.Format("%d-%s", 42, "表");
  EXPECT_EQ(s, "42-表");
  const std::string longText(5000, 'x');
  s.Format("%s!", longText.c_str());
  EXPECT_EQ(s.Size(), Pstring::FormatLimit);
  EXPECT_EQ(s.Std(), std::string(Pstring::FormatLimit, 'x'));
  s.Format("%s", std::string(4096, 'y').c_str());
  EXPECT_EQ(s.Size(), 4096u);
  EXPECT_EQ(s[4095], 'y');
  // Formatting from its own text.
  Pstring own("abc");
  own.Format("[%s]", own.Get());
  EXPECT_EQ(own, "[abc]");
}

}  // namespace
