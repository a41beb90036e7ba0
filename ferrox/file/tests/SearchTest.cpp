#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ferrox/file/File.h"
#include "ferrox/testing/TempFolder.h"

namespace {

using FrxTest::TempFolder;
namespace File = Frx::File;

std::vector<std::string> Names(const std::list<File::SearchData>& found) {
  std::vector<std::string> names;
  for (const File::SearchData& d : found) names.push_back(d.name.Get());
  return names;
}

std::vector<std::string> Search(const TempFolder& dir, const std::string& folder, const char* pattern) {
  std::list<File::SearchData> found;
  File::Search(found, dir.System(folder).c_str(), pattern);
  return Names(found);
}

// A folder whose names sort differently in UTF-8 and in Shift-JIS:
// "ー" (0x815B, UTF-8 E3 83 BC) comes before "あ" (0x82A0, UTF-8 E3 81 82)
// and "Ａ" (0x8260, UTF-8 EF BC A1) in Shift-JIS.
class SearchFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Put("b.txt", "bb");
    dir.Put("A.txt", "a");
    dir.Put("c.MQO", "ccc");
    dir.Put("noext", "");
    dir.Put("Sub/inner.bmp", "1234");
    dir.Put("\xE8\xA1\xA8.txt", "hyou");            // 表.txt
    dir.Put("\xE3\x81\x82.mqo", "a");                // あ.mqo
    dir.Put("\xE3\x83\xBC.mqo", "-");                // ー.mqo
    dir.Put("\xEF\xBC\xA1.mqo", "A");                // Ａ.mqo
  }
  TempFolder dir;
};

TEST_F(SearchFolder, EveryEntrySortedWithFlags) {
  std::list<File::SearchData> found;
  File::Search(found, dir.System().c_str(), "*");
  const std::vector<std::string> expected = {"A.txt", "Sub", "b.txt", "c.MQO", "noext",
                                             "ー.mqo", "Ａ.mqo", "あ.mqo", "表.txt"};
  EXPECT_EQ(Names(found), expected);
  for (const File::SearchData& d : found) {
    if (d.name == "Sub") {
      EXPECT_TRUE(d.isDirectory);
      EXPECT_EQ(d.size, 0u);
    } else {
      EXPECT_FALSE(d.isDirectory) << d.name.Get();
    }
    if (d.name == "c.MQO") {
      EXPECT_EQ(d.size, 3u);
    }
    if (d.name == "表.txt") {
      EXPECT_EQ(d.size, 4u);
    }
  }
  EXPECT_EQ(Search(dir, "", "*.*"), expected);
}

TEST_F(SearchFolder, WildcardsWithoutCase) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Search(dir, "", "*.mqo"), (V{"c.MQO", "ー.mqo", "Ａ.mqo", "あ.mqo"}));
  EXPECT_EQ(Search(dir, "", "?.txt"), (V{"A.txt", "b.txt", "表.txt"}));
  EXPECT_EQ(Search(dir, "", "*."), (V{"Sub", "noext"}));
  EXPECT_EQ(Search(dir, "", "NOEXT.*"), (V{"noext"}));
  EXPECT_EQ(Search(dir, "", "ａ.MQO"), (V{"Ａ.mqo"}));
  EXPECT_EQ(Search(dir, "", "b.txt"), (V{"b.txt"}));
  EXPECT_EQ(Search(dir, "", "zz*"), V{});
  EXPECT_EQ(Search(dir, "", ""), V{});
  // The folder is found in any case, with either separator.
  EXPECT_EQ(Search(dir, "sub\\", "*"), (V{"inner.bmp"}));
  EXPECT_EQ(Search(dir, "SUB/", "*.BMP"), (V{"inner.bmp"}));
  EXPECT_EQ(Search(dir, "missing\\", "*"), V{});
}

TEST_F(SearchFolder, AppendsWithoutClearing) {
  std::list<File::SearchData> found;
  found.push_back(File::SearchData{Frx::Pstring("kept"), false, 1});
  File::Search(found, dir.System("Sub\\").c_str(), "*");
  File::Search(found, dir.System("Sub\\").c_str(), "*");
  EXPECT_EQ(Names(found), (std::vector<std::string>{"kept", "inner.bmp", "inner.bmp"}));
  File::Search(found, nullptr, nullptr);
  EXPECT_EQ(found.size(), 3u);
}

TEST_F(SearchFolder, Exist) {
  struct Case {
    const char* path;
    int asFile;
    int asFolder;
  } const cases[] = {
      {"b.txt", 1, 0},   {"B.TXT", 1, 0},    {"Sub", 0, 1},     {"sub\\", 0, 1},
      {"sub\\inner.bmp", 1, 0}, {"*.mqo", 1, 0}, {"S*", 0, 1},  {"missing", 0, 0},
      {"*.zip", 0, 0},   {"表.txt", 1, 0},   {"sub\\*.bmp", 1, 0}, {"missing\\*", 0, 0},
  };
  for (const Case& c : cases) {
    const std::string path = dir.System(c.path);
    EXPECT_EQ(File::Exist(path.c_str(), 0), c.asFile) << c.path;
    EXPECT_EQ(File::Exist(path.c_str(), 1), c.asFolder) << c.path;
  }
  EXPECT_EQ(File::Exist(nullptr, 0), 0);
  EXPECT_EQ(File::Exist("", 1), 0);
}

}  // namespace
