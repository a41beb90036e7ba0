#include "ferrox/file/NameFold.h"

#include "platform/files/FindPath.h"

namespace Frx::NameFold {

namespace {

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

std::u32string Fold(std::string_view name) { return Platform::Files::FoldCase(name); }

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
