#include "vocore/persist/VoLoad.h"

#include <cstdarg>
#include <cstring>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/File.h"
#include "ferrox/string/Sjis.h"
#include "ferrox/text/Pscanf.h"
#include "ferrox/text/TextFormat.h"

namespace {
const char kEmpty[] = "";

bool IsBlank(unsigned char c) { return c >= 1 && c <= 32; }
unsigned char Fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

// Matches " name {" at p the way the pattern scanner would: a blank skips
// white space, ASCII letters match in either case, double-byte characters
// match whole, and the byte after "{" must be a blank, a control byte or the
// end. The name is compared as text, never read as a pattern, so names with
// "%" or of any length are safe. Returns the position after "{", or null.
const char* MatchBlockHead(const char* p, const char* name) {
  auto skip = [](const char* q) {
    while (IsBlank(static_cast<unsigned char>(*q))) ++q;
    return q;
  };
  p = skip(p);
  for (const char* n = name; *n;) {
    const unsigned char c = static_cast<unsigned char>(*n);
    if (c == ' ') {
      p = skip(p);
      ++n;
    } else if (Frx::Sjis::IsLeadByte(c) && n[1]) {
      if (p[0] != n[0] || p[1] != n[1]) return nullptr;
      p += 2;
      n += 2;
    } else {
      if (*p == '\0' || Fold(static_cast<unsigned char>(*p)) != Fold(c)) return nullptr;
      ++p;
      ++n;
    }
  }
  p = skip(p);
  if (*p != '{') return nullptr;
  ++p;
  if (static_cast<signed char>(*p) > 32) return nullptr;
  return p;
}
}  // namespace

VoLoad::VoLoad(void* b) : buffer(static_cast<char*>(b)), cursor(b ? static_cast<char*>(b) : kEmpty) {}

VoLoad::~VoLoad() { Frx::File::Free(buffer); }

int VoLoad::Read(const char* format, ...) {
  if (!format) return 0;
  const char* start = cursor;
  va_list args;
  va_start(args, format);
  const char* result = Frx::Pscanf(cursor, format, args);
  va_end(args);
  // Readers try their entries until none matches: one that matched nothing
  // would be read again at the same place for ever.
  return result && cursor != start ? 1 : 0;
}

int VoLoad::OpenChunk(const char* name) {
  if (!name || !*name) return 0;
  const char* inside = MatchBlockHead(cursor, name);
  if (!inside) return 0;
  if (topDepth + depth > MaxDepth) {
    Frx::theFerrox.Log("　　ブロック \"%s\" の階層が深すぎます。\n", name);
    cursor += std::strlen(cursor);
    return 0;
  }
  cursor = inside;
  ++depth;
  return 1;
}

int VoLoad::CloseChunk() {
  if (depth > 0) --depth;
  const char* end = cursor + std::strlen(cursor);
  const char* after = Frx::TextFormat::ExitSection(cursor, 1, end);
  if (!after || after > end) {
    // Unterminated: stand at the end so every further read fails.
    cursor = end;
    return 0;
  }
  cursor = after;
  return 1;
}

int VoLoad::NextParam() {
  if (*cursor == '\0') return 0;
  const char* next = Frx::TextFormat::NextParagraph(cursor);
  if (!next || next <= cursor) {
    cursor += std::strlen(cursor);
    return 0;
  }
  cursor = next;
  return 1;
}
