// Feeds any bytes to the texture-from-file decoder. A smaller picture limit
// than the default keeps each input quick; every check still runs.
#include <cstdint>
#include <cstdlib>

#include "platform/d3d8/d3dx/image/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const D3D8Impl::ImageLimits limits{4096, size_t(4) << 20};
  D3D8Impl::Image image;
  if (D3D8Impl::DecodeImage(data, size, &image, limits)) {
    // A decoded picture is whole and within the limits.
    if (image.width == 0 || image.height == 0 || image.width > limits.maxSide || image.height > limits.maxSide ||
        image.argb.size() != size_t{image.width} * image.height || image.argb.size() * 4 > limits.maxBytes)
      std::abort();
  } else if (!image.argb.empty() || image.width || image.height) {
    std::abort();
  }
  return 0;
}
