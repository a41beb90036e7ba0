// One decoder per format, each false on a file that is not its own or is
// damaged, leaving `image` in any state; and the size checks they share.
#pragma once

#include "platform/d3d8/d3dx/image/Image.h"

namespace D3D8Impl {

// Within the limits and not empty.
bool FitsLimits(uint64_t width, uint64_t height, const ImageLimits& limits);
// The picture sized and filled with opaque black, when it fits.
bool AllocateImage(Image* image, uint64_t width, uint64_t height, const ImageLimits& limits);

bool DecodeBmp(const uint8_t* data, size_t size, Image* image, const ImageLimits& limits);
bool DecodeTga(const uint8_t* data, size_t size, Image* image, const ImageLimits& limits);
bool DecodePpm(const uint8_t* data, size_t size, Image* image, const ImageLimits& limits);
bool DecodeJpeg(const uint8_t* data, size_t size, Image* image, const ImageLimits& limits);
bool DecodePng(const uint8_t* data, size_t size, Image* image, const ImageLimits& limits);

}  // namespace D3D8Impl
