// DibImage::Resample: separable smoothstep interpolation, columns then rows.
// Palette images take the nearer source pixel; other depths blend channels.
#include <vector>

#include "vocore/diblib/DibImage.h"

namespace {

struct Tap {
  int32_t source;  // first of the two source pixels
  int weight;      // of the second, 0..256
};

// Source taps of each destination position. A side of 1 (either end) has no
// span to interpolate over: every position reads source 0.
std::vector<Tap> MakeTaps(int32_t from, int32_t to) {
  std::vector<Tap> taps(size_t(to), Tap{0, 0});
  if (from < 2 || to < 2) return taps;
  for (int32_t i = 0; i < to; ++i) {
    if (i == to - 1) {
      taps[size_t(i)] = {from - 2, 256};
      continue;
    }
    double position = double(i) * double(from - 1) / double(to - 1);
    int32_t whole = int32_t(position);
    double f = position - whole;
    taps[size_t(i)] = {whole, int(f * f * (3 - 2 * f) * 256)};
  }
  return taps;
}

// Channels of one pixel: palette index, 5-bit fields of 16 bits, or bytes.
int ChannelCount(int bits) { return bits <= 8 ? 1 : bits == 32 ? 4 : 3; }

void Unpack(const DibImage& image, int32_t r, std::vector<int>& out) {
  const uint8_t* row = image.pixels + image.Stride() * size_t(r);
  const int bits = image.BitCount();
  const int32_t w = image.Width();
  for (int32_t x = 0; x < w; ++x) {
    int* p = &out[size_t(x) * size_t(ChannelCount(bits))];
    switch (bits) {
      case 1: p[0] = (row[x >> 3] >> (7 - (x & 7))) & 1; break;
      case 4: p[0] = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15; break;
      case 8: p[0] = row[x]; break;
      case 16: {
        int v = row[x * 2] | row[x * 2 + 1] << 8;
        p[0] = v & 31, p[1] = (v >> 5) & 31, p[2] = (v >> 10) & 31;
        break;
      }
      default:
        for (int c = 0; c < bits / 8; ++c) p[c] = row[x * (bits / 8) + c];
    }
  }
}

void Pack(DibImage& image, int32_t r, const std::vector<int>& in) {
  uint8_t* row = image.pixels + image.Stride() * size_t(r);
  const int bits = image.BitCount();
  const int32_t w = image.Width();
  for (int32_t x = 0; x < w; ++x) {
    const int* p = &in[size_t(x) * size_t(ChannelCount(bits))];
    switch (bits) {
      case 1: if (p[0]) row[x >> 3] |= uint8_t(0x80 >> (x & 7)); break;
      case 4: row[x >> 1] |= uint8_t(p[0] << ((x & 1) ? 0 : 4)); break;
      case 8: row[x] = uint8_t(p[0]); break;
      case 16: {
        int v = p[0] | p[1] << 5 | p[2] << 10;
        row[x * 2] = uint8_t(v), row[x * 2 + 1] = uint8_t(v >> 8);
        break;
      }
      default:
        for (int c = 0; c < bits / 8; ++c) row[x * (bits / 8) + c] = uint8_t(p[c]);
    }
  }
}

int Mix(int a, int b, int weight, bool nearest) {
  if (nearest) return weight >= 128 ? b : a;
  return (a * (256 - weight) + b * weight) >> 8;
}

}  // namespace

bool DibImage::Resample(int32_t width, int32_t height) {
  if (!IsValid() || width <= 0 || height <= 0) return false;
  const int bits = BitCount();
  const int channels = ChannelCount(bits);
  const bool nearest = bits <= 8;
  const int32_t srcW = Width(), srcH = AbsHeight();
  DibImage out;
  // The storage order (sign of the height) is kept.
  if (!out.Create(width, TopDown() ? -height : height, bits)) return false;
  if (bits <= 8) {
    for (int i = 0; i < PaletteSize(); ++i) out.Palette()[i] = Palette()[i];
    out.header->clrUsed = header->clrUsed;
  }

  // Columns first, one source row at a time: a destination row needs only
  // two of them, so memory stays a few rows however tall the source is.
  const std::vector<Tap> cols = MakeTaps(srcW, width);
  const std::vector<Tap> rows = MakeTaps(srcH, height);
  std::vector<int> line(size_t(srcW) * size_t(channels));
  struct Narrow {
    int32_t row = -1;
    std::vector<int> data;
  } cache[2];
  auto narrow = [&](int32_t r, int32_t keep) -> const std::vector<int>& {
    for (const Narrow& n : cache)
      if (n.row == r) return n.data;
    Narrow& slot = cache[0].row == keep ? cache[1] : cache[0];
    slot.row = r;
    slot.data.resize(size_t(width) * size_t(channels));
    Unpack(*this, r, line);
    for (int32_t i = 0; i < width; ++i) {
      const Tap& t = cols[size_t(i)];
      const int32_t second = srcW < 2 ? t.source : t.source + 1;
      for (int c = 0; c < channels; ++c)
        slot.data[size_t(i) * size_t(channels) + size_t(c)] =
            Mix(line[size_t(t.source) * size_t(channels) + size_t(c)],
                line[size_t(second) * size_t(channels) + size_t(c)], t.weight, nearest);
    }
    return slot.data;
  };
  std::vector<int> outLine(size_t(width) * size_t(channels));
  for (int32_t j = 0; j < height; ++j) {
    const Tap& t = rows[size_t(j)];
    const int32_t second = srcH < 2 ? t.source : t.source + 1;
    const std::vector<int>& first = narrow(t.source, -1);
    const std::vector<int>& next = narrow(second, t.source);
    for (size_t k = 0; k < outLine.size(); ++k) outLine[k] = Mix(first[k], next[k], t.weight, nearest);
    Pack(out, j, outLine);
  }
  TakeFrom(out);
  return true;
}
