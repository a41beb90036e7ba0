#include "platform/win32/Cp932.h"

#include <iconv.h>

#include <cerrno>

namespace Platform::Cp932 {

namespace {

bool IsAscii(const char* text, size_t length) {
  for (size_t i = 0; i < length; ++i)
    if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
  return true;
}

bool IsLeadByte(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= 0x81 && u <= 0x9F) || (u >= 0xE0 && u <= 0xFC);
}

// `fallback` 0: the input is CP932 (unknown pairs become U+FFFD, stray bytes
// are copied); otherwise the input is UTF-8 and an unconvertible character
// (all its bytes) becomes one fallback byte.
std::string Convert(const char* to, const char* from, const char* text, size_t length, char fallback) {
  if (length == 0) return std::string();
  // Both encodings keep ASCII as it is.
  if (IsAscii(text, length)) return std::string(text, length);
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text, length);
  std::string out;
  char* in = const_cast<char*>(text);
  size_t inLeft = length;
  char buffer[256];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      if (!fallback && IsLeadByte(*in) && inLeft > 1) {
        out += "\xEF\xBF\xBD";
        in += 2;
        inLeft -= 2;
      } else {
        out += fallback ? fallback : *in;
        ++in;
        --inLeft;
        while (fallback && inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
          ++in;
          --inLeft;
        }
      }
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string ToUtf8(const char* text, size_t length) { return Convert("UTF-8", "CP932", text, length, 0); }

std::string FromUtf8(const char* text, size_t length) { return Convert("CP932", "UTF-8", text, length, '?'); }

}  // namespace Platform::Cp932
