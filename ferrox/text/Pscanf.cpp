#include "ferrox/text/Pscanf.h"

#include <cstring>
#include <string>

#include "ferrox/string/Pstring.h"
#include "ferrox/text/ScanNumber.h"
#include "ferrox/string/Sjis.h"

namespace Frx {

namespace {

using Byte = unsigned char;

bool IsAsciiLetter(Byte c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Letters fold only against letters: "{" never matches "[", and a trail byte never
// reaches here because double-byte characters are compared whole.
bool SameByte(Byte pattern, Byte text) {
  if (pattern == text) return true;
  return IsAsciiLetter(pattern) && (pattern | 0x20) == (text | 0x20);
}

// End of a "%s" string: a TAB, a line feed, the end of the text or the single-byte
// character equal to stop.
const Byte* StringEnd(const Byte* t, Byte stop) {
  for (;;) {
    const Byte c = *t;
    if (c == 0 || c == '\t' || c == '\n') return t;
    const int n = Sjis::CharLength(t);
    if (n == 1 && c == stop) return t;
    t += n;
  }
}

// Copies [from, to) into buffer of size bytes, cut at a character boundary.
void StoreString(const Byte* from, const Byte* to, char* buffer, int size) {
  if (!buffer || size <= 0) return;
  const size_t room = static_cast<size_t>(size) - 1;
  size_t length = static_cast<size_t>(to - from);
  if (length > room) {
    length = 0;
    for (;;) {
      const size_t n = static_cast<size_t>(Sjis::CharLength(from + length));
      if (length + n > room) break;
      length += n;
    }
  }
  std::memcpy(buffer, from, length);
  buffer[length] = '\0';
}

// A number conversion at t found something: digits to convert, or bytes the cursor
// moves over. Otherwise " %d %d" would match a Japanese line (whose first byte the
// end rule accepts) while consuming nothing, and a reader repeating it never ends.
bool Converted(const Byte* t, bool fraction) {
  return ScanNumber::Skip(t, fraction) != t || ScanNumber::HasDigits(t, fraction);
}

// Matches the pattern at t; the end of the match, or null.
const Byte* Match(const Byte* t, const Byte* p, va_list* args) {
  for (;;) {
    const Byte c = *p;
    if (c == 0) return static_cast<signed char>(*t) <= 32 ? t : nullptr;

    if (c == ' ') {
      while (*t >= 1 && *t <= 32) ++t;
      ++p;
      continue;
    }

    if (c == '%') {
      switch (p[1]) {
        case 'd': case 'D': case 'x': case 'X': {
          int* out = va_arg(*args, int*);
          const int value = ScanNumber::ParseInt(t);
          if (out) *out = value;
          if (!Converted(t, false)) return nullptr;
          t = ScanNumber::Skip(t, false);
          if (*t == 0) return nullptr;
          p += 2;
          continue;
        }
        case 'f': case 'F': {
          float* out = va_arg(*args, float*);
          const float value = ScanNumber::ParseFloat(t);
          if (out) *out = value;
          if (!Converted(t, true)) return nullptr;
          t = ScanNumber::Skip(t, true);
          if (*t == 0) return nullptr;
          p += 2;
          continue;
        }
        case 's': {
          char* buffer = va_arg(*args, char*);
          const int size = va_arg(*args, int);
          const Byte* end = StringEnd(t, p[2]);
          StoreString(t, end, buffer, size);
          t = end;
          p += 2;
          continue;
        }
        case 'S': {
          Pstring* out = va_arg(*args, Pstring*);
          const Byte* end = StringEnd(t, p[2]);
          if (out) *out = Pstring(std::string(reinterpret_cast<const char*>(t), end - t));
          t = end;
          p += 2;
          continue;
        }
        case '.': case '|':
          return t;
        case '%':
          if (*t != '%') return nullptr;
          ++t;
          p += 2;
          continue;
        default:  // a literal "%"; the byte after it is the next element
          if (*t != '%') return nullptr;
          ++t;
          ++p;
          continue;
      }
    }

    if (c == '\\' && p[1] == '\\') {
      if (*t != '\\') return nullptr;
      ++t;
      p += 2;
      continue;
    }

    if (Sjis::CharLength(p) == 2) {
      // t[1] is read only after t[0] matched a non-zero byte.
      if (t[0] != p[0] || t[1] != p[1]) return nullptr;
      t += 2;
      p += 2;
      continue;
    }

    if (!SameByte(c, *t)) return nullptr;
    ++t;
    ++p;
  }
}

}  // namespace

char* Pscanf(const char*& cursor, const char* pattern, va_list arguments) {
  if (!cursor || !pattern) return nullptr;
  va_list args;
  va_copy(args, arguments);
  const Byte* end = Match(reinterpret_cast<const Byte*>(cursor),
                          reinterpret_cast<const Byte*>(pattern), &args);
  va_end(args);
  if (!end) return nullptr;
  cursor = reinterpret_cast<const char*>(end);
  return const_cast<char*>(cursor);
}

char* Pscanf(const char*& cursor, const char* pattern, ...) {
  va_list args;
  va_start(args, pattern);
  char* result = Pscanf(cursor, pattern, args);
  va_end(args);
  return result;
}

char* Pscanf(char*& cursor, const char* pattern, va_list arguments) {
  const char* c = cursor;
  char* result = Pscanf(c, pattern, arguments);
  cursor = const_cast<char*>(c);
  return result;
}

char* Pscanf(char*& cursor, const char* pattern, ...) {
  va_list args;
  va_start(args, pattern);
  char* result = Pscanf(cursor, pattern, args);
  va_end(args);
  return result;
}

}  // namespace Frx
