#include "vocore/testing/TestImages.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/testing/ReadWhole.h"
#include "vocore/diblib/DibImage.h"

bool LoadNetpbm(const std::string& path, Rgb* out) {
  std::vector<uint8_t> data = ReadBytes(path);
  size_t pos = 0;
  auto token = [&]() {
    while (pos < data.size() && (std::isspace(data[pos]) || data[pos] == '#')) {
      if (data[pos] == '#')
        while (pos < data.size() && data[pos] != '\n') ++pos;
      else
        ++pos;
    }
    std::string t;
    while (pos < data.size() && !std::isspace(data[pos])) t += char(data[pos++]);
    return t;
  };
  std::string magic = token();
  if (magic != "P6" && magic != "P5" && magic != "P4") return false;
  out->width = std::atoi(token().c_str());
  out->height = std::atoi(token().c_str());
  if (magic != "P4" && std::atoi(token().c_str()) != 255) return false;
  ++pos;
  const size_t count = size_t(out->width) * size_t(out->height);
  out->rgb.assign(count * 3, 0);
  const size_t rowBits = (size_t(out->width) + 7) / 8;
  for (size_t i = 0; i < count; ++i) {
    uint8_t r, g, b;
    if (magic == "P6") {
      if (pos + i * 3 + 2 >= data.size()) return false;
      r = data[pos + i * 3], g = data[pos + i * 3 + 1], b = data[pos + i * 3 + 2];
    } else if (magic == "P5") {
      if (pos + i >= data.size()) return false;
      r = g = b = data[pos + i];
    } else {
      size_t y = i / size_t(out->width), x = i % size_t(out->width);
      size_t at = pos + y * rowBits + x / 8;
      if (at >= data.size()) return false;
      r = g = b = (data[at] >> (7 - x % 8)) & 1 ? 0 : 255;  // 1 is black
    }
    out->rgb[i * 3] = r, out->rgb[i * 3 + 1] = g, out->rgb[i * 3 + 2] = b;
  }
  return true;
}

Rgb ToRgb(const DibImage& image) {
  Rgb out;
  out.width = image.Width();
  out.height = image.AbsHeight();
  const int bits = image.BitCount();
  if (bits == 32) out.alpha.resize(size_t(out.width) * size_t(out.height));
  for (int y = 0; y < out.height; ++y) {
    const uint8_t* row = image.Row(y);
    for (int x = 0; x < out.width; ++x) {
      uint8_t r, g, b;
      if (bits <= 8) {
        int index = bits == 8 ? row[x]
                  : bits == 4 ? (row[x / 2] >> (x % 2 ? 0 : 4)) & 15
                              : (row[x / 8] >> (7 - x % 8)) & 1;
        const DibRgbQuad& q = image.Palette()[index];
        r = q.red, g = q.green, b = q.blue;
      } else if (bits == 16) {
        int v = row[x * 2] | row[x * 2 + 1] << 8;
        r = uint8_t(((v >> 10) & 31) * 255 / 31), g = uint8_t(((v >> 5) & 31) * 255 / 31),
        b = uint8_t((v & 31) * 255 / 31);
      } else {
        const uint8_t* p = row + x * (bits / 8);
        b = p[0], g = p[1], r = p[2];
        if (bits == 32) out.alpha[size_t(y) * size_t(out.width) + size_t(x)] = p[3];
      }
      out.rgb.push_back(r), out.rgb.push_back(g), out.rgb.push_back(b);
    }
  }
  return out;
}

int MaxDifference(const Rgb& a, const Rgb& b) {
  if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size()) return -1;
  int worst = 0;
  for (size_t i = 0; i < a.rgb.size(); ++i) worst = std::max(worst, std::abs(a.rgb[i] - b.rgb[i]));
  return worst;
}

uint64_t Fnv1a(const std::vector<uint8_t>& bytes) {
  uint64_t h = 0xcbf29ce484222325ull;
  for (uint8_t b : bytes) h = (h ^ b) * 0x100000001b3ull;
  return h;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  const std::string bytes = FrxTest::ReadWhole(path);
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::string ImagesDir() { return std::string(SAVORA_TESTDATA_DIR) + "/images/"; }

std::string AssimpDir() {
  const char* dir = "/usr/share/assimp/models/";
  return std::filesystem::is_directory(dir) ? dir : "";
}

std::vector<std::string> ListDir(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

ModulesFromProgramFolder::ModulesFromProgramFolder()
    : systemPath_(Frx::theFerrox.systemPath, Frx::Pstring(SAVORA_PROGRAM_DIR "/")) {}
