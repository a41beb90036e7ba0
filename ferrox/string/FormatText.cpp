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

void AppendFormat(std::string& out, const char* format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n < 0) return;
  if (static_cast<size_t>(n) < sizeof buffer) {
    out.append(buffer, static_cast<size_t>(n));
    return;
  }
  const size_t at = out.size();
  out.resize(at + static_cast<size_t>(n) + 1);
  va_start(args, format);
  std::vsnprintf(&out[at], static_cast<size_t>(n) + 1, format, args);
  va_end(args);
  out.resize(at + static_cast<size_t>(n));
}

}  // namespace Frx
