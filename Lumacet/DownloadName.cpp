// The local name of a download, taken from its URL, and the %XX decoding
// of URLs.
#include <string>

#include "Lumacet/Download.h"
#include "ferrox/string/Sjis.h"

namespace Lumacet {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string DecodePercent(const std::string& text, bool keepNul) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const int high = text[i] == '%' && i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
    const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
    if (low < 0 || (keepNul && high == 0 && low == 0)) {
      out += text[i];
      continue;
    }
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

bool IsPlainName(const std::string& name) {
  if (name.empty() || name[0] == '.') return false;
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    // Never a trail byte of Shift-JIS, so refused wherever they stand.
    if (u < 0x20 || u == 0x7F || c == '/') return false;
  }
  for (size_t i = 0; i < name.size(); i += Frx::Sjis::CharLength(name.c_str() + i))
    if (name[i] == '\\') return false;
  return true;
}

std::string DownloadFileName(const char* url) {
  if (!url) return std::string();
  std::string text = url;
  text = text.substr(0, text.find_first_of("?#"));
  // The path begins at the first "/" after "scheme://host".
  const size_t scheme = text.find("://");
  const size_t path = text.find('/', scheme == std::string::npos ? 0 : scheme + 3);
  if (scheme == std::string::npos || path == std::string::npos) return std::string();
  size_t name = path + 1;
  for (size_t i = path; i < text.size(); i += Frx::Sjis::CharLength(text.c_str() + i))
    if (text[i] == '/' || text[i] == '\\') name = i + 1;
  const std::string last = DecodePercent(text.substr(name), false);
  return IsPlainName(last) ? last : std::string();
}

}  // namespace Lumacet
