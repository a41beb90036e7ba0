// Bounded printf into a fixed buffer that never ends in half a Shift-JIS
// character, for message boxes and other fixed-size texts.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>

namespace Frx {

// Formats into buffer (size bytes, terminator included). Output that does not
// fit is cut at a character boundary. Returns the length written.
size_t FormatTextV(char* buffer, size_t size, const char* format, va_list args);
size_t FormatText(char* buffer, size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Appends printf output of any length to `out` (writers build whole files in
// memory this way).
void AppendFormat(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace Frx
