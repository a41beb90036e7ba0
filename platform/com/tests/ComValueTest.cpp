// GUID text, UTF-16 <-> Shift-JIS at the interface's edge, and variant
// conversions (what property bags and automation calls rely on).
#include <gtest/gtest.h>

#include <cmath>

#include "platform/com/ComString.h"
#include "platform/com/Guid.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/Variant.h"

namespace {

TEST(ComGuid, TextRoundTripAndRejections) {
  const GUID g = {0x1705629A, 0x2A47, 0x4BF9, {0xBF, 0x73, 0xC1, 0x75, 0x14, 0xBA, 0x8F, 0x5A}};
  EXPECT_EQ(Com::GuidToString(g), "{1705629A-2A47-4BF9-BF73-C17514BA8F5A}");
  GUID back{};
  ASSERT_TRUE(Com::GuidFromString("{1705629a-2a47-4bf9-bf73-c17514ba8f5a}", &back));
  EXPECT_TRUE(back == g);
  for (const char* bad : {"", "1705629A-2A47-4BF9-BF73-C17514BA8F5A", "{1705629A-2A47-4BF9-BF73-C17514BA8F5}",
                          "{1705629A-2A47-4BF9-BF73-C17514BA8F5G}", "{1705629A+2A47-4BF9-BF73-C17514BA8F5A}"}) {
    GUID untouched = IID_NULL;
    EXPECT_FALSE(Com::GuidFromString(bad, &untouched)) << bad;
    EXPECT_TRUE(untouched == IID_NULL);
  }
}

TEST(ComString, Utf16AndShiftJisMeetAtTheEdge) {
  // "表示" holds 0x5C as a trail byte in Shift-JIS; the half-width kana are one byte each.
  EXPECT_EQ(Com::ToSjis(u"表示.mqo"), "\x95\x5C\x8E\xA6.mqo");
  EXPECT_EQ(Com::FromSjis("\x95\x5C\x8E\xA6.mqo"), u"表示.mqo");
  EXPECT_EQ(Com::ToSjis(u"ﾀｲﾌﾟ"), "\xC0\xB2\xCC\xDF");
  EXPECT_EQ(Com::ToSjis(static_cast<const char16_t*>(nullptr)), "");
  // A character outside CP932 and a lone surrogate each become one "?".
  EXPECT_EQ(Com::ToSjis(u"a\U0001F600b"), "a?b");
  const char16_t lone[] = {u'x', 0xD800, u'y', 0};
  EXPECT_EQ(Com::ToSjis(lone), "x?y");
  EXPECT_EQ(Com::ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Com::FromUtf8("\xF0\x9F\x98\x80"), u"\U0001F600");
  // Overlong and cut sequences are malformed.
  EXPECT_EQ(Com::FromUtf8("\xC0\xAF|\xE3\x81"), u"\uFFFD\uFFFD|\uFFFD");
}

TEST(ComVariant, ConversionsTable) {
  struct Case {
    VARIANT from;
    VARTYPE to;
    HRESULT hr;
    VARIANT want;
  };
  const Case cases[] = {
      {VARIANT::Bstr(u" 320 "), VT_I4, S_OK, VARIANT::I4(320)},
      {VARIANT::Bstr(u"-1"), VT_I4, S_OK, VARIANT::I4(-1)},
      {VARIANT::Bstr(u"+7"), VT_UI4, S_OK, VARIANT::UI4(7)},
      {VARIANT::Bstr(u"2.5"), VT_I4, S_OK, VARIANT::I4(2)},  // halves to even
      {VARIANT::Bstr(u"3.5"), VT_I4, S_OK, VARIANT::I4(4)},
      {VARIANT::Bstr(u"0.3"), VT_R4, S_OK, VARIANT::R4(0.3f)},
      {VARIANT::Bstr(u"1e3"), VT_R4, S_OK, VARIANT::R4(1000.0f)},
      {VARIANT::Bstr(u"12px"), VT_I4, DISP_E_TYPEMISMATCH, {}},
      {VARIANT::Bstr(u""), VT_I4, DISP_E_TYPEMISMATCH, {}},
      {VARIANT::Bstr(u"nan"), VT_R4, DISP_E_TYPEMISMATCH, {}},
      {VARIANT::Bstr(u"4294967296"), VT_UI4, DISP_E_OVERFLOW, {}},
      {VARIANT::Bstr(u"2147483648"), VT_I4, DISP_E_OVERFLOW, {}},
      {VARIANT::I4(-1), VT_UI4, DISP_E_OVERFLOW, {}},
      {VARIANT::UI4(0x7F), VT_I4, S_OK, VARIANT::I4(127)},
      {VARIANT::R4(1e20f), VT_I4, DISP_E_OVERFLOW, {}},
      {VARIANT::Bstr(u"TRUE"), VT_BOOL, S_OK, VARIANT::Bool(true)},
      {VARIANT::Bstr(u"0"), VT_BOOL, S_OK, VARIANT::Bool(false)},
      {VARIANT::I4(-42), VT_BSTR, S_OK, VARIANT::Bstr(u"-42")},
      {VARIANT::UI4(4294967295u), VT_BSTR, S_OK, VARIANT::Bstr(u"4294967295")},
      {VARIANT::R4(0.3f), VT_BSTR, S_OK, VARIANT::Bstr(u"0.3")},
      {VARIANT::R4(2.0f), VT_BSTR, S_OK, VARIANT::Bstr(u"2")},
      {VARIANT::Bool(true), VT_BSTR, S_OK, VARIANT::Bstr(u"True")},
      {VARIANT(), VT_I4, S_OK, VARIANT::I4(0)},
  };
  for (const Case& c : cases) {
    VARIANT out = VARIANT::Bstr(u"unchanged");
    const HRESULT hr = VariantChangeType(&out, &c.from, c.to);
    SCOPED_TRACE(Com::ToUtf8(c.from.bstrVal) + " to " + std::to_string(c.to));
    EXPECT_EQ(hr, c.hr);
    EXPECT_TRUE(out == (SUCCEEDED(c.hr) ? c.want : VARIANT::Bstr(u"unchanged")));
  }
  // Text written from any float reads back as the same float.
  for (float f : {0.1f, -123.456f, 1e-7f, 3.4028235e38f}) {
    VARIANT text, back;
    const VARIANT from = VARIANT::R4(f);
    ASSERT_EQ(VariantChangeType(&text, &from, VT_BSTR), S_OK);
    ASSERT_EQ(VariantChangeType(&back, &text, VT_R4), S_OK);
    EXPECT_EQ(back.fltVal, f);
  }
}

TEST(ComPropertyBag, KeepsFirstWriteOrderAndConvertsOnRead) {
  Com::PropertyBag bag;
  bag.Write(u"Mode", VARIANT::Bstr(u"Frame"));
  bag.Write(u"Width", VARIANT::Bstr(u"320"));
  bag.Write(u"Mode", VARIANT::Bstr(u"Sprite"));
  ASSERT_EQ(bag.Entries().size(), 2u);
  EXPECT_EQ(bag.Entries()[0].first, u"Mode");
  EXPECT_TRUE(bag.Entries()[0].second == VARIANT::Bstr(u"Sprite"));

  VARIANT width = VARIANT::I4(0);
  EXPECT_EQ(bag.Read(u"Width", &width), S_OK);
  EXPECT_TRUE(width == VARIANT::I4(320));
  VARIANT as;
  EXPECT_EQ(bag.Read(u"Width", &as), S_OK);  // VT_EMPTY: as stored
  EXPECT_TRUE(as == VARIANT::Bstr(u"320"));
  VARIANT mode = VARIANT::I4(5);
  EXPECT_EQ(bag.Read(u"Mode", &mode), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(bag.Read(u"width", &as), E_INVALIDARG) << "names are exact";
}

}  // namespace
