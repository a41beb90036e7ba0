#include "ferrox/file/NativeName.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace Frx::NativeName {

namespace {

// Converts with iconv; an unconvertible input byte is replaced by `fallback`
// (or copied when fallback is 0) and the conversion goes on.
std::string Convert(const char* to, const char* from, const char* text, char fallback) {
  std::string out;
  if (!text || !*text) return out;
  iconv_t cd = iconv_open(to, from);
  size_t inLeft = std::strlen(text);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text, inLeft);
  char* in = const_cast<char*>(text);
  char buffer[256];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      // EILSEQ or EINVAL: skip one input byte.
      out += fallback ? fallback : *in;
      ++in;
      --inLeft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string Cp932ToUtf8(const char* text) { return Convert("UTF-8", "CP932", text, 0); }

Pstring Utf8ToCp932(const char* text) { return Pstring(Convert("CP932", "UTF-8", text, '?')); }

std::string ToNative(const char* path) {
  std::string native = Cp932ToUtf8(path);
  for (char& c : native)
    if (c == '\\') c = '/';
  return native;
}

Pstring FromNative(const char* path) { return Utf8ToCp932(path); }

}  // namespace Frx::NativeName
