// Conversion between the system's Shift-JIS (CP932) text and UTF-8, used where
// text meets the Linux file system and the dynamic loader.
#pragma once

#include <cstddef>
#include <string>

namespace Platform::Cp932 {

// CP932 to UTF-8. A double-byte pair without a mapping becomes U+FFFD whole,
// so its trail byte (maybe 0x5C) is never taken for a separator; any other
// byte that does not convert is copied as it is.
std::string ToUtf8(const char* text, size_t length);
// UTF-8 to CP932; a character without a CP932 form becomes one "?".
std::string FromUtf8(const char* text, size_t length);

}  // namespace Platform::Cp932
