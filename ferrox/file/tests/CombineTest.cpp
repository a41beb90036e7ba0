#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ferrox/file/Path.h"

namespace {

namespace Path = Frx::Path;

std::string Str(const char* p) { return p ? p : "(null)"; }

TEST(PathCanonicalize, ResolvesDotsLikeTheShell) {
  struct Case {
    const char* path;
    const char* result;
  } const cases[] = {
      {"A:\\name_1\\.\\name_2\\..\\name_3", "A:\\name_1\\name_3"},
      {"A:\\name_1\\..\\name_2\\.\\name_3", "A:\\name_2\\name_3"},
      {"A:\\name_1\\name_2\\.\\name_3\\..\\name_4", "A:\\name_1\\name_2\\name_4"},
      {"A:\\name_1\\.\\name_2\\.\\name_3\\..\\name_4\\..", "A:\\name_1\\name_2"},
      {"C:\\..", "C:\\"},
      {"C:\\a\\..\\..\\b", "C:\\b"},
      {"C:", "C:\\"},
      {"", "\\"},
      {"\\..\\a", "\\a"},
      {"a\\b\\..\\", "a\\"},
      {"a\\.\\b", "a\\b"},
      {"a\\b\\.", "a\\b"},
      {"..\\a", "..\\a"},
      {"a\\..\\..\\b", "..\\b"},
      {"a/./b/../c", "a/c"},
      {"\\\\srv\\share\\a\\..\\..\\b", "\\\\srv\\share\\b"},
      {"ソ\\..\\b", "b"},
      {"表\\.", "表"},
      {"dir\\ソ\\", "dir\\ソ\\"},
      {"a\\.hidden\\..x", "a\\.hidden\\..x"},
      {"a\\\x83", "a\\\x83"},
  };
  for (const Case& c : cases) {
    char out[Path::MaxPath];
    EXPECT_EQ(Str(Path::Canonicalize(out, c.path)), c.result) << c.path;
  }
}

TEST(PathCanonicalize, Failures) {
  char out[Path::MaxPath] = "junk";
  EXPECT_EQ(Path::Canonicalize(out, nullptr), nullptr);
  EXPECT_STREQ(out, "");
  const std::string longPath = "C:\\" + std::string(Path::MaxPath, 'a');
  std::strcpy(out, "junk");
  EXPECT_EQ(Path::Canonicalize(out, longPath.c_str()), nullptr);
  EXPECT_STREQ(out, "");
  const std::string fits(Path::MaxPath - 1, 'b');
  ASSERT_NE(Path::Canonicalize(out, fits.c_str()), nullptr);
  EXPECT_EQ(std::string(out), fits);
}

TEST(PathCombine, JoinsLikeTheShell) {
  struct Case {
    const char* a;
    const char* b;
    const char* result;
  } const cases[] = {
      {"C:\\a", "b", "C:\\a\\b"},
      {"C:\\a\\", "b", "C:\\a\\b"},
      {"C:\\a\\x", "\\b", "C:\\b"},
      {"C:\\a", "D:\\b", "D:\\b"},
      {"C:\\a\\b", "..\\c", "C:\\a\\c"},
      {"C:\\a", ".\\c", "C:\\a\\c"},
      {"", "x", "x"},
      {"dir", "", "dir"},
      {"dir\\tex", "..\\..\\..\\x.bmp", "..\\x.bmp"},
      {"models/", "tex.bmp", "models/tex.bmp"},
      {"ソ", "a.bmp", "ソ\\a.bmp"},
      {"表\\ソ", "..\\a.bmp", "表\\a.bmp"},
      {"\\\\srv\\share\\a", "\\b", "\\\\srv\\share\\b"},
      {"dir", "\\\\srv\\share", "\\\\srv\\share"},
      {nullptr, "a\\.\\b", "a\\b"},
      {"a\\b", nullptr, "a\\b"},
  };
  for (const Case& c : cases) {
    char out[Path::MaxPath];
    EXPECT_EQ(Str(Path::Combine(out, c.a, c.b)), c.result) << Str(c.a) << " + " << Str(c.b);
    EXPECT_EQ(Path::Combine(c.a, c.b), c.result);
  }
}

TEST(PathCombine, TooLongOrNothing) {
  char out[Path::MaxPath] = "junk";
  EXPECT_EQ(Path::Combine(out, nullptr, nullptr), nullptr);
  EXPECT_STREQ(out, "");
  const std::string half(150, 'a');
  std::strcpy(out, "junk");
  EXPECT_EQ(Path::Combine(out, half.c_str(), half.c_str()), nullptr);
  EXPECT_STREQ(out, "");
  EXPECT_TRUE(Path::Combine(half.c_str(), half.c_str()).IsEmpty());
  EXPECT_EQ(Path::Combine(nullptr, out, "a"), nullptr);
}

}  // namespace
