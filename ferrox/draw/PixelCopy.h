// Frx::Pixel: conversion of pixel rows between bit-field formats.
#pragma once

#include <cstdint>

namespace Frx::Pixel {

// Bit counts of alpha, red, green, blue, then their shifts in the same order.
struct FORMAT {
  uint8_t bits[4];
  uint8_t shift[4];
};
static_assert(sizeof(FORMAT) == 8);

struct PIXEL {
  uint8_t c[4];
};

// A pixel's size in bytes: (sum of the bit counts + 7) / 8.
int PixelSize(const FORMAT& f);
// True when rows of this format can be converted: 2 to 4 bytes a pixel, no
// channel over 8 bits, every channel inside the pixel.
bool IsValidFormat(const FORMAT& f);

// Converts count pixels from src to dst; the pixel argument is not used.
// Returns 0 without writing anything when either format is not valid.
int LineCopy(unsigned long count, unsigned char* dst, FORMAT dstFormat, const unsigned char* src, FORMAT srcFormat,
             PIXEL pixel);

}  // namespace Frx::Pixel
