// Decoding of every format against other programs' decoders.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"
#include "vocore/testing/TestImages.h"

namespace {

bool ReadByName(const std::string& path, DibImage* image) {
  auto ends = [&](const char* ext) {
    return path.size() > std::strlen(ext) && path.compare(path.size() - std::strlen(ext), std::string::npos, ext) == 0;
  };
  if (ends(".bmp")) return ReadBmp(path.c_str(), image);
  if (ends(".tga")) return ReadTga(path.c_str(), image);
  if (ends(".ppm") || ends(".pgm")) return ReadPpm(path.c_str(), image);
  if (ends(".iff")) return ReadIff(path.c_str(), image);
  if (ends(".tim")) return ReadTim(path.c_str(), image);
  if (ends(".jpg")) return ReadJpg(path.c_str(), image);
  if (ends(".png")) return ReadPng(path.c_str(), image);
  return false;
}

}  // namespace

TEST(DibReaders, FixturesMatchNetpbm) {
  int compared = 0;
  for (const std::string& name : ListDir(ImagesDir())) {
    const std::string suffix = ".ref.ppm";
    if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix)) continue;
    const std::string source = name.substr(0, name.size() - suffix.size());
    SCOPED_TRACE(source);
    Rgb expected;
    ASSERT_TRUE(LoadNetpbm(ImagesDir() + name, &expected));
    DibImage image;
    ASSERT_TRUE(ReadByName(ImagesDir() + source, &image));
    EXPECT_EQ(MaxDifference(ToRgb(image), expected), 0);
    ++compared;
  }
  EXPECT_GE(compared, 15);  // every encoded fixture has a reference
}

TEST(DibReaders, PpmTextAndRawForms) {
  for (auto [plain, raw] : {std::pair{"rgb_plain.ppm", "rgb.ppm"}, std::pair{"grey_plain.pgm", "grey.pgm"}}) {
    SCOPED_TRACE(plain);
    Rgb expected;
    ASSERT_TRUE(LoadNetpbm(ImagesDir() + raw, &expected));
    DibImage fromText, fromRaw;
    ASSERT_TRUE(ReadPpm((ImagesDir() + plain).c_str(), &fromText));
    ASSERT_TRUE(ReadPpm((ImagesDir() + raw).c_str(), &fromRaw));
    EXPECT_EQ(MaxDifference(ToRgb(fromText), expected), 0);
    EXPECT_EQ(MaxDifference(ToRgb(fromRaw), expected), 0);
    EXPECT_EQ(fromText.BitCount(), std::strstr(plain, "pgm") ? 8 : 24);
    EXPECT_GT(fromText.Height(), 0);
  }
  auto read = [](const std::string& text, DibImage* image) {
    return ReadPpmMemory(reinterpret_cast<const uint8_t*>(text.data()), text.size(), image);
  };
  DibImage image;
  {  // comments after the magic; rows stored top row first into a bottom-up image
    ASSERT_TRUE(read("P2\n# one\n# two\n2 2\n255\n10 20\n30 40\n", &image));
    EXPECT_EQ(image.Row(0)[0], 10);
    EXPECT_EQ(image.Row(1)[1], 40);
    EXPECT_EQ(image.pixels[0], 30);  // the bottom row is first in memory
  }
  {  // a smaller maximum is scaled to 0..255
    ASSERT_TRUE(read("P2\n1 1\n15\n15\n", &image));
    EXPECT_EQ(image.Row(0)[0], 255);
  }
  EXPECT_FALSE(read("P6 1 1 255\n\x01\x02\x03", &image));  // size on the magic line
  EXPECT_FALSE(read("P3\r\n1 1\r\n255\r\n1 2 3\r\n", &image));
  EXPECT_FALSE(read("P5\n1 1 1\n255\n\x01", &image));
  EXPECT_FALSE(read("P5\n1 1 255\n\x01\n\x01", &image));  // maximum on the size line
  {  // blanks after the height are allowed, as the size line's pattern allows them
    ASSERT_TRUE(read("P5\n2 1 \t\n255\n\x05\x06", &image));
    EXPECT_EQ(image.Width(), 2);
    EXPECT_EQ(image.Row(0)[1], 6);
  }
  EXPECT_FALSE(read("P5\n1 1\n65535\n\x01\x02", &image));  // two-byte samples
  EXPECT_FALSE(read("P2\n2 1\n255\n1 x\n", &image));
  EXPECT_FALSE(read("P2\n" + std::string(200, '#') + "\n1 1\n255\n1\n", &image));  // line limit
}

TEST(DibReaders, PpmProgressCanStop) {
  std::vector<uint8_t> data = ReadBytes(ImagesDir() + "rgb.ppm");
  struct Log {
    std::vector<float> calls;
    size_t stopAt;
  } log{{}, 5};
  auto progress = [](float fraction, void* context) {
    auto* l = static_cast<Log*>(context);
    l->calls.push_back(fraction);
    return l->calls.size() < l->stopAt ? 1 : 0;
  };
  DibImage image;
  EXPECT_FALSE(ReadPpmMemory(data.data(), data.size(), &image, progress, &log));
  EXPECT_EQ(log.calls.size(), 5u);
  log = {{}, 1000};
  EXPECT_TRUE(ReadPpmMemory(data.data(), data.size(), &image, progress, &log));
  ASSERT_EQ(log.calls.size(), 11u);  // one call a row
  EXPECT_FLOAT_EQ(log.calls[0], 0.0f);
  EXPECT_FLOAT_EQ(log.calls[10], 10.0f / 11.0f);
}

TEST(DibReaders, TgaOriginAndAlpha) {
  Rgb expected;
  ASSERT_TRUE(LoadNetpbm(ImagesDir() + "rgb.tga.ref.ppm", &expected));
  {  // raw with a top-left origin: rows as stored, negative height
    std::vector<uint8_t> data = ReadBytes(ImagesDir() + "rgb.tga");
    ASSERT_EQ(data[17] & 0x20, 0);
    const size_t start = 18 + data[0], row = 13 * 3;
    std::vector<uint8_t> flipped(data.begin(), data.begin() + long(start));
    flipped[17] |= 0x20;
    for (int r = 10; r >= 0; --r)
      flipped.insert(flipped.end(), data.begin() + long(start + row * size_t(r)),
                     data.begin() + long(start + row * size_t(r + 1)));
    DibImage image;
    ASSERT_TRUE(ReadTgaMemory(flipped.data(), flipped.size(), &image));
    EXPECT_EQ(image.Height(), -11);
    EXPECT_EQ(std::memcmp(image.pixels, data.data() + start + row * 10, row), 0);
    EXPECT_EQ(MaxDifference(ToRgb(image), expected), 0);
  }
  {  // run-length with a top-left origin: positive height, rows placed by origin
    std::vector<uint8_t> data = ReadBytes(ImagesDir() + "rgb_rle.tga");
    data[17] |= 0x20;
    DibImage image;
    ASSERT_TRUE(ReadTgaMemory(data.data(), data.size(), &image));
    EXPECT_EQ(image.Height(), 11);
    Rgb got = ToRgb(image), upsideDown = expected;
    for (int y = 0; y < 11; ++y)
      std::memcpy(&upsideDown.rgb[size_t(y) * 39], &expected.rgb[size_t(10 - y) * 39], 39);
    EXPECT_EQ(MaxDifference(got, upsideDown), 0);
  }
  {  // 32 bits: alpha reaches the image as stored, opaque stays opaque
    DibImage image;
    ASSERT_TRUE(ReadTga((ImagesDir() + "rgba.tga").c_str(), &image));
    ASSERT_EQ(image.BitCount(), 32);
    Rgb alpha;
    ASSERT_TRUE(LoadNetpbm(ImagesDir() + "rgba.tga.alpha.pgm", &alpha));
    Rgb got = ToRgb(image);
    ASSERT_EQ(got.alpha.size(), 143u);
    for (size_t i = 0; i < got.alpha.size(); ++i) ASSERT_EQ(got.alpha[i], alpha.rgb[i * 3]) << i;
  }
}

TEST(DibReaders, BmpRle8Codes) {
  // 5 x 3, 8 bits: hand-encoded runs, a literal of odd length with its pad
  // byte, a move, row ends and the image end.
  auto make = [](std::vector<uint8_t> rle) {
    std::vector<uint8_t> f(54 + 1024);
    f[0] = 'B', f[1] = 'M';
    auto put = [&](size_t at, uint32_t v) { std::memcpy(&f[at], &v, 4); };
    put(10, 54 + 1024), put(14, 40), put(18, 5), put(22, 3);
    f[26] = 1, f[28] = 8;
    put(30, 1), put(34, uint32_t(rle.size()));
    f.insert(f.end(), rle.begin(), rle.end());
    return f;
  };
  const std::vector<uint8_t> file = make({2, 7, 0, 3, 7, 1, 2, 0,  // row 0: 7 7, literal 7 1 2, pad
                                          0, 0, 0, 2, 1, 0,        // next row, move right by 1
                                          2, 9, 0, 0,              // row 1: . 9 9
                                          5, 4, 0, 1});            // row 2: 4 x5, end
  DibImage image;
  ASSERT_TRUE(ReadBmpMemory(file.data(), file.size(), &image));
  const size_t stride = image.Stride();
  ASSERT_EQ(stride, 8u);
  const uint8_t expected[3][5] = {{7, 7, 7, 1, 2}, {0, 9, 9, 0, 0}, {4, 4, 4, 4, 4}};
  for (int r = 0; r < 3; ++r)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(image.pixels[stride * size_t(r) + size_t(x)], expected[r][x]) << r << "," << x;

  {  // runs over the row's end (encoders write the padding) stop at the stored row
    std::vector<uint8_t> clipped = make({6, 1, 9, 2, 0, 0, 0, 0, 3, 0, 0, 1});
    ASSERT_TRUE(ReadBmpMemory(clipped.data(), clipped.size(), &image));
    EXPECT_EQ(std::vector<uint8_t>(image.pixels, image.pixels + 8), (std::vector<uint8_t>{1, 1, 1, 1, 1, 1, 2, 2}));
    EXPECT_EQ(image.pixels[8], 0);  // the next row is untouched
  }
  EXPECT_FALSE(ReadBmpMemory(make({0, 2, 6, 0}).data(), 54 + 1024 + 4, &image));  // move out
  EXPECT_FALSE(ReadBmpMemory(make({0, 0, 0, 0, 0, 0, 1, 1}).data(), 54 + 1024 + 8, &image));  // rows past the top
  EXPECT_FALSE(ReadBmpMemory(make({0, 4, 1, 2}).data(), 54 + 1024 + 4, &image));        // literal cut short
  EXPECT_FALSE(ReadBmpMemory(make({5, 1, 0, 0}).data(), 54 + 1024 + 4, &image));        // ends early
}

TEST(DibReaders, TimHandBuilt) {
  auto u16 = [](std::vector<uint8_t>& v, unsigned x) { v.push_back(uint8_t(x)), v.push_back(uint8_t(x >> 8)); };
  auto u32 = [&](std::vector<uint8_t>& v, uint32_t x) { u16(v, x & 0xFFFF), u16(v, x >> 16); };
  {  // 4 bits with a colour table: 8 x 2 pixels, nibbles low pixel first
    std::vector<uint8_t> f;
    u32(f, 0x10), u32(f, 8 | 0);
    u32(f, 12 + 32), u16(f, 0), u16(f, 0), u16(f, 16), u16(f, 1);
    for (unsigned i = 0; i < 16; ++i) u16(f, i == 1 ? 31u : i == 2 ? 31u << 10 : i == 3 ? 0x8000u | (31u << 5) : 0u);
    u32(f, 12 + 8), u16(f, 0), u16(f, 0), u16(f, 2), u16(f, 2);
    for (uint8_t b : {0x21, 0x03, 0x00, 0x10, 0x33, 0x33, 0x22, 0x11}) f.push_back(b);
    DibImage image;
    ASSERT_TRUE(ReadTimMemory(f.data(), f.size(), &image));
    EXPECT_EQ(image.BitCount(), 4);
    EXPECT_EQ(image.Width(), 8);
    EXPECT_EQ(image.AbsHeight(), 2);
    Rgb rgb = ToRgb(image);
    auto pixel = [&](int x, int y) {
      const uint8_t* p = &rgb.rgb[(size_t(y) * 8 + size_t(x)) * 3];
      return std::vector<int>{p[0], p[1], p[2]};
    };
    EXPECT_EQ(pixel(0, 0), (std::vector<int>{255, 0, 0}));  // low nibble 1: red
    EXPECT_EQ(pixel(1, 0), (std::vector<int>{0, 0, 255}));  // high nibble 2: blue
    EXPECT_EQ(pixel(2, 0), (std::vector<int>{0, 255, 0}));  // 3: green (bit 15 ignored)
    EXPECT_EQ(pixel(7, 1), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(pixel(4, 1), (std::vector<int>{0, 0, 255}));
  }
  {  // 16 bits: red and blue swapped, bit 15 cleared
    std::vector<uint8_t> f;
    u32(f, 0x10), u32(f, 2);
    u32(f, 12 + 4), u16(f, 0), u16(f, 0), u16(f, 2), u16(f, 1);
    u16(f, 0x8000 | 31), u16(f, 31u << 10);
    DibImage image;
    ASSERT_TRUE(ReadTimMemory(f.data(), f.size(), &image));
    ASSERT_EQ(image.BitCount(), 16);
    const uint8_t* row = image.Row(0);
    EXPECT_EQ(row[0] | row[1] << 8, 31 << 10);  // red in bits 10-14 now
    EXPECT_EQ(row[2] | row[3] << 8, 31);
  }
  {  // 8 bits without a colour table, 24 bits refused
    std::vector<uint8_t> f;
    u32(f, 0x10), u32(f, 1);
    u32(f, 12 + 4), u16(f, 0), u16(f, 0), u16(f, 1), u16(f, 2);
    for (uint8_t b : {5, 6, 7, 8}) f.push_back(b);
    DibImage image;
    ASSERT_TRUE(ReadTimMemory(f.data(), f.size(), &image));
    EXPECT_EQ(image.Width(), 2);
    EXPECT_EQ(image.Row(1)[1], 8);
    f[4] = 3;
    EXPECT_FALSE(ReadTimMemory(f.data(), f.size(), &image));
  }
}

// Textures of assimp-testmodels (TGA 24/32, BMP 24/8, PNG, baseline and
// progressive JPEG) against the hashes of netpbm's decoding.
TEST(DibReaders, AssimpTexturesMatchNetpbm) {
  if (AssimpDir().empty()) GTEST_SKIP() << "assimp-testmodels is not installed";
  const ModulesFromProgramFolder modules;
  std::ifstream list(ImagesDir() + "assimp-images.txt");
  std::string line;
  int compared = 0;
  while (std::getline(list, line)) {
    std::istringstream fields(line);
    std::string name, hash;
    int width = 0, height = 0;
    fields >> name >> width >> height >> hash;
    SCOPED_TRACE(name);
    DibImage image;
    ASSERT_TRUE(ReadByName(AssimpDir() + name, &image));
    Rgb rgb = ToRgb(image);
    EXPECT_EQ(rgb.width, width);
    EXPECT_EQ(rgb.height, height);
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(Fnv1a(rgb.rgb)));
    EXPECT_EQ(text, hash);
    ++compared;
  }
  EXPECT_EQ(compared, 10);
}
