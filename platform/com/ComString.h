// Text at the edge of the COM-style interfaces: UTF-16 there (std::u16string,
// char16_t*), the system's Shift-JIS (CP932) inside.
#pragma once

#include <string>
#include <string_view>

namespace Com {

// A lone surrogate becomes U+FFFD; a character without a CP932 form becomes "?".
std::string ToSjis(std::u16string_view text);
// CP932 bytes that do not convert become U+FFFD.
std::u16string FromSjis(std::string_view text);
// A null string is empty, as a null BSTR is.
inline std::string ToSjis(const char16_t* text) { return text ? ToSjis(std::u16string_view(text)) : std::string(); }

std::string ToUtf8(std::u16string_view text);
// Malformed bytes become U+FFFD.
std::u16string FromUtf8(std::string_view text);

}  // namespace Com
