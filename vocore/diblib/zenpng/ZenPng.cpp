// zenpng: the PNG decoder module over libpng. Images become 8-bit palette or
// grey DIBs when they have no alpha and at most 8 bits, else 24-bit or, with
// alpha or transparency, 32-bit blue-green-red-alpha. Errors end the decode
// through libpng's longjmp, never exit().
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <png.h>

#include "ferrox/file/RegularFile.h"
#include "vocore/diblib/ZenDecoder.h"

namespace {

// Everything that must survive a longjmp lives here, not in locals.
struct Decode {
  std::FILE* file = nullptr;
  png_structp png = nullptr;
  png_infop info = nullptr;
  DibInfoHeader* header = nullptr;
  uint8_t* pixels = nullptr;
  png_bytep line = nullptr;
};

void OnWarning(png_structp, png_const_charp) {}
[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

int Run(Decode& d, DibProgressProc progress, void* context) {
  png_init_io(d.png, d.file);
  png_set_user_limits(d.png, 32767, 32767);
  png_read_info(d.png, d.info);
  png_uint_32 width = png_get_image_width(d.png, d.info);
  png_uint_32 height = png_get_image_height(d.png, d.info);
  int colourType = png_get_color_type(d.png, d.info);
  int depth = png_get_bit_depth(d.png, d.info);
  if (uint64_t(width) * height > (1u << 26)) return 0;

  const bool transparent = png_get_valid(d.png, d.info, PNG_INFO_tRNS) != 0;
  int bitCount;
  if (depth == 16) png_set_strip_16(d.png);
  if (colourType == PNG_COLOR_TYPE_PALETTE && !transparent) {
    png_set_packing(d.png);
    bitCount = 8;
  } else if (colourType == PNG_COLOR_TYPE_GRAY && !transparent) {
    png_set_expand_gray_1_2_4_to_8(d.png);
    bitCount = 8;
  } else {
    png_set_expand(d.png);
    png_set_gray_to_rgb(d.png);
    png_set_bgr(d.png);
    bitCount = (colourType & PNG_COLOR_MASK_ALPHA) || transparent ? 32 : 24;
  }
  const int passes = png_set_interlace_handling(d.png);
  png_read_update_info(d.png, d.info);
  const size_t rowBytes = png_get_rowbytes(d.png, d.info);
  const size_t stride = ((size_t(bitCount) * width + 31) / 32) * 4;
  if (rowBytes > stride) return 0;

  const int colours = bitCount == 8 ? 256 : 0;
  const size_t headerBytes = sizeof(DibInfoHeader) + 4 * size_t(colours);
  d.header = static_cast<DibInfoHeader*>(std::calloc(1, headerBytes));
  d.pixels = static_cast<uint8_t*>(std::calloc(height, stride));
  if (!d.header || !d.pixels) return 0;
  d.header->size = sizeof(DibInfoHeader);
  d.header->width = int32_t(width);
  d.header->height = int32_t(height);
  d.header->planes = 1;
  d.header->bitCount = uint16_t(bitCount);
  d.header->sizeImage = uint32_t(stride * height);
  auto* palette = reinterpret_cast<DibRgbQuad*>(d.header + 1);
  if (colourType == PNG_COLOR_TYPE_PALETTE && bitCount == 8) {
    png_colorp entries = nullptr;
    int count = 0;
    png_get_PLTE(d.png, d.info, &entries, &count);
    for (int i = 0; i < count && i < 256; ++i)
      palette[i] = {entries[i].blue, entries[i].green, entries[i].red, 0};
  } else if (bitCount == 8) {
    // Grey of 1, 2 or 4 bits is expanded to 8: the ramp covers every level.
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
  }

  // Interlaced images need every pass over the whole image, so rows are read
  // in place (bottom-up: row y of the picture is stored row height - 1 - y).
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < height; ++y) {
      if (progress && !progress((float(pass) + float(y) / float(height)) / float(passes), context))
        return 0;
      png_read_row(d.png, d.pixels + stride * (height - 1 - y), nullptr);
    }
  }
  png_read_end(d.png, nullptr);
  return 1;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int LoadPNG(const char* path, void** pixels,
                                                              void** header,
                                                              DibProgressProc progress,
                                                              void* context) {
  if (!path || !pixels || !header) return 0;
  *pixels = nullptr;
  *header = nullptr;
  // On the heap: its members change between setjmp and a longjmp.
  Decode* const d = new Decode{};
  d->file = Frx::File::OpenRegularStream(path);  // no device or FIFO
  volatile int result = 0;
  if (d->file) d->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (d->png) d->info = png_create_info_struct(d->png);
  if (d->png && d->info && setjmp(png_jmpbuf(d->png)) == 0) result = Run(*d, progress, context);
  if (d->png) png_destroy_read_struct(&d->png, d->info ? &d->info : nullptr, nullptr);
  if (d->file) std::fclose(d->file);
  if (result) {
    *pixels = d->pixels;
    *header = d->header;
  } else {
    std::free(d->pixels);
    std::free(d->header);
  }
  delete d;
  return result;
}
