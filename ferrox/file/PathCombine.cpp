// Path::Combine and Path::Canonicalize: the shell's join and "."/".." folding.
#include <cstring>
#include <string>
#include <vector>

#include "ferrox/file/Path.h"
#include "ferrox/string/Sjis.h"

namespace Frx::Path {

namespace {

bool HasDrive(const char* p) { return p[0] != '\0' && !Sjis::IsLead(p[0]) && p[1] == ':'; }

bool IsUnc(const char* p) { return IsSeparator(p[0]) && IsSeparator(p[1]); }

// Bytes of the root of p ("\\server\share\", "X:\", "X:", "\" or nothing).
size_t RootLength(const char* p) {
  if (IsUnc(p)) {
    size_t i = 2;
    for (int part = 0; part < 2 && p[i]; ++part) {
      while (p[i] && !IsSeparator(p[i])) i += Sjis::CharLength(p + i);
      if (p[i]) ++i;
    }
    return i;
  }
  if (IsSeparator(p[0])) return 1;
  if (HasDrive(p)) return IsSeparator(p[2]) ? 3 : 2;
  return 0;
}

// Whether p ends in a separator; a trail byte 0x5C is not one.
bool EndsWithSeparator(const std::string& p) {
  size_t i = 0, last = std::string::npos;
  while (i < p.size()) {
    last = i;
    i += Sjis::CharLength(p.c_str() + i);
  }
  return last != std::string::npos && i - last == 1 && IsSeparator(p[last]);
}

struct Component {
  std::string text;
  char separator;  // the separator that followed it, or 0
};

bool Fail(char* out) {
  if (out) out[0] = '\0';
  return false;
}

}  // namespace

char* Canonicalize(char* out, const char* path) {
  if (!out || !path) return Fail(out), nullptr;
  const size_t length = std::strlen(path);
  if (length >= static_cast<size_t>(MaxPath)) return Fail(out), nullptr;
  if (length == 0) {
    std::strcpy(out, "\\");
    return out;
  }
  const size_t root = RootLength(path);
  // A root that ends in a separator cannot be climbed over.
  const bool rooted = root > 0 && (IsSeparator(path[root - 1]) || IsUnc(path));

  std::vector<Component> kept;
  bool lastWasDot = false;
  char dotSeparator = 0;
  for (size_t i = root; path[i];) {
    const size_t start = i;
    while (path[i] && !IsSeparator(path[i])) i += Sjis::CharLength(path + i);
    Component c{std::string(path + start, i - start), path[i]};
    if (path[i]) ++i;
    lastWasDot = false;
    if (c.text.empty()) continue;
    if (c.text != "." && c.text != "..") {
      kept.push_back(c);
      continue;
    }
    lastWasDot = true;
    dotSeparator = c.separator;
    if (c.text == "..") {
      if (!kept.empty() && kept.back().text != "..")
        kept.pop_back();
      else if (!rooted)
        kept.push_back(c);  // a relative path keeps what it cannot resolve
    }
  }

  std::string result(path, root);
  if (root == 2 && HasDrive(path) && kept.empty()) result += '\\';  // a bare drive names its root
  for (size_t k = 0; k < kept.size(); ++k) {
    result += kept[k].text;
    const bool last = k + 1 == kept.size();
    // A final "." or ".." takes the separator before it away.
    if (!kept[k].separator) continue;
    if (!(last && lastWasDot))
      result += kept[k].separator;
    else if (dotSeparator)
      result += dotSeparator;
  }
  std::memcpy(out, result.c_str(), result.size() + 1);
  return out;
}

char* Combine(char* out, const char* a, const char* b) {
  if (!out) return nullptr;
  if (!a && !b) return Fail(out), nullptr;
  const bool aEmpty = !a || *a == '\0';
  std::string joined;
  if (!b || *b == '\0') {
    joined = a;
  } else if (aEmpty || IsSeparator(b[0]) || HasDrive(b)) {
    const size_t root = aEmpty ? 0 : RootLength(a);
    if (aEmpty || !IsSeparator(b[0]) || IsUnc(b) || root == 0) {
      joined = b;
    } else {
      // "\x" joins to the root of a.
      joined.assign(a, root);
      if (!EndsWithSeparator(joined)) joined += '\\';
      joined += b + 1;
    }
  } else {
    joined = a;
    if (!EndsWithSeparator(joined)) joined += '\\';
    joined += b;
  }
  if (joined.size() >= static_cast<size_t>(MaxPath)) return Fail(out), nullptr;
  return Canonicalize(out, joined.c_str());
}

Pstring Combine(const char* a, const char* b) {
  char out[MaxPath + 1];
  return Pstring(Combine(out, a, b) ? out : "");
}

}  // namespace Frx::Path
