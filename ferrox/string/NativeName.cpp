#include "ferrox/string/NativeName.h"

#include <cstring>

#include "platform/win32/Cp932.h"

namespace Frx::NativeName {

std::string Cp932ToUtf8(const char* text) {
  return text ? Platform::Cp932::ToUtf8(text, std::strlen(text)) : std::string();
}

Pstring Utf8ToCp932(const char* text) {
  return Pstring(text ? Platform::Cp932::FromUtf8(text, std::strlen(text)) : std::string());
}

std::string ToNative(const char* path) {
  std::string native = Cp932ToUtf8(path);
  for (char& c : native)
    if (c == '\\') c = '/';
  return native;
}

Pstring FromNative(const char* path) { return Utf8ToCp932(path); }

}  // namespace Frx::NativeName
