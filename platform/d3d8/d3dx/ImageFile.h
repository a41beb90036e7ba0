// Reads an image file into A8R8G8B8 words, rows top-down, for
// D3DXCreateTextureFromFile. The stand-in decodes images itself because it sits
// below the engine's image readers (vocore's diblib and its JPEG / PNG
// modules), which it cannot call. Bounded: every header field is checked
// against the file's size before use.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace D3D8Impl {

struct Image {
  unsigned width = 0, height = 0;
  bool hasAlpha = false;
  std::vector<uint32_t> argb;
};

// false for an unreadable or unknown file; the format is told by content.
bool ReadImageFile(const std::string& nativePath, Image* image);
bool DecodeImage(const uint8_t* data, size_t size, Image* image);

}  // namespace D3D8Impl
