#include "plugins/Rastel/ShotFiles.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "ferrox/file/CaseResolve.h"
#include "ferrox/string/Sjis.h"

namespace {

// A name read from a model or motion file stands for one element of the
// path: its separators become "_", and a name of dots alone would climb.
std::string PathElement(const char* text) {
  std::string name = text ? text : "";
  bool dotsOnly = !name.empty();
  for (size_t i = 0; i < name.size(); i += size_t(Frx::Sjis::CharLength(name.c_str() + i))) {
    if (Frx::Sjis::CharLength(name.c_str() + i) == 1 && (name[i] == '\\' || name[i] == '/')) name[i] = '_';
    if (name[i] != '.') dotsOnly = false;
  }
  if (dotsOnly) name.assign(name.size(), '_');
  return name;
}

}  // namespace

std::string ShotName(const char* pattern, const char* character, const char* motion, long number) {
  std::string name;
  if (!pattern) return name;
  for (const char* p = pattern; *p;) {
    const int length = Frx::Sjis::CharLength(p);
    if (length == 1 && *p == '%') {
      switch (p[1]) {
        case 'c':
          name += PathElement(character);
          p += 2;
          continue;
        case 'm':
          name += PathElement(motion);
          p += 2;
          continue;
        case 'f': {
          char digits[32];
          std::snprintf(digits, sizeof digits, "%04ld", number);
          name += digits;
          p += 2;
          continue;
        }
        case '%':
          name += '%';
          p += 2;
          continue;
        default:
          break;
      }
    }
    name.append(p, size_t(length));
    p += length;
  }
  return name;
}

namespace {

bool IsFolder(const std::string& native) {
  struct stat st {};
  return stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The folder named by the Shift-JIS path exists or is made.
bool EnsureFolder(const std::string& folder) {
  const std::string native = Frx::CaseResolve::ResolveSystem(folder.c_str());
  struct stat st {};
  if (stat(native.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  if (mkdir(native.c_str(), 0777) == 0) return true;
  return errno == EEXIST && IsFolder(native);
}

}  // namespace

int MakeFolders(const char* path) {
  if (!path) return 0;
  const std::string text(path);
  bool afterSeparator = false, afterColon = false;
  for (size_t i = 0; i < text.size();) {
    const int length = Frx::Sjis::CharLength(text.c_str() + i);
    const bool separator = length == 1 && (text[i] == '\\' || text[i] == '/');
    // Not at the root, after a drive's colon or after another separator:
    // those cut no folder.
    if (separator && i > 0 && !afterSeparator && !afterColon && !EnsureFolder(text.substr(0, i))) return 0;
    afterSeparator = separator;
    afterColon = length == 1 && text[i] == ':';
    i += size_t(length);
  }
  return 1;
}
