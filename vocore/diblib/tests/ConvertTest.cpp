// Creation, depth conversions, resampling, texture sizing and BMP writing.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <set>

#include "ferrox/testing/TempFolder.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibMemory.h"
#include "vocore/diblib/DibReaders.h"
#include "vocore/diblib/DibTexture.h"
#include "vocore/testing/TestImages.h"

namespace {

// A 24-bit image filled from f(x, y) -> {r, g, b}, top row y = 0.
template <class F>
void Fill24(DibImage& image, int w, int h, F f) {
  ASSERT_TRUE(image.Create(w, h, 24));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      auto [r, g, b] = f(x, y);
      uint8_t* p = image.Row(y) + x * 3;
      p[0] = uint8_t(b), p[1] = uint8_t(g), p[2] = uint8_t(r);
    }
}

Rgb LoadFixture(const char* name) {
  DibImage image;
  EXPECT_TRUE(ReadPpm((ImagesDir() + name).c_str(), &image));
  return ToRgb(image);
}

}  // namespace

TEST(DibImage, CreateAndAttach) {
  DibImage image;
  EXPECT_EQ(image.initFlag, 1);
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    ASSERT_TRUE(image.Create(13, -3, bits)) << bits;
    EXPECT_EQ(image.Stride(), size_t((bits * 13 + 31) / 32 * 4));
    EXPECT_EQ(image.ImageSize(), image.Stride() * 3);
    EXPECT_EQ(image.header->size, 40u);
    EXPECT_EQ(image.header->planes, 1);
    EXPECT_EQ(image.headerKind, DibMemGlobalFixed);
  }
  for (int bits : {0, 2, 15, 64}) EXPECT_FALSE(image.Create(4, 4, bits)) << bits;
  EXPECT_FALSE(image.Create(0, 4, 8));
  EXPECT_FALSE(image.Create(DibImage::MaxSide + 1, 1, 8));
  ASSERT_TRUE(image.Create(2, 2, 1));
  EXPECT_EQ(image.Palette()[0].red, 0);
  EXPECT_EQ(image.Palette()[1].green, 255);
  ASSERT_TRUE(image.Create(2, 2, 8));
  EXPECT_EQ(image.Palette()[77].blue, 77);

  void* header = DibAlloc(DibMemMalloc, 40);
  EXPECT_FALSE(image.Attach(header, DibMemMalloc, nullptr, DibMemMalloc));
  EXPECT_TRUE(image.IsValid());  // a failed attach keeps the image
  DibRelease(DibMemMalloc, header);
}

TEST(DibImage, ConvertBetweenTrueColourDepths) {
  DibImage image;
  Fill24(image, 7, 5, [](int x, int y) { return std::tuple{x * 36, y * 60, 255 - x * 30}; });
  const Rgb original = ToRgb(image);
  ASSERT_TRUE(image.ConvertTo(32, 0));
  EXPECT_EQ(MaxDifference(ToRgb(image), original), 0);
  for (uint8_t a : ToRgb(image).alpha) ASSERT_EQ(a, 255);
  ASSERT_TRUE(image.ConvertTo(24, 0));
  EXPECT_EQ(MaxDifference(ToRgb(image), original), 0);
  ASSERT_TRUE(image.ConvertTo(16, 0));
  EXPECT_LE(MaxDifference(ToRgb(image), original), 8);  // 5 bits a channel
  {
    const uint8_t* p = image.Row(1) + 2 * 2;  // (2, 1): r 72, g 60, b 195
    EXPECT_EQ(p[0] | p[1] << 8, (72 >> 3) << 10 | (60 >> 3) << 5 | (195 >> 3));
  }
  EXPECT_FALSE(image.ConvertTo(12, 0));
  DibImage empty;
  EXPECT_FALSE(empty.ConvertTo(24, 0));
}

TEST(DibImage, ConvertToPalettes) {
  const Rgb grey = LoadFixture("grey.pgm");
  {  // grey 8 bits: a grey source keeps its levels exactly
    DibImage image;
    ASSERT_TRUE(ReadPpm((ImagesDir() + "grey.pgm").c_str(), &image));
    ASSERT_TRUE(image.ConvertTo(24, 0));
    ASSERT_TRUE(image.ConvertTo(8, 0));
    EXPECT_EQ(MaxDifference(ToRgb(image), grey), 0);
    ASSERT_TRUE(image.ConvertTo(4, 0));  // 16 greys: the top 4 bits
    EXPECT_LE(MaxDifference(ToRgb(image), grey), 15);
    EXPECT_EQ(image.Palette()[3].red, 51);
  }
  {  // ordered dither: exact levels stay exact, a mid grey averages out
    DibImage image;
    Fill24(image, 16, 16, [](int x, int) { return x < 8 ? std::tuple{102, 153, 204} : std::tuple{128, 128, 128}; });
    ASSERT_TRUE(image.ConvertTo(8, 1));
    EXPECT_EQ(image.Palette()[215].red, 255);
    EXPECT_EQ(image.Palette()[1].red, 51);   // red fastest
    EXPECT_EQ(image.Palette()[36].blue, 51);  // blue slowest
    Rgb rgb = ToRgb(image);
    double sum = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const uint8_t* p = &rgb.rgb[(size_t(y) * 16 + size_t(x)) * 3];
        if (x < 8) ASSERT_TRUE(p[0] == 102 && p[1] == 153 && p[2] == 204);
        else sum += p[0];
      }
    EXPECT_NEAR(sum / 128, 128, 6);
  }
  {  // 1 bit with error diffusion keeps the mean brightness
    DibImage image;
    Fill24(image, 32, 32, [](int x, int) { return x < 16 ? std::tuple{128, 128, 128} : std::tuple{255, 255, 255}; });
    ASSERT_TRUE(image.ConvertTo(1, 0));
    Rgb rgb = ToRgb(image);
    int whiteLeft = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        uint8_t v = rgb.rgb[(size_t(y) * 32 + size_t(x)) * 3];
        if (x < 16) whiteLeft += v == 255;
        else ASSERT_EQ(v, 255);
      }
    EXPECT_NEAR(whiteLeft / 512.0, 0.5, 0.08);
  }
}

TEST(DibImage, MedianCut) {
  {  // as many well-separated colours as entries: reproduced exactly
    DibImage image;
    const std::tuple<int, int, int> colours[5] = {{250, 10, 10}, {10, 250, 10}, {10, 10, 250}, {200, 200, 0}, {0, 0, 0}};
    Fill24(image, 10, 6, [&](int x, int y) { return colours[(x + y * 3) % 5]; });
    const Rgb original = ToRgb(image);
    ASSERT_TRUE(image.ConvertTo(8, 2));
    EXPECT_EQ(MaxDifference(ToRgb(image), original), 0);
    ASSERT_TRUE(image.ConvertTo(24, 0));
    ASSERT_TRUE(image.ConvertTo(4, 2));
    EXPECT_EQ(MaxDifference(ToRgb(image), original), 0);
  }
  {  // a real picture: more colours, less error
    const Rgb original = LoadFixture("rgb.ppm");
    std::vector<int> errors;
    for (int colours : {4, 16, 64}) {
      DibImage image;
      ASSERT_TRUE(ReadPpm((ImagesDir() + "rgb.ppm").c_str(), &image));
      ASSERT_TRUE(image.ConvertTo(8, 2 | colours << 16));
      Rgb got = ToRgb(image);
      std::set<std::vector<uint8_t>> used;
      for (size_t i = 0; i < got.rgb.size(); i += 3) used.insert({got.rgb[i], got.rgb[i + 1], got.rgb[i + 2]});
      EXPECT_LE(int(used.size()), colours);
      errors.push_back(MaxDifference(got, original));
      for (int i = colours; i < 256; ++i) ASSERT_EQ(image.Palette()[i].red + image.Palette()[i].green, 0);
    }
    EXPECT_LT(errors[2], errors[0]);
    EXPECT_LE(errors[2], 40);
  }
}

TEST(DibImage, Resample) {
  {  // ends are kept, the middle follows the smoothstep weights
    DibImage image;
    Fill24(image, 2, 1, [](int x, int) { return x ? std::tuple{200, 100, 0} : std::tuple{0, 0, 0}; });
    ASSERT_TRUE(image.Resample(5, 3));
    Rgb rgb = ToRgb(image);
    ASSERT_EQ(rgb.width, 5);
    ASSERT_EQ(rgb.height, 3);
    for (int y = 0; y < 3; ++y) {
      const uint8_t* row = &rgb.rgb[size_t(y) * 15];
      EXPECT_EQ(row[0], 0);
      EXPECT_EQ(row[12], 200);
      EXPECT_EQ(row[6], 100);       // f = 0.5: s = 128
      EXPECT_EQ(row[3], 200 * 40 / 256);  // f = 0.25: s = 0.15625 * 256 = 40
    }
  }
  {  // both directions, up and down, against the smoothstep taps in floating point
    // (8-bit weights and two truncations stay within 3)
    auto value = [](int x, int y) { return (x * 53 + y * 97 + x * y * 31) % 256; };
    auto tap = [](int i, int from, int to, int* source, double* weight) {
      if (i == to - 1) {
        *source = from - 2, *weight = 1.0;
        return;
      }
      const double position = double(i) * (from - 1) / (to - 1);
      *source = int(position);
      const double f = position - *source;
      *weight = f * f * (3 - 2 * f);
    };
    for (auto [w, h, w2, h2] : {std::array{4, 9, 6, 4}, std::array{3, 4, 7, 11}}) {
      SCOPED_TRACE(::testing::Message() << w << "x" << h << " to " << w2 << "x" << h2);
      DibImage image;
      Fill24(image, w, h, [&](int x, int y) { return std::tuple{value(x, y), 0, 0}; });
      ASSERT_TRUE(image.Resample(w2, h2));
      const Rgb rgb = ToRgb(image);
      for (int j = 0; j < h2; ++j) {
        int sy;
        double wy;
        tap(j, h, h2, &sy, &wy);
        for (int i = 0; i < w2; ++i) {
          int sx;
          double wx;
          tap(i, w, w2, &sx, &wx);
          auto across = [&](int y) { return value(sx, y) * (1 - wx) + value(sx + 1, y) * wx; };
          const double expected = across(sy) * (1 - wy) + across(sy + 1) * wy;
          EXPECT_NEAR(rgb.rgb[(size_t(j) * size_t(w2) + size_t(i)) * 3], expected, 3.0) << i << "," << j;
        }
      }
    }
  }
  {  // sides of 1, either way, without a division by zero
    DibImage image;
    Fill24(image, 1, 1, [](int, int) { return std::tuple{9, 8, 7}; });
    ASSERT_TRUE(image.Resample(4, 3));
    for (size_t i = 0; i < 12; ++i) EXPECT_EQ(ToRgb(image).rgb[i * 3], 9);
    ASSERT_TRUE(image.Resample(1, 1));
    EXPECT_EQ(ToRgb(image).rgb[2], 7);
    EXPECT_FALSE(image.Resample(0, 1));
  }
  {  // palette images pick indices, never blends
    DibImage image;
    ASSERT_TRUE(ReadBmp((ImagesDir() + "pal4.bmp").c_str(), &image));
    const Rgb before = ToRgb(image);
    std::set<std::vector<uint8_t>> colours;
    for (size_t i = 0; i < before.rgb.size(); i += 3) colours.insert({before.rgb[i], before.rgb[i + 1], before.rgb[i + 2]});
    ASSERT_TRUE(image.Resample(29, 7));
    Rgb after = ToRgb(image);
    for (size_t i = 0; i < after.rgb.size(); i += 3)
      ASSERT_TRUE(colours.count({after.rgb[i], after.rgb[i + 1], after.rgb[i + 2]}));
    EXPECT_EQ(after.rgb[0], before.rgb[0]);
  }
}

TEST(DibTexture, Sizing) {
  EXPECT_EQ(DibTextureSide(100, 256), 128);
  EXPECT_EQ(DibTextureSide(60, 256), 64);
  EXPECT_EQ(DibTextureSide(64, 256), 64);
  EXPECT_EQ(DibTextureSide(300, 256), 256);
  EXPECT_EQ(DibTextureSide(1, 256), 1);
  EXPECT_EQ(DibTextureSide(5, 0), 1);
  EXPECT_EQ(DibTextureDepth(24, 16), 16);
  EXPECT_EQ(DibTextureDepth(24, 32), 32);
  EXPECT_EQ(DibTextureDepth(8, 32), 16);
  EXPECT_EQ(DibTextureDepth(4, 16), 16);
  EXPECT_EQ(DibTextureDepth(32, 16), 16);

  DibTextureCaps caps;
  DibImage image;
  ASSERT_TRUE(DibLoadTexture((ImagesDir() + "RGB24.BMP").c_str(), caps, &image));  // any case
  EXPECT_EQ(image.Width(), 16);
  EXPECT_EQ(image.AbsHeight(), 16);
  EXPECT_EQ(image.BitCount(), 16);
  caps.bitDepth = 32;
  caps.maxHeight = 8;
  ASSERT_TRUE(DibLoadTexture((ImagesDir() + "rgb.tga").c_str(), caps, &image));
  EXPECT_EQ(image.AbsHeight(), 8);
  EXPECT_EQ(image.BitCount(), 32);
  EXPECT_FALSE(DibLoadTexture((ImagesDir() + "make-images.sh").c_str(), caps, &image));
  EXPECT_FALSE(image.IsValid());
  EXPECT_FALSE(DibLoadTexture((ImagesDir() + "missing.bmp").c_str(), caps, &image));

  // One pixel wide: widened to 2, never to 0.
  const FrxTest::TempFolder scratch;
  const std::string path = scratch.Native("narrow.bmp");
  ASSERT_TRUE(image.Create(1, 3, 24));
  ASSERT_TRUE(SaveBmp(&image, path.c_str()));
  ASSERT_TRUE(DibLoadTexture(path.c_str(), caps, &image));
  EXPECT_EQ(image.Width(), 2);
  EXPECT_EQ(image.AbsHeight(), 4);
}

TEST(DibImage, SaveBmpRoundTrip) {
  const FrxTest::TempFolder scratch;
  const std::string path = scratch.Native("save.bmp");
  for (const char* name : {"pal8.bmp", "pal4.bmp", "mono1.bmp", "rgb.tga"}) {
    SCOPED_TRACE(name);
    DibImage image;
    ASSERT_TRUE(name[4] == 't' ? ReadTga((ImagesDir() + name).c_str(), &image)
                               : ReadBmp((ImagesDir() + name).c_str(), &image));
    for (bool topDown : {false, true}) {
      if (topDown) {  // the same picture stored top row first
        DibImage flipped;
        ASSERT_TRUE(flipped.Create(image.Width(), -image.AbsHeight(), image.BitCount()));
        if (image.BitCount() <= 8) std::memcpy(flipped.Palette(), image.Palette(), 4 * size_t(image.PaletteSize()));
        for (int y = 0; y < image.AbsHeight(); ++y) std::memcpy(flipped.Row(y), image.Row(y), image.Stride());
        image.TakeFrom(flipped);
      }
      ASSERT_TRUE(SaveBmp(&image, path.c_str()));
      const std::vector<uint8_t> file = ReadBytes(path);
      const size_t colours = size_t(image.PaletteSize());
      EXPECT_EQ(file.size(), 54 + 4 * colours + image.ImageSize());
      EXPECT_EQ(file[10] | file[11] << 8, int(54 + 4 * colours));
      DibImage back;
      ASSERT_TRUE(ReadBmp(path.c_str(), &back));
      EXPECT_GT(back.Height(), 0);
      EXPECT_EQ(MaxDifference(ToRgb(back), ToRgb(image)), 0);
    }
  }
  DibImage empty;
  EXPECT_FALSE(SaveBmp(&empty, path.c_str()));
  EXPECT_FALSE(SaveBmp(&empty, "/no/such/folder/x.bmp"));
}
