#include "ferrox/string/FormatText.h"

#include <cstdio>

#include "ferrox/string/Sjis.h"

namespace Frx {

size_t FormatTextV(char* buffer, size_t size, const char* format, va_list args) {
  if (buffer == nullptr || size == 0) return 0;
  int n = std::vsnprintf(buffer, size, format ? format : "", args);
  if (n < 0) {
    buffer[0] = '\0';
    return 0;
  }
  if (static_cast<size_t>(n) < size) return static_cast<size_t>(n);
  // Cut: step whole characters so a lead byte never loses its trail byte.
  size_t limit = size - 1, i = 0;
  while (i < limit) {
    size_t step = Sjis::IsLead(buffer[i]) ? 2 : 1;
    if (i + step > limit) break;
    i += step;
  }
  buffer[i] = '\0';
  return i;
}

size_t FormatText(char* buffer, size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  size_t n = FormatTextV(buffer, size, format, args);
  va_end(args);
  return n;
}

}  // namespace Frx
