// zenjpg: the JPEG decoder module over libjpeg (release 6 interface). A corrupt
// file ends the decode through longjmp instead of libjpeg's exit().
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "ferrox/file/RegularFile.h"
#include "vocore/diblib/ZenDecoder.h"

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void OnMessage(j_common_ptr, int) {}  // warnings are not printed

// Converts one decoded scanline into the bottom-up DIB row layout.
void StoreRow(const jpeg_decompress_struct& jpeg, const JSAMPLE* in, uint8_t* out) {
  const JDIMENSION w = jpeg.output_width;
  if (jpeg.out_color_space == JCS_GRAYSCALE) {
    std::memcpy(out, in, w);
  } else if (jpeg.out_color_space == JCS_CMYK) {
    // Adobe writes inverted CMYK: the samples are already 255 - ink.
    for (JDIMENSION x = 0; x < w; ++x, in += 4) {
      out[x * 3] = uint8_t(in[2] * in[3] / 255);
      out[x * 3 + 1] = uint8_t(in[1] * in[3] / 255);
      out[x * 3 + 2] = uint8_t(in[0] * in[3] / 255);
    }
  } else {
    for (JDIMENSION x = 0; x < w; ++x, in += 3) {
      out[x * 3] = in[2];
      out[x * 3 + 1] = in[1];
      out[x * 3 + 2] = in[0];
    }
  }
}

// Everything that must survive a longjmp lives here, not in locals.
struct Decode {
  jpeg_decompress_struct jpeg;
  ErrorManager error;
  std::FILE* file = nullptr;
  JSAMPLE* line = nullptr;
};

int Run(Decode& d, ZenCreateProc create, ZenRowProc row, void* context) {
  jpeg_read_header(&d.jpeg, TRUE);
  // Refuse absurd sizes before libjpeg allocates for them.
  if (d.jpeg.image_width == 0 || d.jpeg.image_height == 0 || d.jpeg.image_width > 32767 ||
      d.jpeg.image_height > 32767 || uint64_t(d.jpeg.image_width) * d.jpeg.image_height > (1u << 26))
    return 0;
  if (d.jpeg.jpeg_color_space == JCS_CMYK || d.jpeg.jpeg_color_space == JCS_YCCK)
    d.jpeg.out_color_space = JCS_CMYK;
  else if (d.jpeg.jpeg_color_space != JCS_GRAYSCALE)
    d.jpeg.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d.jpeg);
  const bool grey = d.jpeg.out_color_space == JCS_GRAYSCALE;
  DibRgbQuad palette[256];
  for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
  ZenImageInfo info{int32_t(d.jpeg.output_width), int32_t(d.jpeg.output_height), grey ? 8 : 24,
                    grey ? 256 : 0, grey ? palette : nullptr};
  if (!create(&info, context)) return 0;
  d.line = static_cast<JSAMPLE*>(
      std::malloc(size_t(d.jpeg.output_width) * size_t(d.jpeg.output_components)));
  if (!d.line) return 0;
  while (d.jpeg.output_scanline < d.jpeg.output_height) {
    const int32_t y = int32_t(d.jpeg.output_scanline);
    JSAMPROW rows[1] = {d.line};
    if (jpeg_read_scanlines(&d.jpeg, rows, 1) != 1) return 0;
    uint8_t* out = row(y, context);
    if (!out) return 0;
    StoreRow(d.jpeg, d.line, out);
  }
  jpeg_finish_decompress(&d.jpeg);
  return 1;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int LoadJPG(const char* path, ZenCreateProc create,
                                                              ZenRowProc row, void* context) {
  if (!path || !create || !row) return 0;
  // Only a regular file of bounded size: a device or FIFO would never end.
  std::FILE* file = Frx::File::OpenRegularStream(path);
  if (!file) return 0;
  // On the heap: its members change between setjmp and a longjmp.
  Decode* const d = new Decode{};
  d->file = file;
  d->jpeg.err = jpeg_std_error(&d->error.base);
  d->error.base.error_exit = OnError;
  d->error.base.emit_message = OnMessage;
  volatile int result = 0;
  if (setjmp(d->error.jump) == 0) {
    jpeg_create_decompress(&d->jpeg);
    jpeg_stdio_src(&d->jpeg, d->file);
    result = Run(*d, create, row, context);
  }
  jpeg_destroy_decompress(&d->jpeg);
  std::free(d->line);
  std::fclose(d->file);
  delete d;
  return result;
}
