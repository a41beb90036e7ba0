// The stand-in's texture-from-file decoder: BMP, TGA, PPM, JPEG and PNG into
// A8R8G8B8 words, rows top-down, the format told by content. The stand-in
// decodes images itself because it sits below the engine, whose image readers
// it cannot call; it keeps its own copy of the engine's limits on a picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace D3D8Impl {

struct Image {
  unsigned width = 0, height = 0;
  bool hasAlpha = false;
  std::vector<uint32_t> argb;
};

// Largest side and decoded picture (4 bytes a pixel) a decode will make;
// larger sizes in a file are taken for a lie rather than allocated.
struct ImageLimits {
  uint32_t maxSide = 32767;
  size_t maxBytes = size_t(256) << 20;
};

// Largest file read whole: a picture at the limit and its headers.
constexpr size_t MaxImageFileBytes = ImageLimits{}.maxBytes + (size_t(1) << 20);

// false, with `image` empty, for an unknown, damaged or oversized picture.
// Every size a header gives is checked against the limits and against the
// bytes that must back it before the picture is allocated.
bool DecodeImage(const uint8_t* data, size_t size, Image* image, const ImageLimits& limits = {});

// The file at a native path, found as Windows would (any letter case of each
// element); only a regular file of at most MaxImageFileBytes is read.
bool ReadImageFile(const std::string& nativePath, Image* image);

}  // namespace D3D8Impl
