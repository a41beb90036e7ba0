// Truncated, lying and foreign files: every reader fails cleanly (the
// sanitizer build checks that no byte outside the data is touched).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "ferrox/testing/TempFolder.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"
#include "vocore/testing/TestImages.h"

namespace {

using MemoryReader = bool (*)(const uint8_t*, size_t, DibImage*);

bool Bmp(const uint8_t* d, size_t n, DibImage* i) { return ReadBmpMemory(d, n, i); }
bool Ppm(const uint8_t* d, size_t n, DibImage* i) { return ReadPpmMemory(d, n, i); }

const std::pair<const char*, MemoryReader> Readers[] = {
    {".bmp", Bmp}, {".tga", ReadTgaMemory}, {".ppm", Ppm}, {".pgm", Ppm}, {".iff", ReadIffMemory},
    {".tim", ReadTimMemory}};

MemoryReader ReaderFor(const std::string& name) {
  for (auto [ext, reader] : Readers)
    if (name.size() > std::strlen(ext) && name.compare(name.size() - std::strlen(ext), std::string::npos, ext) == 0)
      return reader;
  return nullptr;
}

// Reads a prefix from its own heap block, so a read past it is caught.
bool ReadPrefix(MemoryReader reader, const std::vector<uint8_t>& data, size_t length) {
  std::vector<uint8_t> prefix(data.begin(), data.begin() + long(length));
  prefix.shrink_to_fit();
  DibImage image;
  return reader(prefix.data(), prefix.size(), &image);
}

}  // namespace

TEST(DibBadInput, EveryTruncationOfTheFixtures) {
  int files = 0;
  for (const std::string& name : ListDir(ImagesDir())) {
    MemoryReader reader = ReaderFor(name);
    if (!reader || name.find("ref") != std::string::npos || name.find("alpha") != std::string::npos) continue;
    SCOPED_TRACE(name);
    const std::vector<uint8_t> data = ReadBytes(ImagesDir() + name);
    ASSERT_TRUE(ReadPrefix(reader, data, data.size()));
    for (size_t length = 0; length < data.size(); ++length) {
      bool ok = ReadPrefix(reader, data, length);
      if (length <= data.size() / 2) {
        ASSERT_FALSE(ok) << length;
      }
    }
    ++files;
  }
  EXPECT_GE(files, 19);
}

TEST(DibBadInput, TruncatedAssimpTextures) {
  if (AssimpDir().empty()) GTEST_SKIP() << "assimp-testmodels is not installed";
  for (const char* name : {"Collada/duckCM.tga", "SMD/holygrail.tga", "MD2/faerie2.bmp", "LWO/LWO2/white.bmp"}) {
    SCOPED_TRACE(name);
    const std::vector<uint8_t> data = ReadBytes(AssimpDir() + name);
    MemoryReader reader = ReaderFor(name);
    ASSERT_TRUE(ReadPrefix(reader, data, data.size()));
    // Every cut inside the headers and palette, then a spread over the pixels.
    for (size_t length = 0; length < data.size(); length += length < 1100 ? 1 : data.size() / 97)
      EXPECT_FALSE(ReadPrefix(reader, data, length)) << length;
  }
}

TEST(DibBadInput, ForeignFilesAreRefused) {
  const ModulesFromProgramFolder modules;
  std::vector<std::string> paths;
  if (!AssimpDir().empty())
    for (const std::string& name : ListDir(AssimpDir() + "invalid")) paths.push_back(AssimpDir() + "invalid/" + name);
  for (const char* name : {"rgb.ppm", "rgb24.bmp", "rgb.tga", "pal8.iff"}) paths.push_back(ImagesDir() + name);
  int refused = 0;
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    const std::vector<uint8_t> data = ReadBytes(path);
    const bool fixture = path.find("testdata") != std::string::npos;
    for (auto [ext, reader] : Readers) {
      const bool own = fixture && path.size() > 4 && path.compare(path.size() - 4, 4, ext) == 0;
      if (own || std::string(ext) == ".pgm") continue;
      EXPECT_FALSE(ReadPrefix(reader, data, data.size())) << ext;
      ++refused;
    }
    DibImage image;
    EXPECT_FALSE(ReadJpg(path.c_str(), &image));
    EXPECT_FALSE(ReadPng(path.c_str(), &image));
    EXPECT_FALSE(image.IsValid());
  }
  EXPECT_GE(refused, 15);
}

TEST(DibBadInput, LyingHeaders) {
  const std::vector<uint8_t> bmp = ReadBytes(ImagesDir() + "pal8.bmp");
  const std::vector<uint8_t> tga = ReadBytes(ImagesDir() + "cmap.tga");
  const std::vector<uint8_t> iff = ReadBytes(ImagesDir() + "pal8.iff");
  auto patched = [](std::vector<uint8_t> data, size_t at, std::initializer_list<uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), data.begin() + long(at));
    return data;
  };
  auto fails = [](MemoryReader reader, const std::vector<uint8_t>& data) {
    DibImage image;
    return !reader(data.data(), data.size(), &image) || !image.IsValid();
  };
  ASSERT_FALSE(fails(Bmp, bmp));
  EXPECT_TRUE(fails(Bmp, patched(bmp, 46, {1, 1, 0, 0})));                // 257 colours
  EXPECT_TRUE(fails(Bmp, patched(bmp, 18, {0xFF, 0xFF, 0xFF, 0x7F})));    // width overflow
  EXPECT_TRUE(fails(Bmp, patched(bmp, 18, {0, 0x80, 0, 0})));              // 32768 wide, no data
  EXPECT_TRUE(fails(Bmp, patched(bmp, 18, {0xF3, 0xFF, 0xFF, 0xFF})));    // negative width
  EXPECT_TRUE(fails(Bmp, patched(bmp, 22, {0, 0, 0, 0x80})));              // INT32_MIN height
  EXPECT_TRUE(fails(Bmp, patched(bmp, 10, {0xFF, 0xFF, 0, 0})));          // offset past the end
  EXPECT_TRUE(fails(Bmp, patched(bmp, 14, {12, 0, 0, 0})));               // old 12-byte header
  EXPECT_TRUE(fails(Bmp, patched(bmp, 28, {2, 0})));                       // 2 bits a pixel
  {
    DibImage image;
    EXPECT_FALSE(ReadBmpMemory(bmp.data(), bmp.size(), &image, 63 & ~4));  // 8 bits not allowed
  }

  ASSERT_FALSE(fails(ReadTgaMemory, tga));
  EXPECT_TRUE(fails(ReadTgaMemory, patched(tga, 3, {200, 0, 100, 0})));  // map beyond 256 entries
  EXPECT_TRUE(fails(ReadTgaMemory, patched(tga, 7, {16})));               // 16-bit map for 8-bit pixels
  EXPECT_TRUE(fails(ReadTgaMemory, patched(tga, 12, {0xFF, 0xFF, 0xFF, 0xFF})));  // 65535 square
  EXPECT_TRUE(fails(ReadTgaMemory, patched(tga, 2, {11})));               // grey run-length: not read
  EXPECT_TRUE(fails(ReadTgaMemory, patched(tga, 12, {0, 0})));            // no width

  ASSERT_FALSE(fails(ReadIffMemory, iff));
  EXPECT_TRUE(fails(ReadIffMemory, patched(iff, 16, {0x7F, 0xFF, 0xFF, 0xFF})));  // chunk past the end
  EXPECT_TRUE(fails(ReadIffMemory, patched(iff, 12, {'X'})));             // no BMHD before BODY
  EXPECT_TRUE(fails(ReadIffMemory, patched(iff, 28, {0})));               // no planes
  EXPECT_TRUE(fails(ReadIffMemory, patched(iff, 28, {25})));              // too many planes
  EXPECT_TRUE(fails(ReadIffMemory, patched(iff, 30, {2})));               // unknown compression

  std::string ppm = "P6\n30000 30000\n255\n\x01\x02\x03";
  DibImage image;
  EXPECT_FALSE(ReadPpmMemory(reinterpret_cast<const uint8_t*>(ppm.data()), ppm.size(), &image));
  ppm = "P6\n-3 2\n255\n";
  EXPECT_FALSE(ReadPpmMemory(reinterpret_cast<const uint8_t*>(ppm.data()), ppm.size(), &image));
}

TEST(DibBadInput, TruncatedJpegAndPng) {
  const ModulesFromProgramFolder modules;
  const FrxTest::TempFolder scratch;
  const std::string path = scratch.Native("cut");
  for (const char* name : {"rgb.jpg", "progressive.jpg", "rgb.png", "interlaced.png", "pal.png"}) {
    SCOPED_TRACE(name);
    const std::vector<uint8_t> data = ReadBytes(ImagesDir() + name);
    const bool jpeg = std::strstr(name, ".jpg") != nullptr;
    for (size_t length = 0; length < data.size(); length += 7) {
      scratch.Put("cut", std::string(data.begin(), data.begin() + long(length)));
      DibImage image;
      bool ok = jpeg ? ReadJpg(path.c_str(), &image) : ReadPng(path.c_str(), &image);
      // libjpeg finishes a cut scan with grey; headers cut short never load.
      if (length < 100) {
        EXPECT_FALSE(ok) << length;
      }
      if (ok) {
        EXPECT_EQ(image.Width(), 13);
      }
    }
  }
  std::remove(path.c_str());
}

// Hand-built files whose packed data claims more pixels than the image has:
// each reader refuses them, while the same file with an honest run reads.
TEST(DibBadInput, RunsPastTheImage) {
  auto read = [](MemoryReader reader, std::vector<uint8_t> data, DibImage* image) {
    data.shrink_to_fit();  // a read past the end is caught by the sanitizer build
    return reader(data.data(), data.size(), image);
  };
  {  // TGA run-length true colour, 2 x 1
    const std::vector<uint8_t> head = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 1, 0, 24, 0};
    auto with = [&](std::initializer_list<uint8_t> body) {
      std::vector<uint8_t> f = head;
      f.insert(f.end(), body);
      return f;
    };
    DibImage image;
    ASSERT_TRUE(read(ReadTgaMemory, with({0x81, 10, 20, 30}), &image));
    EXPECT_EQ(image.Row(0)[3], 10);
    EXPECT_EQ(image.Row(0)[5], 30);
    EXPECT_FALSE(read(ReadTgaMemory, with({0x82, 10, 20, 30}), &image));         // run of 3
    EXPECT_FALSE(read(ReadTgaMemory, with({0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9}), &image));  // raw 3
    EXPECT_FALSE(read(ReadTgaMemory, with({0x00, 1, 2, 3, 0x80, 4}), &image));   // cut pixel
  }
  {  // ILBM, 8 x 1, one plane, ByteRun1: a plane row is 2 bytes
    auto with = [](std::initializer_list<uint8_t> body) {
      std::vector<uint8_t> f = {'F', 'O', 'R', 'M', 0, 0, 0, 0, 'I', 'L', 'B', 'M',
                                'B', 'M', 'H', 'D', 0, 0, 0, 20, 0, 8, 0, 1, 0, 0, 0, 0,
                                1, 0, 1, 0, 0, 0, 1, 1, 0, 8, 0, 1,
                                'B', 'O', 'D', 'Y', 0, 0, 0, uint8_t(body.size())};
      f.insert(f.end(), body);
      if (body.size() & 1) f.push_back(0);
      const uint32_t form = uint32_t(f.size() - 8);
      f[4] = uint8_t(form >> 24), f[5] = uint8_t(form >> 16), f[6] = uint8_t(form >> 8), f[7] = uint8_t(form);
      return f;
    };
    DibImage image;
    ASSERT_TRUE(read(ReadIffMemory, with({0xFF, 0xAA}), &image));  // 2 x 0xAA
    EXPECT_EQ(image.BitCount(), 1);
    EXPECT_EQ(image.Row(0)[0], 0xAA);
    EXPECT_FALSE(read(ReadIffMemory, with({0xFD, 0xAA}), &image));        // 4 repeats
    EXPECT_FALSE(read(ReadIffMemory, with({0x02, 1, 2, 3}), &image));     // 3 literals
    EXPECT_FALSE(read(ReadIffMemory, with({0x01, 1}), &image));           // literal cut short
  }
  {  // TIM colour table whose length is shorter than its entries
    std::vector<uint8_t> f = {0x10, 0, 0, 0, 8, 0, 0, 0, 12 + 4, 0, 0, 0, 0, 0, 0, 0, 16, 0, 1, 0, 1, 0, 2, 0};
    DibImage image;
    EXPECT_FALSE(read(ReadTimMemory, f, &image));
    f[8] = 12 + 32;  // honest length, but the entries stop after two
    EXPECT_FALSE(read(ReadTimMemory, f, &image));
  }
}
