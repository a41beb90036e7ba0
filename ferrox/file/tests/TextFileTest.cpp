#include "ferrox/file/TextFile.h"

#include <gtest/gtest.h>

#include <string>

#include "ferrox/file/File.h"
#include "ferrox/testing/TempFolder.h"

namespace {

using FrxTest::TempFolder;
namespace File = Frx::File;

std::string ReadAll(FILE* f) {
  std::string text;
  char buffer[7];  // small, so lines cross buffer ends
  while (fgets(buffer, sizeof buffer, f)) text += buffer;
  return text;
}

TEST(TextFile, WritersPutCrLf) {
  TempFolder dir;
  FILE* f = File::Open(dir.System("motion.kvm").c_str(), "w");
  ASSERT_NE(f, nullptr);
  fprintf(f, "Savora Motion Ver 2\n%s {\n\tframe = %d\n}\n", "表", 3);
  fputc('\n', f);
  EXPECT_EQ(fclose(f), 0);
  EXPECT_EQ(dir.Get("motion.kvm"), "Savora Motion Ver 2\r\n表 {\r\n\tframe = 3\r\n}\r\n\r\n");

  f = File::Open(dir.System("raw.mqo").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  fputs("a\nb\n", f);
  EXPECT_EQ(fclose(f), 0);
  EXPECT_EQ(dir.Get("raw.mqo"), "a\nb\n");

  f = File::Open(dir.System("MOTION.KVM").c_str(), "a");  // appends to motion.kvm
  ASSERT_NE(f, nullptr);
  fputs("end\n", f);
  EXPECT_EQ(fclose(f), 0);
  EXPECT_EQ(dir.Get("motion.kvm"), "Savora Motion Ver 2\r\n表 {\r\n\tframe = 3\r\n}\r\n\r\nend\r\n");

  EXPECT_EQ(File::WriteText(dir.System("one.txt").c_str(), "x\ny"), 1);
  EXPECT_EQ(dir.Get("one.txt"), "x\r\ny");
  EXPECT_EQ(File::WriteText(dir.System("none\\one.txt").c_str(), "x"), 0);
}

TEST(TextFile, ReadersDropCrBeforeLf) {
  TempFolder dir;
  std::string crlf, lf;
  for (int i = 0; i < 500; ++i) {
    const std::string line = "line " + std::to_string(i) + (i % 7 == 0 ? "\r" : "");
    crlf += line + "\r\n";
    lf += line + "\n";
  }
  crlf += "last\r";
  lf += "last\r";
  dir.Put("Text.TXT", crlf);
  FILE* f = File::Open(dir.System("text.txt").c_str(), "r");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(ReadAll(f), lf);
  rewind(f);
  char first[16];
  ASSERT_NE(fgets(first, sizeof first, f), nullptr);
  EXPECT_STREQ(first, "line 0\r\n");  // "line 0\r" then CR LF: only the pair folds
  fclose(f);

  // Agrees with the whole-file reader.
  char* whole = File::ReadText(dir.System("text.txt").c_str(), nullptr);
  ASSERT_NE(whole, nullptr);
  EXPECT_EQ(std::string(whole), lf);
  File::Free(whole);

  f = File::Open(dir.System("text.txt").c_str(), "rb");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(ReadAll(f), crlf);
  fclose(f);

  EXPECT_EQ(File::Open(dir.System("missing.txt").c_str(), "r"), nullptr);
  EXPECT_EQ(File::Open(dir.System().c_str(), "r"), nullptr);
  EXPECT_EQ(File::Open(dir.System("x").c_str(), "q"), nullptr);
  EXPECT_EQ(File::Open(nullptr, "r"), nullptr);
}

TEST(TextFile, TargetReplacedOnlyWhenDone) {
  TempFolder dir;
  dir.Put("keep.txt", "good");
  const std::string path = dir.System("keep.txt");
  {
    File::TextWriter writer;
    ASSERT_EQ(writer.Open(path.c_str()), 1);
    writer.Printf("half");
    EXPECT_EQ(dir.Get("keep.txt"), "good");
  }  // dropped without Close
  EXPECT_EQ(dir.Get("keep.txt"), "good");
  EXPECT_EQ(dir.Count(), 1u);

  FILE* f = File::Open(path.c_str(), "w");
  ASSERT_NE(f, nullptr);
  fputs("new\n", f);
  fflush(f);
  EXPECT_EQ(dir.Get("keep.txt"), "good");  // still the old one until fclose
  EXPECT_EQ(fclose(f), 0);
  EXPECT_EQ(dir.Get("keep.txt"), "new\r\n");
  EXPECT_EQ(dir.Count(), 1u);

  File::TextWriter writer;
  EXPECT_EQ(writer.Open(dir.System("none\\x.txt").c_str()), 0);
  EXPECT_EQ(writer.Close(), 0);
  ASSERT_EQ(writer.Open(path.c_str()), 1);
  const std::string longText(3000, 'z');
  writer.Printf("%s\n%d\n", longText.c_str(), 7);
  writer.Write("tail\n");
  writer.Write("\n", 1);
  EXPECT_EQ(writer.Close(), 1);
  EXPECT_EQ(dir.Get("keep.txt"), longText + "\r\n7\r\ntail\r\n\r\n");
}

TEST(TextFile, BinaryWritersCanSeek) {
  TempFolder dir;
  FILE* f = File::Open(dir.System("image.bmp").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  fputs("XXXXbody", f);
  ASSERT_EQ(fseek(f, 0, SEEK_SET), 0);
  fputs("HEAD", f);
  EXPECT_EQ(fclose(f), 0);
  EXPECT_EQ(dir.Get("image.bmp"), "HEADbody");
}

}  // namespace
