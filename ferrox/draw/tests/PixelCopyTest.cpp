#include <gtest/gtest.h>

#include <cstring>

#include "ferrox/draw/PixelCopy.h"

using Frx::Pixel::FORMAT;

namespace {

const FORMAT R5G6B5{{0, 5, 6, 5}, {0, 11, 5, 0}};
const FORMAT A8R8G8B8{{8, 8, 8, 8}, {24, 16, 8, 0}};
const FORMAT R8G8B8{{0, 8, 8, 8}, {0, 16, 8, 0}};
const FORMAT A1R5G5B5{{1, 5, 5, 5}, {15, 10, 5, 0}};

}  // namespace

TEST(PixelCopy, ConvertsBetweenBitFields) {
  {
    const uint16_t src[2] = {0xFFFF, 0x0000};
    uint32_t dst[2] = {};
    ASSERT_EQ(Frx::Pixel::LineCopy(2, reinterpret_cast<unsigned char*>(dst), A8R8G8B8,
                                   reinterpret_cast<const unsigned char*>(src), R5G6B5, {}),
              1);
    EXPECT_EQ(dst[0], 0xFFF8FCF8u);
    EXPECT_EQ(dst[1], 0xFF000000u);
  }
  {
    // Three-byte pixels, then to 1-5-5-5 (alpha from the missing source alpha).
    const uint8_t src[6] = {0x10, 0x80, 0xFF, 0x00, 0x00, 0x00};
    uint16_t dst[2] = {};
    Frx::Pixel::LineCopy(2, reinterpret_cast<unsigned char*>(dst), A1R5G5B5, src, R8G8B8, {});
    EXPECT_EQ(dst[0], 0x8000 | (31 << 10) | (16 << 5) | 2);
    EXPECT_EQ(dst[1], 0x8000);
  }
  {
    const uint32_t src = 0x80FF4020;
    uint8_t dst[3] = {};
    Frx::Pixel::LineCopy(1, dst, R8G8B8, reinterpret_cast<const unsigned char*>(&src), A8R8G8B8, {});
    EXPECT_EQ(dst[0], 0x20);
    EXPECT_EQ(dst[1], 0x40);
    EXPECT_EQ(dst[2], 0xFF);
  }
}

TEST(PixelCopy, RejectsFormatsItCannotHandle) {
  uint32_t src = 0x12345678, dst = 0xAAAAAAAA;
  const FORMAT wide{{0, 12, 8, 8}, {0, 16, 8, 0}};     // a channel over 8 bits
  const FORMAT outside{{8, 8, 8, 8}, {28, 16, 8, 0}};  // alpha past the pixel
  const FORMAT tiny{{0, 2, 2, 2}, {0, 4, 2, 0}};       // one byte a pixel
  for (const FORMAT& bad : {wide, outside, tiny}) {
    EXPECT_EQ(Frx::Pixel::LineCopy(1, reinterpret_cast<unsigned char*>(&dst), A8R8G8B8,
                                   reinterpret_cast<const unsigned char*>(&src), bad, {}),
              0);
    EXPECT_EQ(Frx::Pixel::LineCopy(1, reinterpret_cast<unsigned char*>(&dst), bad,
                                   reinterpret_cast<const unsigned char*>(&src), A8R8G8B8, {}),
              0);
  }
  EXPECT_EQ(dst, 0xAAAAAAAAu);
  EXPECT_EQ(Frx::Pixel::PixelSize(R8G8B8), 3);
}
