#include "platform/module/ModuleName.h"

#include <cstring>

#include "platform/win32/Cp932.h"

namespace Platform::ModuleName {

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

}  // namespace Platform::ModuleName
