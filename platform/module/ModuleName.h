// Name mapping of the module layer: from the system's Windows-style module
// names to file-system paths.
#pragma once

#include <string>

namespace Platform::ModuleName {

// CP932 bytes to UTF-8; a pair without a mapping becomes U+FFFD, other bytes
// that do not convert are kept as they are.
std::string ToUtf8(const char* text);
// UTF-8 to CP932; characters without a CP932 form become "?".
std::string ToCp932(const std::string& text);

// Converted, separators and extension mapped, relative names placed in
// `folder` (which ends with "/"). No file-system access.
std::string Map(const char* name, const std::string& folder);

// The last element of a path, lower-cased (ASCII).
std::string LowerFileName(const std::string& path);
std::string Lower(std::string text);

}  // namespace Platform::ModuleName
