// Fuzzes the scanner and the block walker. Input: a pattern, a zero byte, the text.
// Conversions in the pattern are rewritten to one kind per run so that the arguments
// passed always fit them.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ferrox/text/Pscanf.h"
#include "ferrox/text/TextFormat.h"

namespace {

constexpr int kMaxConversions = 4;

// The pattern with every conversion turned into kind and at most kMaxConversions.
std::string Rewrite(const std::string& pattern, char kind) {
  std::string out;
  int conversions = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%' || i + 1 == pattern.size()) {
      out += pattern[i];
      continue;
    }
    const char next = pattern[++i];
    if (std::strchr("dDxXfFsS", next)) {
      if (conversions++ < kMaxConversions) out += std::string("%") + kind;
    } else {
      out += '%';
      out += next;
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t* split = static_cast<const uint8_t*>(std::memchr(data, 0, size));
  if (!split) return 0;
  const std::string pattern(reinterpret_cast<const char*>(data), split - data);
  const size_t textSize = size - (split - data) - 1;
  std::vector<char> text(split + 1, data + size);
  text.push_back('\0');

  int n[kMaxConversions];
  float f[kMaxConversions];
  char s[kMaxConversions][8];
  const char* cursor = text.data();
  Frx::Pscanf(cursor, Rewrite(pattern, 'd').c_str(), &n[0], &n[1], &n[2], &n[3]);
  cursor = text.data();
  Frx::Pscanf(cursor, Rewrite(pattern, 'f').c_str(), &f[0], &f[1], &f[2], &f[3]);
  cursor = text.data();
  Frx::Pscanf(cursor, Rewrite(pattern, 's').c_str(), s[0], 8, s[1], 3, s[2], 1, s[3], 0);

  for (int depth = -1; depth <= 2; ++depth) {
    Frx::TextFormat::ExitSection(text.data(), depth);
    Frx::TextFormat::ExitSection(text.data(), depth, text.data() + textSize);
  }
  const char* p = text.data();
  while (*p) p = Frx::TextFormat::NextParagraph(p);
  Frx::TextFormat::GetWidth(p, text.data());
  Frx::TextFormat::GetLine(p, text.data());
  return 0;
}
