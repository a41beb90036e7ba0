#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/FindPath.h"
#include "platform/files/RegularFile.h"
#include "platform/testing/TempFolder.h"

namespace {

namespace fs = std::filesystem;
namespace Files = Platform::Files;

using PlatformTesting::TempFolder;

TEST(Files, ReadRegularFileTakesOnlyRegularFilesWithinTheLimit) {
  TempFolder dir;
  ASSERT_FALSE(dir.path().empty());
  const std::string fifo = dir.path() + "/pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", (dir.path() + "/zero.bmp").c_str()), 0);
  ASSERT_EQ(symlink("full.bin", (dir.path() + "/link.bin").c_str()), 0);
  constexpr size_t Limit = 16;
  struct Row {
    std::string path;
    bool ok;
    size_t size;
  };
  const Row rows[] = {
      {dir.Write("full.bin", std::string(Limit, 'x')), true, Limit},
      {dir.Write("empty.bin", ""), true, 0},
      {dir.path() + "/link.bin", true, Limit},
      {dir.Write("over.bin", std::string(Limit + 1, 'x')), false, 0},
      {dir.path(), false, 0},
      {fifo, false, 0},  // would block if opened for a blocking read
      {"/dev/zero", false, 0},
      {"/dev/urandom", false, 0},
      {dir.path() + "/zero.bmp", false, 0},
      {dir.path() + "/missing.bin", false, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    std::vector<uint8_t> bytes(3, 1);
    EXPECT_EQ(Files::ReadRegularFile(row.path, Limit, &bytes), row.ok);
    EXPECT_EQ(bytes.size(), row.size);
  }
}

TEST(Files, NamesAreFoundWithoutRegardToCase) {
  struct Pair {
    const char* a;
    const char* b;
    bool same;
  };
  const Pair pairs[] = {
      {"Tex.BMP", "tex.bmp", true},
      {"\xEF\xBC\xA1\xEF\xBC\xBA", "\xEF\xBD\x81\xEF\xBD\x9A", true},  // full-width AZ, az
      {"\xCE\x91\xCE\xA9", "\xCE\xB1\xCF\x89", true},                  // Greek Alpha Omega
      {"\xD0\x81\xD0\xAF", "\xD1\x91\xD1\x8F", true},                  // Cyrillic Io Ya
      {"\xE8\xA1\xA8", "\xE8\xA1\xA8", true},                          // kanji, no case
      {"tex", "tex.bmp", false},
      {"a\xE8\xA1", "a\xE8\xA1", true},                                // cut sequence
      {"\xE8\xA1", "\xE8\xA2", false},
      {"", "", true},
  };
  for (const Pair& p : pairs) {
    SCOPED_TRACE(std::string(p.a) + " / " + p.b);
    EXPECT_EQ(Files::SameIgnoringCase(p.a, p.b), p.same);
    EXPECT_EQ(Files::SameIgnoringCase(p.b, p.a), p.same);
  }

  TempFolder dir;
  ASSERT_FALSE(dir.path().empty());
  fs::create_directory(dir.path() + "/Maps");
  dir.Write("Maps/Skin.BMP", "");
  dir.Write("Maps/b.txt", "");
  dir.Write("Maps/B.txt", "");
  dir.Write("Maps/\xEF\xBC\xB4" "ex.png", "");  // full-width T
  const std::string base = dir.path() + "/";
  EXPECT_EQ(Files::FindIgnoringCase(base + "Maps/Skin.BMP"), base + "Maps/Skin.BMP");
  EXPECT_EQ(Files::FindIgnoringCase(base + "maps/skin.bmp"), base + "Maps/Skin.BMP");
  EXPECT_EQ(Files::FindIgnoringCase(base + "MAPS//./SKIN.bmp"), base + "Maps/./Skin.BMP");
  // Of two names that differ only in case, the first in byte order.
  EXPECT_EQ(Files::FindIgnoringCase(base + "maps/b.TXT"), base + "Maps/B.txt");
  EXPECT_EQ(Files::FindIgnoringCase(base + "maps/\xEF\xBD\x94" "EX.PNG"), base + "Maps/\xEF\xBC\xB4" "ex.png");
  EXPECT_EQ(Files::FindIgnoringCase(base + "maps/skin.bmp/x"), "");
  EXPECT_EQ(Files::FindIgnoringCase(base + "nothing/skin.bmp"), "");
  EXPECT_EQ(Files::FindIgnoringCase(""), "");
}

}  // namespace
