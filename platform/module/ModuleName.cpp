#include "platform/module/ModuleName.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>

#include "platform/win32/Cp932.h"

namespace Platform::ModuleName {

namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

bool EqualIgnoringCase(const char* a, const std::string& b) {
  size_t i = 0;
  for (; a[i] && i < b.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return !a[i] && i == b.size();
}

}  // namespace

std::string ToUtf8(const char* text) { return text ? Cp932::ToUtf8(text, std::strlen(text)) : std::string(); }

std::string ToCp932(const std::string& text) { return Cp932::FromUtf8(text.data(), text.size()); }

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string LowerFileName(const std::string& path) {
  size_t slash = path.rfind('/');
  return Lower(slash == std::string::npos ? path : path.substr(slash + 1));
}

std::string Map(const char* name, const std::string& folder) {
  // Convert before mapping "\": 0x5C is also the trail byte of some characters.
  std::string path = ToUtf8(name);
  if (path.empty()) return path;
  for (char& c : path)
    if (c == '\\') c = '/';
  size_t slash = path.rfind('/');
  size_t start = slash == std::string::npos ? 0 : slash + 1;
  std::string file = path.substr(start);
  if (!file.empty()) {
    size_t dot = file.rfind('.');
    if (dot == std::string::npos) {
      path += ".so";  // Windows appends the default extension
    } else if (dot + 1 == file.size()) {
      path.pop_back();  // a trailing "." asks for no extension
    } else if (Lower(file.substr(dot)) == ".dll") {
      path.replace(start + dot, std::string::npos, ".so");
    }
  }
  if (path[0] != '/') path = folder + path;
  return path;
}

std::string FindIgnoringCase(const std::string& path) {
  if (path.empty()) return path;
  if (Exists(path)) return path;
  std::string found;  // the resolved prefix, without a trailing "/"
  size_t pos = path[0] == '/' ? 1 : 0;
  bool absolute = pos == 1;
  while (pos <= path.size()) {
    size_t end = path.find('/', pos);
    if (end == std::string::npos) end = path.size();
    std::string element = path.substr(pos, end - pos);
    pos = end + 1;
    if (element.empty()) continue;
    std::string dir = found.empty() ? (absolute ? "/" : ".") : found;
    std::string prefix = found.empty() ? (absolute ? "/" : "") : found + "/";
    if (element == "." || element == ".." || Exists(prefix + element)) {
      found = prefix + element;
      continue;
    }
    DIR* d = opendir(dir.c_str());
    if (!d) return std::string();
    std::string best;
    while (dirent* entry = readdir(d)) {
      if (EqualIgnoringCase(entry->d_name, element) && (best.empty() || best > entry->d_name))
        best = entry->d_name;
    }
    closedir(d);
    if (best.empty()) return std::string();
    found = prefix + best;
  }
  return found;
}

}  // namespace Platform::ModuleName
