#include "ferrox/text/TextFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "ferrox/string/Sjis.h"

namespace Frx::TextFormat {

namespace {

using Byte = unsigned char;

// The text walked by ExitSection: it ends at a zero byte and, when known, at end.
struct Text {
  const Byte* end;  // null: zero-terminated only

  bool EndsAt(const Byte* p) const { return (end && p >= end) || *p == 0; }
  int CharLength(const Byte* p) const {
    return end ? Sjis::CharLength(p, end) : Sjis::CharLength(p);
  }
};

// Line break after a raw block header; then the data.
constexpr size_t RawBreak = 2;

enum class RawBlock { None, Jump, PastEnd };

// A raw block header at p ("[" digits "]" and a byte of 32 or less): sets target to
// the first byte after its data.
RawBlock ReadRawBlock(const Text& text, const Byte* p, const Byte*& target) {
  if (*p != '[') return RawBlock::None;
  const Byte* q = p + 1;
  uint64_t count = 0;
  bool huge = false;
  for (; !text.EndsAt(q) && *q >= '0' && *q <= '9'; ++q) {
    count = count * 10 + (*q - '0');
    if (count > (uint64_t{1} << 48)) huge = true, count = uint64_t{1} << 48;
  }
  if (q == p + 1 || text.EndsAt(q) || *q != ']') return RawBlock::None;
  const Byte* after = q + 1;
  if (!text.EndsAt(after) && static_cast<signed char>(*after) > 32) return RawBlock::None;
  if (huge) return RawBlock::PastEnd;

  const size_t skip = RawBreak + static_cast<size_t>(count);
  if (text.end) {
    // The byte reached must lie inside the text, as after every move.
    if (static_cast<size_t>(text.end - after) <= skip) return RawBlock::PastEnd;
  } else if (strnlen(reinterpret_cast<const char*>(after), skip + 1) <= skip) {
    return RawBlock::PastEnd;
  }
  target = after + skip;
  return RawBlock::Jump;
}

const Byte* Exit(const Byte* p, long long depth, const Text& text) {
  if (!p || text.EndsAt(p)) return nullptr;
  for (;;) {
    const Byte* target = nullptr;
    const int n = text.CharLength(p);
    if (n == 2) {
      p += 2;
    } else {
      switch (ReadRawBlock(text, p, target)) {
        case RawBlock::Jump:
          p = target;
          break;
        case RawBlock::PastEnd:
          return nullptr;
        case RawBlock::None:
          if (*p == '{') {
            ++depth;
          } else if (*p == '}') {
            if (depth-- == 1) return p + 1;
          }
          ++p;
          break;
      }
    }
    if (text.EndsAt(p)) return nullptr;
  }
}

}  // namespace

const char* ExitSection(const char* p, int depth, const char* end) {
  const Text text{reinterpret_cast<const Byte*>(end)};
  return reinterpret_cast<const char*>(Exit(reinterpret_cast<const Byte*>(p), depth, text));
}

char* ExitSection(char* p, int depth, const char* end) {
  return const_cast<char*>(ExitSection(static_cast<const char*>(p), depth, end));
}

const char* NextSection(const char* p, const char* end) { return ExitSection(p, 0, end); }

char* NextSection(char* p, const char* end) { return ExitSection(p, 0, end); }

const char* NextParagraph(const char* p) {
  if (!p) return nullptr;
  // A line feed is never the second byte of a double-byte character.
  const char* q = strchrnul(p, '\n');
  return *q ? q + 1 : q;
}

char* NextParagraph(char* p) {
  return const_cast<char*>(NextParagraph(static_cast<const char*>(p)));
}

int GetLine(const char* pos, const char* text) {
  if (!pos || !text || pos < text) return -1;
  int lines = 0;
  for (const char* q = text; q < pos; ++q) {
    if (*q == 0) return -1;
    if (*q == '\n') ++lines;
  }
  return lines;
}

int GetWidth(const char* pos, const char* text) {
  if (!pos || !text || pos < text) return -1;
  int column = 0;
  const Byte* q = reinterpret_cast<const Byte*>(text);
  const Byte* target = reinterpret_cast<const Byte*>(pos);
  while (q < target) {
    if (*q == 0) return -1;
    if (*q == '\n') {
      column = 0;
      ++q;
      continue;
    }
    const int n = Sjis::CharLength(q);
    if (n == 2 && q + 1 == target) return column + 1;
    column += n;
    q += n;
  }
  return column;
}

}  // namespace Frx::TextFormat
