#include "platform/files/FindPath.h"

#include <dirent.h>
#include <sys/stat.h>

namespace Platform::Files {

namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

// One UTF-8 character at s[i], advancing i; a byte that does not start a
// valid sequence stands for itself (as 0xDC00 + byte), so any name compares.
char32_t Next(std::string_view s, size_t& i) {
  const unsigned char b = static_cast<unsigned char>(s[i]);
  if (b < 0x80) {
    ++i;
    return b;
  }
  const size_t extra = b >= 0xC2 && b < 0xE0 ? 1 : b >= 0xE0 && b < 0xF0 ? 2 : b >= 0xF0 && b < 0xF5 ? 3 : 0;
  if (extra == 0 || i + extra >= s.size()) {
    ++i;
    return 0xDC00 + b;
  }
  char32_t c = b & (0x3F >> extra);
  for (size_t k = 1; k <= extra; ++k) {
    const unsigned char t = static_cast<unsigned char>(s[i + k]);
    if ((t & 0xC0) != 0x80) {
      ++i;
      return 0xDC00 + b;
    }
    c = (c << 6) | (t & 0x3F);
  }
  i += extra + 1;
  return c;
}

char32_t Upper(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;                 // full-width a-z
  if (c >= 0x03B1 && c <= 0x03C9 && c != 0x03C2) return c - 0x20;  // Greek
  if (c >= 0x0430 && c <= 0x044F) return c - 0x20;                 // Cyrillic
  if (c == 0x0451) return 0x0401;                                   // Cyrillic io
  return c;
}

}  // namespace

std::u32string FoldCase(std::string_view name) {
  std::u32string out;
  out.reserve(name.size());
  for (size_t i = 0; i < name.size();) out += Upper(Next(name, i));
  return out;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size())
    if (Upper(Next(a, i)) != Upper(Next(b, j))) return false;
  return i == a.size() && j == b.size();
}

std::string FindIgnoringCase(const std::string& path) {
  if (path.empty() || Exists(path)) return path;
  std::string found;  // the resolved prefix, without a trailing "/"
  const bool absolute = path[0] == '/';
  size_t pos = absolute ? 1 : 0;
  while (pos <= path.size()) {
    size_t end = path.find('/', pos);
    if (end == std::string::npos) end = path.size();
    const std::string element = path.substr(pos, end - pos);
    pos = end + 1;
    if (element.empty()) continue;
    const std::string dir = found.empty() ? (absolute ? "/" : ".") : found;
    const std::string prefix = found.empty() ? (absolute ? "/" : "") : found + "/";
    if (element == "." || element == ".." || Exists(prefix + element)) {
      found = prefix + element;
      continue;
    }
    DIR* d = opendir(dir.c_str());
    if (!d) return std::string();
    std::string best;
    while (const dirent* entry = readdir(d)) {
      const std::string_view name = entry->d_name;
      if (SameIgnoringCase(name, element) && (best.empty() || name < best)) best = name;
    }
    closedir(d);
    if (best.empty()) return std::string();
    found = prefix + best;
  }
  return found;
}

}  // namespace Platform::Files
