// JPEG through libjpeg: the header is read and the sizes checked before
// libjpeg allocates for the picture; its own memory is capped too.
#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

#include "platform/d3d8/d3dx/image/ImageDecoders.h"

namespace D3D8Impl {

namespace {

// Each scan of a progressive file is a pass over the whole picture.
constexpr int MaxScans = 1000;

struct JpegDecode {
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  jpeg_progress_mgr progress;
  jmp_buf jump;
};

JpegDecode* Of(j_common_ptr info) { return reinterpret_cast<JpegDecode*>(info); }

[[noreturn]] void Fail(j_common_ptr info) { longjmp(Of(info)->jump, 1); }
void Quiet(j_common_ptr, int) {}
void LimitScans(j_common_ptr info) {
  if (Of(info)->info.input_scan_number > MaxScans) Fail(info);
}

// The whole-picture coefficient buffer a file of several scans is decoded
// through: one block of 64 coefficients per 8 x 8 samples of each component.
uint64_t CoefficientBytes(const jpeg_decompress_struct& info) {
  uint64_t bytes = 0;
  for (int c = 0; c < info.num_components; ++c) {
    const jpeg_component_info& comp = info.comp_info[c];
    const uint64_t h = comp.h_samp_factor, v = comp.v_samp_factor;
    bytes += (comp.width_in_blocks + h - 1) / h * h * ((comp.height_in_blocks + v - 1) / v * v) * sizeof(JBLOCK);
  }
  return bytes;
}

// No C++ object with a destructor lives here: libjpeg's errors longjmp out.
bool Run(JpegDecode& d, const uint8_t* data, size_t size, Image* img, const ImageLimits& limits) {
  jpeg_create_decompress(&d.info);
  d.info.mem->max_memory_to_use = static_cast<long>(limits.maxBytes);
  d.progress.progress_monitor = LimitScans;
  d.info.progress = &d.progress;
  jpeg_mem_src(&d.info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK) return false;
  if (!FitsLimits(d.info.image_width, d.info.image_height, limits)) return false;
  if (jpeg_has_multiple_scans(&d.info) && CoefficientBytes(d.info) > limits.maxBytes) return false;
  // libjpeg-turbo writes blue, green, red and an opaque alpha: the words'
  // byte order on a little-endian machine.
  d.info.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&d.info);
  if (d.info.output_width != d.info.image_width || d.info.output_height != d.info.image_height ||
      d.info.output_components != 4)
    return false;
  if (!AllocateImage(img, d.info.output_width, d.info.output_height, limits)) return false;
  while (d.info.output_scanline < d.info.output_height) {
    JSAMPROW row = reinterpret_cast<JSAMPROW>(img->argb.data() + size_t{d.info.output_scanline} * img->width);
    if (jpeg_read_scanlines(&d.info, &row, 1) != 1) return false;
  }
  jpeg_finish_decompress(&d.info);
  return true;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, Image* img, const ImageLimits& limits) {
  if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) return false;
  // On the heap and reached through a pointer set before setjmp, so nothing
  // that a longjmp makes indeterminate is used after it.
  const auto d = std::make_unique<JpegDecode>();
  d->info.err = jpeg_std_error(&d->error);
  d->error.error_exit = Fail;
  d->error.emit_message = Quiet;
  volatile bool ok = false;
  if (setjmp(d->jump) == 0) ok = Run(*d, data, size, img, limits);
  jpeg_destroy_decompress(&d->info);
  return ok;
}

}  // namespace D3D8Impl
