// PNG through libpng: the header's size is checked against the limits and
// against what the file's compressed data can hold before the picture is made.
#include <cstring>
#include <memory>
#include <vector>

#include <png.h>

#include "platform/d3d8/d3dx/image/ImageDecoders.h"

namespace D3D8Impl {

namespace {

// Deflate expands data at most 1032 times.
constexpr uint64_t MaxInflation = 1032;
// Text, profile and other chunks kept in memory while reading.
constexpr png_alloc_size_t MaxChunkBytes = 8 << 20;

struct PngDecode {
  png_structp png = nullptr;
  png_infop info = nullptr;
  const uint8_t* data = nullptr;
  size_t size = 0, at = 0;
  std::vector<png_bytep> rows;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t count) {
  PngDecode* d = static_cast<PngDecode*>(png_get_io_ptr(png));
  if (count > d->size - d->at) png_error(png, "truncated");
  std::memcpy(out, d->data + d->at, count);
  d->at += count;
}

[[noreturn]] void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void Quiet(png_structp, png_const_charp) {}

// No C++ object with a destructor lives here: libpng's errors longjmp out.
bool Run(PngDecode& d, Image* img, const ImageLimits& limits) {
  png_set_read_fn(d.png, &d, ReadBytes);
  png_set_user_limits(d.png, limits.maxSide, limits.maxSide);
  png_set_chunk_malloc_max(d.png, MaxChunkBytes);
  png_read_info(d.png, d.info);
  const png_uint_32 w = png_get_image_width(d.png, d.info), h = png_get_image_height(d.png, d.info);
  if (!FitsLimits(w, h, limits)) return false;
  const uint64_t packedBytes =
      (uint64_t{w} * h * png_get_channels(d.png, d.info) * png_get_bit_depth(d.png, d.info) + 7) / 8;
  if (packedBytes > MaxInflation * d.size) return false;
  const int type = png_get_color_type(d.png, d.info);
  img->hasAlpha = (type & PNG_COLOR_MASK_ALPHA) || png_get_valid(d.png, d.info, PNG_INFO_tRNS);
  // To 8-bit blue, green, red, alpha: the words' byte order on a
  // little-endian machine.
  png_set_expand(d.png);
  png_set_strip_16(d.png);
  png_set_gray_to_rgb(d.png);
  png_set_bgr(d.png);
  png_set_filler(d.png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(d.png);
  png_read_update_info(d.png, d.info);
  if (png_get_rowbytes(d.png, d.info) != size_t{w} * 4) return false;
  if (!AllocateImage(img, w, h, limits)) return false;
  d.rows.resize(h);
  for (png_uint_32 y = 0; y < h; ++y) d.rows[y] = reinterpret_cast<png_bytep>(img->argb.data() + size_t{y} * w);
  png_read_image(d.png, d.rows.data());
  png_read_end(d.png, nullptr);
  return true;
}

}  // namespace

bool DecodePng(const uint8_t* data, size_t size, Image* img, const ImageLimits& limits) {
  if (size < 8 || png_sig_cmp(data, 0, 8) != 0) return false;
  // On the heap and reached through a pointer set before setjmp, so nothing
  // that a longjmp makes indeterminate is used after it.
  const auto d = std::make_unique<PngDecode>();
  d->data = data;
  d->size = size;
  d->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Quiet);
  if (d->png) d->info = png_create_info_struct(d->png);
  volatile bool ok = false;
  if (d->info && setjmp(png_jmpbuf(d->png)) == 0) ok = Run(*d, img, limits);
  if (d->png) png_destroy_read_struct(&d->png, d->info ? &d->info : nullptr, nullptr);
  return ok;
}

}  // namespace D3D8Impl
