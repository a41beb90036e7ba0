#include "ferrox/testing/ReadWhole.h"

#include <cstdio>

namespace FrxTest {

std::string ReadWhole(const std::string& path) {
  std::string bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    constexpr size_t kChunk = 1 << 16;
    for (size_t got = kChunk; got == kChunk;) {
      const size_t had = bytes.size();
      bytes.resize(had + kChunk);
      got = std::fread(bytes.data() + had, 1, kChunk, f);
      bytes.resize(had + got);
    }
    std::fclose(f);
  }
  return bytes;
}

}  // namespace FrxTest
