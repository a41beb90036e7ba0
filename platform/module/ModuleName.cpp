#include "platform/module/ModuleName.h"

#include <dirent.h>
#include <iconv.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace Platform::ModuleName {

namespace {

bool IsLeadByte(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= 0x81 && u <= 0x9F) || (u >= 0xE0 && u <= 0xFC);
}

std::string Convert(const char* to, const char* from, const char* text, size_t length,
                    char fallback) {
  std::string out;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text, length);
  char* in = const_cast<char*>(text);
  size_t inLeft = length;
  char buffer[256];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      // A Shift-JIS pair without a mapping becomes U+FFFD whole, so its trail
      // byte (maybe 0x5C) is never taken for a separator.
      if (!fallback && IsLeadByte(*in) && inLeft > 1) {
        out += "\xEF\xBF\xBD";
        in += 2;
        inLeft -= 2;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        continue;
      }
      // An invalid or cut sequence: keep (or replace) one byte and go on.
      out += fallback ? fallback : *in;
      ++in;
      --inLeft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

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

std::string ToUtf8(const char* text) {
  if (!text || !*text) return std::string();
  return Convert("UTF-8", "CP932", text, std::strlen(text), 0);
}

std::string ToCp932(const std::string& text) {
  if (text.empty()) return text;
  return Convert("CP932", "UTF-8", text.data(), text.size(), '?');
}

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
