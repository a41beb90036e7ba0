#include "ferrox/file/NameFold.h"

namespace Frx::NameFold {

namespace {

char32_t Upper(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;                 // full-width a-z
  if (c >= 0x03B1 && c <= 0x03C9 && c != 0x03C2) return c - 0x20;  // Greek
  if (c >= 0x0430 && c <= 0x044F) return c - 0x20;                 // Cyrillic
  if (c == 0x0451) return 0x0401;                                   // Cyrillic io
  return c;
}

// Decodes one UTF-8 character at s[i], advancing i; bad bytes stand alone.
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

bool Glob(std::u32string_view p, std::u32string_view n) {
  size_t pi = 0, ni = 0;
  size_t starP = std::u32string_view::npos, starN = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == U'?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == U'*') {
      starP = pi++;
      starN = ni;
    } else if (starP != std::u32string_view::npos) {
      pi = starP + 1;
      ni = ++starN;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == U'*') ++pi;
  return pi == p.size();
}

}  // namespace

std::u32string Fold(std::string_view name) {
  std::u32string out;
  out.reserve(name.size());
  for (size_t i = 0; i < name.size();) out += Upper(Next(name, i));
  return out;
}

bool Same(std::string_view a, std::string_view b) { return Fold(a) == Fold(b); }

bool HasWildcard(std::string_view text) { return text.find_first_of("*?") != std::string_view::npos; }

bool Match(std::string_view pattern, std::string_view name) {
  if (pattern == "*" || pattern == "*.*") return true;
  const std::u32string p = Fold(pattern);
  const std::u32string n = Fold(name);
  if (Glob(p, n)) return true;
  const std::u32string_view pv(p);
  if (pv.size() >= 2 && pv.substr(pv.size() - 2) == U".*" && Glob(pv.substr(0, pv.size() - 2), n))
    return true;
  if (pv.size() >= 2 && pv.back() == U'.' && pv[pv.size() - 2] != U'.' &&
      n.find(U'.') == std::u32string::npos && Glob(pv.substr(0, pv.size() - 1), n))
    return true;
  return false;
}

}  // namespace Frx::NameFold
