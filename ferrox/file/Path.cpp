#include "ferrox/file/Path.h"

#include <cstring>
#include <string>

#include "ferrox/string/PstrCmp.h"
#include "ferrox/string/Sjis.h"

namespace Frx::Path {

using Sjis::CharLength;

bool IsSeparator(char c) { return c == '\\' || c == '/' || c == '|'; }

const char* FindName(const char* path) {
  if (!path) return nullptr;
  size_t start = 0;
  for (size_t i = 0; path[i] != '\0';) {
    const char c = path[i];
    if (IsSeparator(c)) {
      if (path[i + 1] == '\0') break;  // a trailing separator belongs to the name
      start = i + 1;
    } else if (c == ':') {
      start = i + 1;
    }
    i += CharLength(path + i);
  }
  return path[start] == '\0' ? nullptr : path + start;
}

char* FindExt(const char* path) {
  if (!path) return nullptr;
  const char* dot = nullptr;
  const char* p = path;
  while (*p) {
    if (IsSeparator(*p) || *p == ' ')
      dot = nullptr;
    else if (*p == '.')
      dot = p;
    p += CharLength(p);
  }
  return const_cast<char*>(dot ? dot : p);
}

int GetName(char* out, const char* path) {
  const char* name = FindName(path);
  if (!name || !out) return 0;
  std::strcpy(out, name);
  return 1;
}

Pstring GetName(const char* path) {
  const char* name = FindName(path);
  return Pstring(name ? name : "");
}

namespace {

// Length of the class, or -1 when no ":" comes before a separator.
int ClassLength(const char* path) {
  if (!path) return -1;
  for (const char* p = path; *p; p += CharLength(p)) {
    if (*p == ':') return static_cast<int>(p - path);
    if (IsSeparator(*p)) return -1;
  }
  return -1;
}

}  // namespace

int GetClass(char* out, const char* path) {
  if (!out) return 0;
  const int n = ClassLength(path);
  if (n < 0) {
    out[0] = '\0';
  } else {
    std::memcpy(out, path, static_cast<size_t>(n));
    out[n] = '\0';
  }
  return 1;
}

int GetDrive(char* out, const char* path) { return GetClass(out, path); }

int GetClassPath(char* out, const char* path) {
  if (!out) return 0;
  const int n = ClassLength(path);
  if (n < 0) return GetPath(out, path);
  std::memcpy(out, path, static_cast<size_t>(n) + 1);  // class and its ":"
  return GetPath(out + n + 1, path);
}

int GetPath(char* out, const char* path) {
  if (!out) return 0;
  out[0] = '\0';
  if (!path) return 1;
  size_t o = 0;
  size_t end = 0;  // output length up to and including the last separator
  for (const char* p = path; *p;) {
    if (*p == ':') {
      o = 0;
      end = 0;
      ++p;
      continue;
    }
    const int n = CharLength(p);
    if (n == 1 && IsSeparator(*p)) end = o + 1;
    for (int k = 0; k < n; ++k) out[o++] = *p++;
  }
  out[end] = '\0';
  return 1;
}

Pstring GetPath(Pstring path) {
  const char* text = path.Get();
  size_t drive = 0;
  if (text[0] != '\0' && !Sjis::IsLead(text[0]) && text[1] == ':') drive = 2;
  size_t end = drive;
  for (size_t i = drive; text[i];) {
    if (IsSeparator(text[i])) end = i + 1;
    i += CharLength(text + i);
  }
  return Pstring(std::string(text, end));
}

int GetLastPath(char* out, const char* path) {
  if (!out) return 0;
  out[0] = '\0';
  if (!path) return 1;
  // Forward walk: a backward one could take a trail byte 0x5C for a separator.
  size_t start = 0, lastStart = 0, lastEnd = 0;
  size_t i = 0;
  bool trailing = false;
  while (path[i]) {
    if (IsSeparator(path[i])) {
      lastStart = start;
      lastEnd = i;
      start = i + 1;
      trailing = path[i + 1] == '\0';
      ++i;
    } else {
      i += CharLength(path + i);
    }
  }
  if (!trailing) {
    lastStart = start;
    lastEnd = i;
  }
  std::memcpy(out, path + lastStart, lastEnd - lastStart);
  out[lastEnd - lastStart] = '\0';
  return 1;
}

int CmpClass(const char* path, const char* name) {
  const int n = ClassLength(path);
  if (n < 0 || !name) return name && *name == '\0' ? 1 : 0;
  return PstrCmp2(std::string(path, static_cast<size_t>(n)).c_str(), name, '\0');
}

int CmpExt(const char* path, const char* ext) {
  if (!path || !ext) return 0;
  const char* dot = FindExt(path);
  if (*dot != '.') return 0;
  return PstrCmp2(dot + 1, ext, '\0');
}

}  // namespace Frx::Path
