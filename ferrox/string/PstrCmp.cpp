#include "ferrox/string/PstrCmp.h"

#include <cstring>

#include "ferrox/string/Sjis.h"

namespace Frx {

namespace {

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

int PstrCmp(const char* a, const char* b) {
  if (!a || !b) return a == b ? 1 : 0;
  return std::strcmp(a, b) == 0 ? 1 : 0;
}

int PstrCmp2(const char* a, const char* b, char end) {
  if (!a || !b) return a == b ? 1 : 0;
  for (;;) {
    if (Sjis::IsLead(*a)) {
      // A double-byte character: lead and trail compare exactly, and the
      // trail is never taken for `end`.
      if (*a != *b) return 0;
      ++a;
      ++b;
      if (*a != *b) return 0;
      if (*a == '\0') return 1;
      ++a;
      ++b;
      continue;
    }
    if (FoldAscii(*a) != FoldAscii(*b)) return 0;
    if (*a == end || *a == '\0') return 1;
    ++a;
    ++b;
  }
}

std::string PstrCmp2Key(const char* text) {
  std::string key;
  for (const char* p = text ? text : ""; *p;) {
    if (Sjis::IsLead(*p)) {
      key += *p++;
      if (*p) key += *p++;
      continue;
    }
    key += FoldAscii(*p++);
  }
  return key;
}

}  // namespace Frx
