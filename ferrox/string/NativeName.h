// Conversion of file-system names between the system's Shift-JIS (CP932) text and
// the UTF-8 names of the Linux file system. Pure text work, kept with the
// strings so the file functions and the log can both use it.
#pragma once

#include <string>

#include "ferrox/string/Pstring.h"

namespace Frx::NativeName {

// CP932 bytes to UTF-8; bytes that do not convert are kept as they are.
std::string Cp932ToUtf8(const char* text);
// UTF-8 to CP932; characters without a CP932 form become "?".
Pstring Utf8ToCp932(const char* text);

// A system path to a file-system path: converted from CP932 first (0x5C can be
// the trail byte of a character), then every "\" becomes "/".
std::string ToNative(const char* path);
// A file-system path or name back to system text (separators are left as "/").
Pstring FromNative(const char* path);

}  // namespace Frx::NativeName
