#include <new>
#include <vector>

#include "platform/d3d8/d3dx/image/ImageDecoders.h"
#include "platform/files/FindPath.h"
#include "platform/files/RegularFile.h"

namespace D3D8Impl {

bool FitsLimits(uint64_t width, uint64_t height, const ImageLimits& limits) {
  return width > 0 && height > 0 && width <= limits.maxSide && height <= limits.maxSide &&
         width * height <= limits.maxBytes / 4;
}

bool AllocateImage(Image* image, uint64_t width, uint64_t height, const ImageLimits& limits) {
  if (!FitsLimits(width, height, limits)) return false;
  try {
    image->argb.assign(width * height, 0xFF000000u);
  } catch (const std::bad_alloc&) {
    return false;
  }
  image->width = static_cast<unsigned>(width), image->height = static_cast<unsigned>(height);
  return true;
}

bool DecodeImage(const uint8_t* data, size_t size, Image* image, const ImageLimits& limits) {
  *image = Image{};
  // Only TGA has no signature: it is tried last.
  if (DecodeBmp(data, size, image, limits) || DecodePng(data, size, image, limits) ||
      DecodeJpeg(data, size, image, limits) || DecodePpm(data, size, image, limits) ||
      DecodeTga(data, size, image, limits))
    return true;
  *image = Image{};
  return false;
}

bool ReadImageFile(const std::string& nativePath, Image* image) {
  *image = Image{};
  const std::string found = Platform::Files::FindIgnoringCase(nativePath);
  std::vector<uint8_t> bytes;
  if (found.empty() || !Platform::Files::ReadRegularFile(found, MaxImageFileBytes, &bytes)) return false;
  return DecodeImage(bytes.data(), bytes.size(), image);
}

}  // namespace D3D8Impl
