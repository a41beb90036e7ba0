#include "ferrox/file/Path.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

namespace Path = Frx::Path;

// "ソ" and "表" end in 0x5C, the byte of the separator "\", and are never split.

// A heap copy of exactly the text's size, so a read past the terminator is
// caught by the address sanitizer.
std::unique_ptr<char[]> Exact(const char* text) {
  const size_t n = std::strlen(text) + 1;
  std::unique_ptr<char[]> copy(new char[n]);
  std::memcpy(copy.get(), text, n);
  return copy;
}

std::string Str(const char* p) { return p ? p : "(null)"; }

TEST(Path, FindName) {
  struct Case {
    const char* path;
    const char* name;  // null: none
  } const cases[] = {
      {"data\\model.mqo", "model.mqo"},
      {"data\\sub\\", "sub\\"},
      {"a/b|c", "c"},
      {"D:model.mqo", "model.mqo"},
      {"model.mqo", "model.mqo"},
      {"D:", nullptr},
      {"", nullptr},
      {"\\", "\\"},
      {"dir\\ソ", "ソ"},
      {"dir\\表示ソ\\", "表示ソ\\"},
      {"ソ\\表", "表"},
      {"dir\\a\x83", "a\x83"},
  };
  for (const Case& c : cases) {
    auto path = Exact(c.path);
    const char* found = Path::FindName(path.get());
    EXPECT_EQ(Str(found), Str(c.name)) << c.path;
    if (found) {
      EXPECT_TRUE(found >= path.get() && found < path.get() + std::strlen(c.path));
    }
  }
  EXPECT_EQ(Path::FindName(nullptr), nullptr);
}

TEST(Path, FindExt) {
  struct Case {
    const char* path;
    const char* ext;
  } const cases[] = {
      {"a.txt", ".txt"},       {"a.tar.gz", ".gz"},  {"dir.x\\name", ""},  {"dir.x/name", ""},
      {"noext", ""},           {"表.mqo", ".mqo"},   {"ソ.x\\a", ""},     {"my file.t x", ""},
      {"a.\x83", ".\x83"},     {"", ""},            {".hidden", ".hidden"},
  };
  for (const Case& c : cases) {
    auto path = Exact(c.path);
    EXPECT_EQ(Str(Path::FindExt(path.get())), c.ext) << c.path;
  }
}

TEST(Path, GetName) {
  char out[Path::MaxPath];
  EXPECT_EQ(Path::GetName(out, "data\\model.mqo"), 1);
  EXPECT_STREQ(out, "model.mqo");
  std::strcpy(out, "kept");
  EXPECT_EQ(Path::GetName(out, "D:"), 0);
  EXPECT_STREQ(out, "kept");
  EXPECT_EQ(Path::GetName("dir\\表.bmp"), "表.bmp");
  EXPECT_EQ(Path::GetName(""), "");
}

TEST(Path, ClassAndDrive) {
  struct Case {
    const char* path;
    const char* cls;
  } const cases[] = {
      {"D:\\dir\\a.txt", "D"}, {"dir\\a:b", ""},  {"bone:arm", "bone"}, {"noclass", ""},
      {"ソ:x", "ソ"},          {"表\\a:b", ""},   {"", ""},             {"a\x83", ""},
  };
  for (const Case& c : cases) {
    char out[Path::MaxPath] = "junk";
    auto path = Exact(c.path);
    EXPECT_EQ(Path::GetClass(out, path.get()), 1);
    EXPECT_STREQ(out, c.cls) << c.path;
    char drive[Path::MaxPath] = "junk";
    EXPECT_EQ(Path::GetDrive(drive, path.get()), 1);
    EXPECT_STREQ(drive, c.cls) << c.path;
  }
  EXPECT_EQ(Path::CmpClass("bone:arm", "BONE"), 1);
  EXPECT_EQ(Path::CmpClass("sbone:arm", "bone"), 0);
  EXPECT_EQ(Path::CmpClass("bone:arm", "bon"), 0);
  EXPECT_EQ(Path::CmpClass("dir\\bone:arm", "dir"), 0);
  EXPECT_EQ(Path::CmpClass("ボーン:腕", "ボーン"), 1);
}

TEST(Path, GetPathOut) {
  struct Case {
    const char* path;
    const char* dir;
    const char* classPath;
  } const cases[] = {
      {"D:\\dir\\a.txt", "\\dir\\", "D:\\dir\\"},
      {"dir/sub/a", "dir/sub/", "dir/sub/"},
      {"data:x|y", "x|", "data:x|"},
      {"ソ\\a", "ソ\\", "ソ\\"},
      {"dir\\ソ", "dir\\", "dir\\"},
      {"表", "", ""},
      {"", "", ""},
      {"dir\\a\x83", "dir\\", "dir\\"},
  };
  for (const Case& c : cases) {
    auto path = Exact(c.path);
    char out[Path::MaxPath] = "junk";
    EXPECT_EQ(Path::GetPath(out, path.get()), 1);
    EXPECT_STREQ(out, c.dir) << c.path;
    EXPECT_EQ(Path::GetClassPath(out, path.get()), 1);
    EXPECT_STREQ(out, c.classPath) << c.path;
  }
}

TEST(Path, GetPathString) {
  struct Case {
    const char* path;
    const char* dir;
  } const cases[] = {
      {"D:\\dir\\a.txt", "D:\\dir\\"}, {"data:dir\\a", "data:dir\\"}, {"a.txt", ""},
      {"D:a.txt", "D:"},              {"dir\\ソ", "dir\\"},          {"ソ\\表", "ソ\\"},
      {"x/y|z", "x/y|"},              {"", ""},                     {"dir\\\x83", "dir\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(Path::GetPath(Frx::Pstring(c.path)), c.dir) << c.path;
}

TEST(Path, GetLastPath) {
  struct Case {
    const char* path;
    const char* last;
  } const cases[] = {
      {"D:\\dir\\sub\\", "sub"}, {"a\\b\\c", "c"}, {"a\\b\\c\\", "c"}, {"c", "c"},
      {"", ""},                 {"\\", ""},       {"a\\b\\\\", ""},   {"dir\\ソ", "ソ"},
      {"ソ\\", "ソ"},           {"表\\ソ\\", "ソ"}, {"a/b|c|", "c"},   {"a\\\x83", "\x83"},
  };
  for (const Case& c : cases) {
    auto path = Exact(c.path);
    char out[Path::MaxPath] = "junk";
    EXPECT_EQ(Path::GetLastPath(out, path.get()), 1);
    EXPECT_STREQ(out, c.last) << c.path;
  }
}

TEST(Path, CmpExt) {
  struct Case {
    const char* path;
    const char* ext;
    int result;
  } const cases[] = {
      {"a.MQO", "mqo", 1},  {"a.mqo", ".mqo", 0},      {"a", "mqo", 0},
      {"dir.mqo\\a", "mqo", 0}, {"a.mqo", "mq", 0},    {"表.Bvh", "BVH", 1},
      {"ソ.kvm", "kvm", 1}, {"a.mqo.bak", "mqo", 0},   {"a.\x83", "\x83", 1},
  };
  for (const Case& c : cases) {
    auto path = Exact(c.path);
    EXPECT_EQ(Path::CmpExt(path.get(), c.ext), c.result) << c.path << " " << c.ext;
  }
}

}  // namespace
