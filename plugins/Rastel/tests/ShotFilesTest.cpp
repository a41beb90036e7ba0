// Screenshot names built from the pattern without a formatter, and folders
// made along Shift-JIS paths.
#include <gtest/gtest.h>

#include <string>

#include "ferrox/testing/TempFolder.h"
#include "plugins/Rastel/ShotFiles.h"

namespace {

TEST(ShotFiles, NamesReplaceTheThreePlaceholdersAndKeepEverythingElse) {
  const struct {
    const char* pattern;
    long number;
    std::string name;
  } cases[] = {
      {"D:\\out\\%m\\%c_%f", 0, "D:\\out\\walk\\hero_0000"},
      {"%f%f", 12345, "1234512345"},
      {"%c%m", 7, "herowalk"},
      {"100%", 1, "100%"},
      {"%d %s %x %n", 1, "%d %s %x %n"},
      {"%%f", 3, "%f"},
      {"%s%s%s%s%s%s%s%f", 9, "%s%s%s%s%s%s%s0009"},
      // A double-byte character whose second byte is "%" or "\" is one character.
      {"\x95\x5C%f\x81\x25m", 2, "\x95\x5C" "0002\x81\x25m"},
      {"", 4, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ShotName(c.pattern, "hero", "walk", c.number), c.name) << c.pattern;
  EXPECT_EQ(ShotName("%c-%m", nullptr, nullptr, 0), "-");
  EXPECT_EQ(ShotName(nullptr, "hero", "walk", 0), "");
  // Names from files never lead out of the pattern's folders.
  const struct {
    const char* character;
    const char* motion;
    std::string name;
  } names[] = {
      {"..", "..\\..\\x", "out\\__\\.._.._x\\_0000"},
      {"a/b", "...", "out\\a_b\\___\\_0000"},
      {".hidden", "\x95\x5C", "out\\.hidden\\\x95\x5C\\_0000"},
  };
  for (const auto& n : names) EXPECT_EQ(ShotName("out\\%c\\%m\\_%f", n.character, n.motion, 0), n.name) << n.motion;

  // No fixed buffer: a long folder and many placeholders come out whole.
  std::string pattern(300, 'a'), want(300, 'a');
  for (int i = 0; i < 40; ++i) pattern += "\\%m", want += "\\walk";
  EXPECT_EQ(ShotName(pattern.c_str(), "hero", "walk", 0), want);
}

TEST(ShotFiles, MakeFoldersMakesEachFolderOfThePathButNotTheFile) {
  FrxTest::TempFolder folder;
  // "表" is 0x95 0x5C in Shift-JIS: its second byte is no separator.
  const std::string table = reinterpret_cast<const char*>(u8"表");
  const std::string system = folder.System();
  {
    SCOPED_TRACE("nested, both separators");
    EXPECT_EQ(MakeFolders((system + "a\\b/c\\shot.bmp").c_str()), 1);
    EXPECT_TRUE(folder.Exists("a/b/c"));
    EXPECT_FALSE(folder.Exists("a/b/c/shot.bmp"));
    EXPECT_EQ(MakeFolders((system + "a\\b\\c\\again.bmp").c_str()), 1) << "existing folders are fine";
  }
  {
    SCOPED_TRACE("Shift-JIS");
    EXPECT_EQ(MakeFolders((system + "\x95\x5C\\x.bmp").c_str()), 1);
    EXPECT_TRUE(folder.Exists(table));
    EXPECT_EQ(MakeFolders((system + "\x95\x5C\x95\x5C\\\\x.bmp").c_str()), 1);
    EXPECT_TRUE(folder.Exists(table + table));
    EXPECT_EQ(folder.Count(), 3u) << "a, 表 and 表表: no folder of a lead byte alone";
  }
  {
    SCOPED_TRACE("letter case");
    EXPECT_EQ(MakeFolders((system + "A\\B\\d\\x.bmp").c_str()), 1);
    EXPECT_TRUE(folder.Exists("a/b/d")) << "found as Windows finds it";
    EXPECT_FALSE(folder.Exists("A"));
  }
  {
    SCOPED_TRACE("a file in the way");
    folder.Put("file", "x");
    EXPECT_EQ(MakeFolders((system + "file\\x.bmp").c_str()), 0);
    EXPECT_EQ(MakeFolders((system + "file\\deeper\\x.bmp").c_str()), 0);
    EXPECT_EQ(MakeFolders((system + "file").c_str()), 1) << "the last element is the file";
  }
  EXPECT_EQ(MakeFolders(nullptr), 0);
  EXPECT_EQ(MakeFolders("plain.bmp"), 1);
}

}  // namespace
