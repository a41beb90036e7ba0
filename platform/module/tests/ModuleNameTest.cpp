#include "platform/module/ModuleName.h"

#include <gtest/gtest.h>

#include "platform/files/FindPath.h"
#include "platform/module/Module.h"

namespace {

namespace Name = Platform::ModuleName;

TEST(ModuleName, MapsWindowsNames) {
  const std::string dir = "/prog/";
  EXPECT_EQ(Name::Map("plugins\\pelarn.dll", dir), "/prog/plugins/pelarn.so");
  EXPECT_EQ(Name::Map("lumacet.DLL", dir), "/prog/lumacet.so");
  EXPECT_EQ(Name::Map("zenjpg.Dll", dir), "/prog/zenjpg.so");
  EXPECT_EQ(Name::Map("/abs/dir\\x.dll", dir), "/abs/dir/x.so");
  // Windows' default extension, and a trailing dot that asks for none.
  EXPECT_EQ(Name::Map("plugins\\pelarn", dir), "/prog/plugins/pelarn.so");
  EXPECT_EQ(Name::Map("plain.", dir), "/prog/plain");
  // Other extensions and ".dll" inside a folder name are left alone.
  EXPECT_EQ(Name::Map("x.dll\\y.ocx", dir), "/prog/x.dll/y.ocx");
  EXPECT_EQ(Name::Map("a.dllx", dir), "/prog/a.dllx");
  EXPECT_EQ(Name::Map("", dir), "");
  EXPECT_EQ(Name::Map(nullptr, dir), "");
}

TEST(ModuleName, ConvertsShiftJisBeforeSeparators) {
  // "表" is 0x95 0x5C in Shift-JIS: its trail byte must not become "/".
  const char sjis[] = {'\x95', '\x5c', '\\', 'a', '.', 'd', 'l', 'l', 0};
  EXPECT_EQ(Name::Map(sjis, "/p/"), "/p/\xe8\xa1\xa8/a.so");
  EXPECT_EQ(Name::ToCp932("\xe8\xa1\xa8"), std::string("\x95\x5c"));
  // A lone lead byte is kept rather than dropped or read past the end.
  EXPECT_EQ(Name::ToUtf8("a\x95"), std::string("a\x95"));
  // A pair that CP932 leaves unassigned stays one character: its 0x5C trail
  // byte must not split the name into folders either.
  const char unassigned[] = {'d', '\\', '\x85', '\x5c', 'x', '.', 'd', 'l', 'l', 0};
  EXPECT_EQ(Name::Map(unassigned, "/p/"), "/p/d/\xef\xbf\xbdx.so");
}

TEST(ModuleName, FindIgnoringCase) {
  const std::string folder = Platform::ProgramFolder();
  EXPECT_EQ(Platform::Files::FindIgnoringCase(folder + "plugins/modtest_probe.so"),
            folder + "plugins/modtest_probe.so");
  EXPECT_EQ(Platform::Files::FindIgnoringCase(folder + "PLUGINS/MODTEST_MIXEDCASE.SO"),
            folder + "plugins/ModTest_MixedCase.so");
  EXPECT_EQ(Platform::Files::FindIgnoringCase(folder + "plugins/nothing_like_it.so"), "");
  EXPECT_EQ(Platform::Files::FindIgnoringCase(folder + "no_such_folder/x.so"), "");
  EXPECT_EQ(Platform::Files::FindIgnoringCase(""), "");
}

}  // namespace
