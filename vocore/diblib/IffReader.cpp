// IFF ILBM files: "FORM" of type "ILBM" with "BMHD", optional "CMAP", "BODY".
#include <cstring>
#include <vector>

#include "vocore/diblib/ByteReader.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"

namespace {

struct Bmhd {
  uint16_t width = 0, height = 0;
  uint8_t planes = 0, masking = 0, compression = 0;
};

int DepthOfPlanes(int planes) {
  if (planes == 1) return 1;
  if (planes >= 2 && planes <= 4) return 4;
  if (planes >= 5 && planes <= 8) return 8;
  if (planes >= 9 && planes <= 24) return 24;
  return 0;
}

// ByteRun1 into exactly `size` bytes; a run past the row is invalid.
bool UnpackByteRun1(ByteReader& in, uint8_t* out, size_t size) {
  size_t done = 0;
  while (done < size) {
    uint8_t n = in.U8();
    if (in.failed) return false;
    if (n < 128) {
      size_t count = size_t(n) + 1;
      const uint8_t* literal = in.Take(count);
      if (!literal || count > size - done) return false;
      std::memcpy(out + done, literal, count);
      done += count;
    } else if (n > 128) {
      size_t count = 257 - size_t(n);
      uint8_t value = in.U8();
      if (in.failed || count > size - done) return false;
      std::memset(out + done, value, count);
      done += count;
    }
  }
  return true;
}

void StorePixel(DibImage* image, uint8_t* row, int32_t x, uint32_t value) {
  switch (image->BitCount()) {
    case 1:
      if (value & 1) row[x >> 3] |= uint8_t(0x80 >> (x & 7));
      break;
    case 4:
      row[x >> 1] |= uint8_t((value & 15) << ((x & 1) ? 0 : 4));
      break;
    case 8:
      row[x] = uint8_t(value);
      break;
    default:  // 24 planes: red in planes 0-7, green 8-15, blue 16-23
      row[x * 3] = uint8_t(value >> 16);
      row[x * 3 + 1] = uint8_t(value >> 8);
      row[x * 3 + 2] = uint8_t(value);
      break;
  }
}

bool ReadBody(ByteReader& in, const Bmhd& bmhd, DibImage* image) {
  const size_t planeRow = (size_t(bmhd.width) + 15) / 16 * 2;
  const int planes = bmhd.planes + (bmhd.masking == 1 ? 1 : 0);  // mask plane follows
  const size_t rowBytes = planeRow * size_t(planes);
  if (bmhd.compression == 0 && !in.Has(rowBytes * bmhd.height)) return false;
  std::vector<uint8_t> rowData(rowBytes);
  for (int32_t y = 0; y < bmhd.height; ++y) {
    if (bmhd.compression == 0) {
      std::memcpy(rowData.data(), in.Take(rowBytes), rowBytes);
    } else if (!UnpackByteRun1(in, rowData.data(), rowBytes)) {
      return false;
    }
    uint8_t* row = image->Row(y);
    for (int32_t x = 0; x < bmhd.width; ++x) {
      uint32_t value = 0;
      const size_t byte = size_t(x) >> 3;
      const uint8_t bit = uint8_t(0x80 >> (x & 7));
      for (int p = 0; p < bmhd.planes; ++p)
        if (rowData[planeRow * size_t(p) + byte] & bit) value |= 1u << p;
      StorePixel(image, row, x, value);
    }
  }
  return true;
}

}  // namespace

bool ReadIffMemory(const uint8_t* data, size_t size, DibImage* image) {
  if (!image) return false;
  image->Free();
  ByteReader file(data, size);
  if (file.U32BE() != 0x464F524D) return false;  // "FORM"
  uint32_t formSize = file.U32BE();
  if (file.U32BE() != 0x494C424D || file.failed) return false;  // "ILBM"
  if (formSize < 4) return false;
  // A FORM that claims more than the file holds is read as far as the file goes.
  size_t formEnd = formSize - 4 < file.Left() ? formSize - 4 : file.Left();
  ByteReader in(file.Here(), formEnd);

  Bmhd bmhd;
  bool haveHeader = false;
  std::vector<uint8_t> cmap;
  bool haveCmap = false;
  while (in.Has(8)) {
    uint32_t id = in.U32BE();
    uint32_t chunkSize = in.U32BE();
    if (!in.Has(chunkSize)) return false;
    ByteReader chunk(in.Here(), chunkSize);
    if (id == 0x424D4844) {  // "BMHD"
      if (chunkSize < 20) return false;
      bmhd.width = chunk.U16BE();
      bmhd.height = chunk.U16BE();
      chunk.Skip(4);  // x, y
      bmhd.planes = chunk.U8();
      bmhd.masking = chunk.U8();
      bmhd.compression = chunk.U8();
      if (bmhd.compression > 1 || !DepthOfPlanes(bmhd.planes)) return false;
      if (!DibImage::SizeAllowed(bmhd.width, bmhd.height, DepthOfPlanes(bmhd.planes))) return false;
      haveHeader = true;
    } else if (id == 0x434D4150) {  // "CMAP"
      cmap.assign(chunk.Here(), chunk.Here() + chunkSize);
      haveCmap = true;
    } else if (id == 0x424F4459) {  // "BODY"
      if (!haveHeader) return false;
      const int depth = DepthOfPlanes(bmhd.planes);
      if (!image->Create(bmhd.width, bmhd.height, depth)) return false;
      if (haveCmap && depth <= 8) {
        size_t entries = cmap.size() / 3;
        if (entries > size_t(image->PaletteSize())) entries = size_t(image->PaletteSize());
        for (size_t i = 0; i < entries; ++i)
          image->Palette()[i] = {cmap[i * 3 + 2], cmap[i * 3 + 1], cmap[i * 3], 0};
      }
      return ReadBody(chunk, bmhd, image);
    }
    in.Skip(chunkSize + (chunkSize & 1));
    if (in.failed) {
      // The pad byte of the last chunk may be missing; nothing else may be.
      return false;
    }
  }
  return false;
}
