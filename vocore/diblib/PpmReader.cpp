// PPM and PGM files, raw (P6, P5) and text (P3, P2). The header is read line by
// line as the format's writers lay it out: magic, comments, size, maximum.
#include <cstdio>
#include <cstring>

#include "vocore/diblib/ByteReader.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"

namespace {

constexpr size_t LineLimit = 128;

// Next line including its "\n"; false when none ends within the limit.
bool ReadLine(ByteReader& in, char* line) {
  for (size_t n = 0; n < LineLimit && in.Has(1);) {
    char c = char(in.U8());
    line[n++] = c;
    if (c == '\n') {
      line[n] = 0;
      return true;
    }
  }
  return false;
}

// Next decimal number of the text pixel data; false at the end or on junk.
bool ReadNumber(ByteReader& in, unsigned* value) {
  while (in.Has(1) && (*in.Here() == ' ' || *in.Here() == '\t' || *in.Here() == '\n' ||
                       *in.Here() == '\r'))
    in.Skip(1);
  if (!in.Has(1) || *in.Here() < '0' || *in.Here() > '9') return false;
  unsigned v = 0;
  while (in.Has(1) && *in.Here() >= '0' && *in.Here() <= '9') {
    v = v * 10 + unsigned(*in.Here() - '0');
    if (v > 65535) return false;
    in.Skip(1);
  }
  *value = v;
  return true;
}

}  // namespace

bool ReadPpmMemory(const uint8_t* data, size_t size, DibImage* image, DibProgressProc progress,
                   void* context) {
  if (!image) return false;
  image->Free();
  ByteReader in(data, size);
  char line[LineLimit + 2];
  if (!ReadLine(in, line)) return false;
  bool raw, rgb;
  if (!std::strcmp(line, "P6\n")) raw = true, rgb = true;
  else if (!std::strcmp(line, "P3\n")) raw = false, rgb = true;
  else if (!std::strcmp(line, "P5\n")) raw = true, rgb = false;
  else if (!std::strcmp(line, "P2\n")) raw = false, rgb = false;
  else return false;
  do {
    if (!ReadLine(in, line)) return false;
  } while (line[0] == '#');
  // "%d %d\n": blanks may trail the height, but not a third number (a
  // maximum on the same line would leave the next line to be misread).
  int width = 0, height = 0, used = 0;
  if (std::sscanf(line, "%d %d%n", &width, &height, &used) != 2) return false;
  for (const char* tail = line + used; *tail != '\n'; ++tail)
    if (*tail != ' ' && *tail != '\t' && *tail != '\r') return false;
  if (!ReadLine(in, line)) return false;
  // Samples are scaled from the file's maximum; two-byte raw samples are not read.
  int maximum = 0;
  if (std::sscanf(line, "%d", &maximum) != 1 || maximum < 1 || maximum > 65535) return false;
  if (raw && maximum > 255) return false;

  const int channels = rgb ? 3 : 1;
  if (!DibImage::SizeAllowed(width, height, rgb ? 24 : 8)) return false;
  const size_t samples = size_t(width) * size_t(height) * size_t(channels);
  // Raw data must be all there; text needs at least a digit a sample.
  if (!in.Has(samples)) return false;
  if (!image->Create(width, height, rgb ? 24 : 8)) return false;

  const size_t rowSamples = size_t(width) * size_t(channels);
  for (int y = 0; y < height; ++y) {
    if (progress && !progress(float(y) / float(height), context)) return false;
    uint8_t* row = image->Row(y);
    for (size_t i = 0; i < rowSamples; ++i) {
      unsigned v;
      if (raw) {
        v = in.U8();
      } else if (!ReadNumber(in, &v)) {
        return false;
      }
      if (v > unsigned(maximum)) v = unsigned(maximum);
      if (maximum != 255) v = (v * 255 + unsigned(maximum) / 2) / unsigned(maximum);
      // RGB samples are stored blue, green, red.
      size_t at = rgb ? (i / 3) * 3 + 2 - i % 3 : i;
      row[at] = uint8_t(v);
    }
  }
  return true;
}
