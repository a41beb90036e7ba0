#include "ferrox/file/NativeName.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

#include "ferrox/string/Sjis.h"

namespace Frx::NativeName {

namespace {

bool IsAscii(const char* text, size_t length) {
  for (size_t i = 0; i < length; ++i)
    if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
  return true;
}

// Converts with iconv; an unconvertible input character is replaced by one
// `fallback` (or its bytes are copied when fallback is 0) and the conversion
// goes on. Both encodings keep ASCII as it is, so ASCII needs no conversion.
std::string Convert(const char* to, const char* from, const char* text, char fallback) {
  std::string out;
  if (!text || !*text) return out;
  size_t inLeft = std::strlen(text);
  if (IsAscii(text, inLeft)) return std::string(text, inLeft);
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text, inLeft);
  char* in = const_cast<char*>(text);
  char buffer[256];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      // EILSEQ or EINVAL: skip one input byte; with a fallback (UTF-8 input)
      // also the continuation bytes of the same character. An unknown
      // Shift-JIS pair becomes U+FFFD whole, so its trail byte (maybe 0x5C)
      // is never taken for a separator.
      if (!fallback && Sjis::IsLead(*in) && inLeft > 1) {
        out += "\xEF\xBF\xBD";
        in += 2;
        inLeft -= 2;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        continue;
      }
      out += fallback ? fallback : *in;
      ++in;
      --inLeft;
      while (fallback && inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
        ++in;
        --inLeft;
      }
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
