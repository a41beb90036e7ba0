// Bounded printf into a fixed buffer that never ends in half a Shift-JIS
// character, for message boxes and other fixed-size texts.
#pragma once

#include <cstdarg>
#include <cstddef>

namespace Frx {

// Formats into buffer (size bytes, terminator included). Output that does not
// fit is cut at a character boundary. Returns the length written.
size_t FormatTextV(char* buffer, size_t size, const char* format, va_list args);
size_t FormatText(char* buffer, size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

}  // namespace Frx
