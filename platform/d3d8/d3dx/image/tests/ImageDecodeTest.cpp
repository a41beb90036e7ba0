#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/d3d8/d3dx/image/Image.h"
#include "platform/testing/AllocatedBytes.h"
#include "platform/testing/ReadWhole.h"

namespace {

namespace fs = std::filesystem;
using D3D8Impl::DecodeImage;
using D3D8Impl::Image;

const fs::path Images = fs::path(SAVORA_TESTDATA_DIR) / "images";

std::string Draw(const char* name) { return std::string(SAVORA_TESTDATA_DIR) + "/draw/" + name; }

std::vector<uint8_t> Bytes(const fs::path& path) {
  const std::string bytes = PlatformTesting::ReadWhole(path.string());
  return {bytes.begin(), bytes.end()};
}

// Samples of a binary PGM written by netpbm ("P5 w h 255", one white-space
// byte, then the samples).
std::vector<uint8_t> PgmSamples(const fs::path& path) {
  std::vector<uint8_t> b = Bytes(path);
  size_t at = 0;
  for (int fields = 0; fields < 4 && at < b.size(); ++at)
    if (b[at] == ' ' || b[at] == '\n') ++fields;
  return {b.begin() + static_cast<std::ptrdiff_t>(std::min(at, b.size())), b.end()};
}

TEST(ImageFile, EveryFormatReadsTopDown) {
  for (const char* name : {"quad.ppm", "quad.png", "quad.tga", "quad.jpg"}) {
    SCOPED_TRACE(name);
    Image img;
    ASSERT_TRUE(D3D8Impl::ReadImageFile(Draw(name), &img));
    ASSERT_EQ(img.width, 2u);
    ASSERT_EQ(img.height, 2u);
    bool lossy = std::string(name) == "quad.jpg";
    auto near = [&](uint32_t got, uint32_t want) {
      for (int s = 0; s < 24; s += 8) {
        int d = static_cast<int>((got >> s) & 255) - static_cast<int>((want >> s) & 255);
        if (d > (lossy ? 40 : 0) || d < -(lossy ? 40 : 0)) return false;
      }
      return true;
    };
    EXPECT_TRUE(near(img.argb[0], 0xFF0000)) << std::hex << img.argb[0];
    EXPECT_TRUE(near(img.argb[1], 0x00FF00)) << std::hex << img.argb[1];
    EXPECT_TRUE(near(img.argb[2], 0x0000FF)) << std::hex << img.argb[2];
    EXPECT_TRUE(near(img.argb[3], 0xFFFFFF)) << std::hex << img.argb[3];
  }
  Image img;
  EXPECT_TRUE(D3D8Impl::ReadImageFile(Draw("quad.tga"), &img));
  EXPECT_EQ(img.argb[3] >> 24, 128u);
  EXPECT_FALSE(D3D8Impl::ReadImageFile(Draw("truncated.bmp"), &img));
  EXPECT_FALSE(D3D8Impl::ReadImageFile(Draw("missing.bmp"), &img));
  // Headers claiming more than the bytes hold are refused.
  const uint8_t hugeTga[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0x3F, 0xFF, 0x3F, 32, 0x20};
  EXPECT_FALSE(DecodeImage(hugeTga, sizeof hugeTga, &img));
  const uint8_t ppm[] = "P6 100000 100000 255\n";
  EXPECT_FALSE(DecodeImage(ppm, sizeof ppm - 1, &img));
}

// Every fixture of testdata/images is listed: those the stand-in reads must
// match the reference an independent decoder made.
TEST(ImageFile, FixturesMatchTheirReferences) {
  // nullptr: a format the stand-in does not read (it must still fail safely).
  const std::map<std::string, const char*> rows = {
      {"rgb24.bmp", "rgb24.bmp.ref.ppm"},     {"pal8.bmp", "pal8.bmp.ref.ppm"},
      {"pal4.bmp", "pal4.bmp.ref.ppm"},       {"mono1.bmp", "mono1.bmp.ref.ppm"},
      {"rgb.tga", "rgb.tga.ref.ppm"},         {"rgb_rle.tga", "rgb_rle.tga.ref.ppm"},
      {"grey.tga", "grey.tga.ref.ppm"},       {"rgba.tga", "rgba.tga.ref.ppm"},
      {"rgb.png", "rgb.png.ref.ppm"},         {"rgba.png", "rgba.png.ref.ppm"},
      {"pal.png", "pal.png.ref.ppm"},         {"grey.png", "grey.png.ref.ppm"},
      {"interlaced.png", "interlaced.png.ref.ppm"},
      {"rgb.jpg", "rgb.jpg.ref.ppm"},         {"grey.jpg", "grey.jpg.ref.ppm"},
      {"progressive.jpg", "progressive.jpg.ref.ppm"},
      {"rgb_plain.ppm", "rgb.ppm"},           {"rgb.ppm", "rgb.tga.ref.ppm"},
      {"rle8.bmp", nullptr},  {"cmap.tga", nullptr},  {"cmap_rle.tga", nullptr},
      {"grey.pgm", nullptr},  {"grey_plain.pgm", nullptr},  {"pal8.iff", nullptr},
      {"pal3.iff", nullptr},  {"pal16_raw.iff", nullptr},  {"rgb24.iff", nullptr},
      {"pal4.tim", nullptr},  {"pal8.tim", nullptr},  {"rgb16.tim", nullptr},
  };
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(Images)) {
    const std::string name = entry.path().filename().string();
    const std::string ext = entry.path().extension().string();
    if (name.find(".ref.") != std::string::npos || name.find(".alpha.") != std::string::npos || ext == ".sh" ||
        ext == ".txt")
      continue;
    SCOPED_TRACE(name);
    const auto row = rows.find(name);
    ASSERT_NE(row, rows.end()) << "a fixture without a row";
    Image img, ref;
    const std::vector<uint8_t> bytes = Bytes(entry.path());
    const bool decoded = DecodeImage(bytes.data(), bytes.size(), &img);
    if (!row->second) continue;
    ASSERT_TRUE(decoded);
    ASSERT_TRUE(D3D8Impl::ReadImageFile((Images / row->second).string(), &ref));
    ASSERT_EQ(img.width, ref.width);
    ASSERT_EQ(img.height, ref.height);
    // Same decoding library as the references: exact, alpha aside.
    for (size_t i = 0; i < img.argb.size(); ++i) ASSERT_EQ(img.argb[i] & 0xFFFFFF, ref.argb[i] & 0xFFFFFF) << i;
    ++checked;
  }
  EXPECT_EQ(checked, 18);
  // Both pictures with alpha carry the grey picture in it, row for row.
  const std::vector<uint8_t> alpha = PgmSamples(Images / "rgba.tga.alpha.pgm");
  for (const char* name : {"rgba.tga", "rgba.png"}) {
    SCOPED_TRACE(name);
    Image rgba;
    ASSERT_TRUE(D3D8Impl::ReadImageFile((Images / name).string(), &rgba));
    ASSERT_EQ(alpha.size(), rgba.argb.size());
    EXPECT_TRUE(rgba.hasAlpha);
    for (size_t i = 0; i < alpha.size(); ++i) ASSERT_EQ(rgba.argb[i] >> 24, alpha[i]) << i;
  }
}

// Textures of assimp-testmodels (TGA, BMP, PNG, baseline and progressive
// JPEG) against the hashes of netpbm's decoding (RGB, top row first).
TEST(ImageFile, AssimpTexturesMatchNetpbm) {
  const std::string models = "/usr/share/assimp/models/";
  if (!fs::is_directory(models)) GTEST_SKIP() << "assimp-testmodels is not installed";
  std::ifstream list(Images / "assimp-images.txt");
  std::string line;
  int compared = 0;
  while (std::getline(list, line)) {
    std::istringstream fields(line);
    std::string name, hash;
    unsigned width = 0, height = 0;
    fields >> name >> width >> height >> hash;
    SCOPED_TRACE(name);
    Image img;
    ASSERT_TRUE(D3D8Impl::ReadImageFile(models + name, &img));
    EXPECT_EQ(img.width, width);
    EXPECT_EQ(img.height, height);
    uint64_t fnv = 0xcbf29ce484222325ull;
    for (uint32_t c : img.argb)
      for (int s = 16; s >= 0; s -= 8) fnv = (fnv ^ ((c >> s) & 255)) * 0x100000001b3ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(fnv));
    EXPECT_EQ(text, hash);
    ++compared;
  }
  EXPECT_EQ(compared, 10);
}

void PutBe32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int k = 0; k < 4; ++k) b[at + k] = static_cast<uint8_t>(v >> (24 - 8 * k));
}

// A fixture's PNG header claiming another size, with its check word mended.
std::vector<uint8_t> PngClaiming(uint32_t w, uint32_t h) {
  std::vector<uint8_t> b = Bytes(Images / "rgb.png");
  PutBe32(b, 16, w);
  PutBe32(b, 20, h);
  PutBe32(b, 29, static_cast<uint32_t>(crc32(0, b.data() + 12, 17)));
  return b;
}

// A fixture's progressive JPEG frame claiming another size, every component
// sampled at full size (the largest coefficient buffer per pixel).
std::vector<uint8_t> JpegClaiming(uint16_t w, uint16_t h) {
  std::vector<uint8_t> b = Bytes(Images / "progressive.jpg");
  for (size_t i = 2; i + 9 < b.size(); i += 2 + (b[i + 2] << 8 | b[i + 3])) {
    if (b[i] != 0xFF || b[i + 1] != 0xC2) continue;
    b[i + 5] = h >> 8, b[i + 6] = h & 255, b[i + 7] = w >> 8, b[i + 8] = w & 255;
    for (int c = 0; c < b[i + 9]; ++c) b[i + 11 + 3 * c] = 0x11;
    break;
  }
  return b;
}

std::vector<uint8_t> Text(const char* s) { return {s, s + std::strlen(s)}; }

// Headers within the limits whose data cannot hold the picture, or whose
// decode would need more than the limit: refused before anything is made
// for them.
TEST(ImageFile, RefusesBeforeAllocatingForALyingHeader) {
  std::vector<uint8_t> bmp = Bytes(Draw("keyed.bmp"));
  bmp[18] = 0x40, bmp[19] = 0x1F, bmp[22] = 0x40, bmp[23] = 0x1F;  // 8000 x 8000
  const uint8_t rleTga[] = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x40, 0x1F, 0x40, 0x1F, 32, 0x20, 0xFF, 1, 2, 3, 4};
  struct Row {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  const Row rows[] = {
      {"bmp 8000 x 8000", bmp},
      {"tga rle 8000 x 8000", {std::begin(rleTga), std::end(rleTga)}},
      {"ppm raw 8000 x 8000", Text("P6 8000 8000 255\n\1\2\3")},
      {"ppm plain 8000 x 8000", Text("P3 8000 8000 255\n1 2 3 4 5 6")},
      {"png 8000 x 8000", PngClaiming(8000, 8000)},
      {"png 40000 x 1", PngClaiming(40000, 1)},
      {"jpeg 8000 x 8000, coefficients over the limit", JpegClaiming(8000, 8000)},
      {"jpeg 65500 x 65500", JpegClaiming(65500, 65500)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Image img;
    bool decoded = true;
    const auto bytes =
        PlatformTesting::AllocatedBytes([&] { decoded = DecodeImage(row.bytes.data(), row.bytes.size(), &img); });
    EXPECT_FALSE(decoded);
    EXPECT_TRUE(img.argb.empty());
    if (bytes) {
      EXPECT_LT(*bytes, 4u << 20);
    }
  }
  // The count sees what a decoder allocates: a grey 1024 x 1024 picture that
  // loads reaches the bound above.
  std::vector<uint8_t> grey = {0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 4, 8, 0x20};
  grey.resize(grey.size() + (1u << 20));
  Image img;
  const auto loaded =
      PlatformTesting::AllocatedBytes([&] { EXPECT_TRUE(DecodeImage(grey.data(), grey.size(), &img)); });
  if (loaded) {
    EXPECT_GE(*loaded, 4u << 20);
  }
  const std::vector<uint8_t> quad = Bytes(Draw("quad.png"));
  // The limits bind exactly: 2 x 2 takes 16 bytes.
  EXPECT_TRUE(DecodeImage(quad.data(), quad.size(), &img, {2, 16}));
  EXPECT_FALSE(DecodeImage(quad.data(), quad.size(), &img, {2, 15}));
  EXPECT_FALSE(DecodeImage(quad.data(), quad.size(), &img, {1, 16}));
}

}  // namespace
