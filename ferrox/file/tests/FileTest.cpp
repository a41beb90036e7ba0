#include "ferrox/file/File.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/testing/LogCapture.h"
#include "ferrox/testing/TempFolder.h"

namespace {

using FrxTest::LogCapture;
using FrxTest::TempFolder;
namespace File = Frx::File;

// UTF-8 bytes of "テクスチャ表.txt" as it lies on disk.
const char* const kHyouUtf8 = "\xE8\xA1\xA8";  // 表
const char* const kJapaneseUtf8 = "\xE3\x83\x86\xE3\x82\xAF\xE3\x82\xB9\xE3\x83\x81\xE3\x83\xA3\xE8\xA1\xA8.txt";

struct Buffer {
  char* data = nullptr;
  ~Buffer() { File::Free(data); }
};

TEST(FileRead, WholeFileWithTerminator) {
  TempFolder dir;
  const std::string bytes("a\r\nb\0c\n", 7);
  dir.Put("bin.dat", bytes);
  unsigned long size = 99;
  Buffer b{File::Read(dir.System("bin.dat").c_str(), &size)};
  ASSERT_NE(b.data, nullptr);
  EXPECT_EQ(size, 7u);
  EXPECT_EQ(std::string(b.data, size), bytes);
  EXPECT_EQ(b.data[size], '\0');

  dir.Put("empty.dat", "");
  size = 99;
  Buffer e{File::Read(dir.System("empty.dat").c_str(), &size)};
  ASSERT_NE(e.data, nullptr);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(e.data[0], '\0');

  // A text that fills the file exactly ends where the file ends.
  dir.Put("text.txt", "Metasequoia Document");
  Buffer t{File::Read(dir.System("text.txt").c_str(), nullptr)};
  ASSERT_NE(t.data, nullptr);
  EXPECT_STREQ(t.data, "Metasequoia Document");
}

TEST(FileReadText, TranslatesCrLfAndReadsEverything) {
  TempFolder dir;
  dir.Put("mixed.txt", "a\r\nb\nc\rd\r\n\r\n");
  unsigned long size = 0;
  Buffer m{File::ReadText(dir.System("mixed.txt").c_str(), &size)};
  ASSERT_NE(m.data, nullptr);
  EXPECT_EQ(size, 12u);  // the file's bytes, not the text's
  EXPECT_STREQ(m.data, "a\nb\nc\rd\n\n");
  for (unsigned long i = 9; i < size + 4; ++i) EXPECT_EQ(m.data[i], '\0') << i;

  // A long file with LF-only lines comes back whole.
  std::string lines;
  for (int i = 0; i < 20000; ++i) lines += "line " + std::to_string(i) + "\n";
  dir.Put("lf.txt", lines);
  Buffer l{File::ReadText(dir.System("lf.txt").c_str(), &size)};
  ASSERT_NE(l.data, nullptr);
  EXPECT_EQ(size, lines.size());
  EXPECT_EQ(std::string(l.data), lines);

  // The same lines with CR LF give the same text.
  std::string crlf;
  for (char c : lines) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  dir.Put("crlf.txt", crlf);
  Buffer c{File::ReadText(dir.System("crlf.txt").c_str(), &size)};
  ASSERT_NE(c.data, nullptr);
  EXPECT_EQ(size, crlf.size());
  EXPECT_EQ(std::string(c.data), lines);

  dir.Put("empty.txt", "");
  Buffer e{File::ReadText(dir.System("empty.txt").c_str(), &size)};
  ASSERT_NE(e.data, nullptr);
  EXPECT_EQ(size, 0u);
  EXPECT_STREQ(e.data, "");
}

TEST(FileRead, MissingFilesAreLogged) {
  TempFolder dir;
  LogCapture log;
  const std::string missing = dir.System("missing.mqo");
  unsigned long size = 7;
  EXPECT_EQ(File::Read(missing.c_str(), &size), nullptr);
  EXPECT_EQ(size, 7u);
  EXPECT_TRUE(log.Contains("File::Read: '" + missing + "' can't open file \n")) << log.Text();
  EXPECT_EQ(File::ReadText(missing.c_str(), &size), nullptr);
  EXPECT_TRUE(log.Contains("File::ReadText: '" + missing + "' can't open file\n")) << log.Text();
  EXPECT_EQ(File::Size(missing.c_str()), 0u);
  EXPECT_TRUE(log.Contains("File::Size: '" + missing + "' can't open file\n")) << log.Text();
  // A folder is not a file.
  EXPECT_EQ(File::Read(dir.System().c_str(), &size), nullptr);
  EXPECT_EQ(File::Size(dir.System().c_str()), 0u);
  EXPECT_EQ(File::Read(nullptr, &size), nullptr);
  EXPECT_EQ(File::Read("", &size), nullptr);
  File::Free(nullptr);
}

TEST(FileRead, DebugModeLogsSizes) {
  TempFolder dir;
  LogCapture log;
  dir.Put("a.txt", "12345");
  const std::string path = dir.System("a.txt");
  Frx::theFerrox.debug = false;
  Buffer quiet{File::Read(path.c_str(), nullptr)};
  EXPECT_FALSE(log.Contains("size")) << log.Text();
  Frx::theFerrox.debug = true;
  Buffer r{File::Read(path.c_str(), nullptr)};
  Buffer t{File::ReadText(path.c_str(), nullptr)};
  char data[] = "xyz";
  EXPECT_EQ(File::Write(data, 3, dir.System("b.txt").c_str()), 1);
  char line[512];
  std::snprintf(line, sizeof line, "File::Read: '%16s' size %8dbyte\n", path.c_str(), 5);
  EXPECT_TRUE(log.Contains(line)) << log.Text();
  std::snprintf(line, sizeof line, "File::ReadText: '%16s' size %8dbyte\n", path.c_str(), 5);
  EXPECT_TRUE(log.Contains(line)) << log.Text();
  EXPECT_TRUE(log.Contains("' size        3byte\n")) << log.Text();
}

TEST(FileWrite, ReplacesWholeFiles) {
  TempFolder dir;
  LogCapture log;
  char data[] = "first\nsecond\n";
  const std::string path = dir.System("out.txt");
  EXPECT_EQ(File::Write(data, 13, path.c_str()), 1);
  EXPECT_EQ(dir.Get("out.txt"), "first\nsecond\n");  // no line-end translation
  EXPECT_EQ(File::Size(path.c_str()), 13u);

  chmod(dir.Native("out.txt").c_str(), 0640);
  char shorter[] = "x";
  EXPECT_EQ(File::Write(shorter, 1, path.c_str()), 1);
  EXPECT_EQ(dir.Get("out.txt"), "x");
  struct stat st;
  ASSERT_EQ(stat(dir.Native("out.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  EXPECT_EQ(File::Write(shorter, 0, dir.System("zero.txt").c_str()), 1);
  EXPECT_EQ(File::Size(dir.System("zero.txt").c_str()), 0u);

  // Failures leave the old file and no temporary behind.
  EXPECT_EQ(File::Write(shorter, -1, path.c_str()), 0);
  EXPECT_EQ(File::Write(nullptr, 3, path.c_str()), 0);
  EXPECT_EQ(dir.Get("out.txt"), "x");
  const std::string noFolder = dir.System("nofolder\\a.txt");
  EXPECT_EQ(File::Write(data, 3, noFolder.c_str()), 0);
  EXPECT_TRUE(log.Contains("File::Write: '" + noFolder + "' can't open file\n")) << log.Text();
  EXPECT_EQ(File::Write(data, 3, dir.System().c_str()), 0);  // a folder
  EXPECT_EQ(dir.Count(), 2u);  // out.txt, zero.txt and no leftovers
}

TEST(FileNames, JapaneseNamesThroughShiftJisPaths) {
  TempFolder dir;
  dir.Put(std::string(kHyouUtf8) + "/" + kJapaneseUtf8, "テキスト");
  // "表" and "ソ" hold the byte 0x5C; the system path uses "\" separators.
  const std::string path = dir.System("表\\テクスチャ表.txt");
  unsigned long size = 0;
  Buffer b{File::Read(path.c_str(), &size)};
  ASSERT_NE(b.data, nullptr);
  EXPECT_EQ(std::string(b.data, size), "テキスト");
  EXPECT_EQ(File::Size(path.c_str()), 8u);

  char data[] = "ソース";
  ASSERT_EQ(File::Write(data, 6, dir.System("表\\ソース.txt").c_str()), 1);
  EXPECT_EQ(dir.Get(std::string(kHyouUtf8) + "/\xE3\x82\xBD\xE3\x83\xBC\xE3\x82\xB9.txt"), "ソース");
}

TEST(FileNames, FoundWithoutRegardToCase) {
  TempFolder dir;
  dir.Put("Tex/Skin.BMP", "skin");
  dir.Put("A.TXT", "upper");
  dir.Put("a.txt", "lower");
  dir.Put("\xEF\xBC\xA1\xEF\xBC\xA2.txt", "full");  // ＡＢ.txt
  unsigned long size = 0;
  Buffer skin{File::Read(dir.System("tex\\skin.bmp").c_str(), &size)};
  ASSERT_NE(skin.data, nullptr);
  EXPECT_STREQ(skin.data, "skin");
  EXPECT_EQ(File::Size(dir.System("TEX\\SKIN.bmp").c_str()), 4u);
  // An exact name wins; otherwise the first match in byte order.
  Buffer lower{File::Read(dir.System("a.txt").c_str(), nullptr)};
  Buffer upper{File::Read(dir.System("A.TXT").c_str(), nullptr)};
  Buffer mixed{File::Read(dir.System("a.TXT").c_str(), nullptr)};
  ASSERT_TRUE(lower.data && upper.data && mixed.data);
  EXPECT_STREQ(lower.data, "lower");
  EXPECT_STREQ(upper.data, "upper");
  EXPECT_STREQ(mixed.data, "upper");
  Buffer full{File::ReadText(dir.System("ａｂ.TXT").c_str(), nullptr)};
  ASSERT_NE(full.data, nullptr);
  EXPECT_STREQ(full.data, "full");

  // Writing in another case replaces the existing file, as Windows would.
  char data[] = "new";
  ASSERT_EQ(File::Write(data, 3, dir.System("TEX\\SKIN.BMP").c_str()), 1);
  EXPECT_EQ(dir.Get("Tex/Skin.BMP"), "new");
  EXPECT_EQ(dir.Count("Tex"), 1u);
}

}  // namespace
